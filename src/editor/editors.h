#pragma once
// The five action editors. Each reads its action's parameters, runs its window and
// returns 1 when the author confirmed and every parameter was written back, else 0.
#include <windows.h>

namespace duduve {

int DesignSizeDialog(char** params, HWND hostWindow);      // action 1
int RegisterObjectDialog(char** params, HWND hostWindow);  // action 2
int DpiAwarenessDialog(char** params, HWND hostWindow);    // action 5
int PinObjectDialog(char** params, HWND hostWindow);       // action 6
int RegisterGroupDialog(char** params, HWND hostWindow);   // action 7

}  // namespace duduve
