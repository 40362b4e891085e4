#include "bridge/dpi_queries_win32.h"

#include "bridge/system_function_win32.h"

namespace duduve {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

struct DpiFunction {
  bool Resolved = false;  // the latch: set before the look-up, so a miss is never retried
  GetDpiForWindowFn GetDpiForWindow = nullptr;
};

DpiFunction& State() {
  static DpiFunction state;
  return state;
}

constexpr std::int32_t kDefaultDpi = 96;

}  // namespace

void ResolveDpiFunction() {
  auto& state = State();
  if (state.Resolved) return;
  state.Resolved = true;
  state.GetDpiForWindow = LookUpFunction<GetDpiForWindowFn>(User32Module(), "GetDpiForWindow");
}

std::int32_t QueryWindowDpi(HWND window) {
  ResolveDpiFunction();
  if (const auto function = State().GetDpiForWindow) {
    const auto dpi = static_cast<std::int32_t>(function(window));
    if (dpi > 0) return dpi;
  }
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kDefaultDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace duduve
