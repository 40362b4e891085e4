#pragma once
// The five action editors. Each reads its action's parameters, runs its window owned by the
// foreground window (or `hostWindow` when there is none) and returns 1 when the author
// confirmed and every parameter was written back, else 0. Declared without Win32 types, so
// that the action table joins them in every build.
#include "core/geometry.h"

namespace duduve {

using Editor = int (*)(char** params, WindowHandle hostWindow);

int DesignSizeDialog(char** params, WindowHandle hostWindow);
int RegisterObjectDialog(char** params, WindowHandle hostWindow);
int DpiAwarenessDialog(char** params, WindowHandle hostWindow);
int PinObjectDialog(char** params, WindowHandle hostWindow);
int RegisterGroupDialog(char** params, WindowHandle hostWindow);

}  // namespace duduve
