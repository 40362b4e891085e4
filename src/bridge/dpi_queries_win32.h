#pragma once
#include <windows.h>

#include <cstdint>

namespace duduve {

// Looks GetDpiForWindow up in user32 once per process; later calls do nothing.
void ResolveDpiFunction();
// The window's DPI, else the screen's LOGPIXELSX, else 96.
std::int32_t QueryWindowDpi(HWND window);

}  // namespace duduve
