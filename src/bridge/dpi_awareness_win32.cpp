#include "bridge/dpi_awareness_win32.h"

#include <windows.h>

#include <memory>
#include <type_traits>

#include "bridge/system_function_win32.h"

namespace duduve {

namespace {

using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE);
using SetProcessDpiAwarenessFn = HRESULT(WINAPI*)(int);
using GetProcessDpiAwarenessFn = HRESULT(WINAPI*)(HANDLE, int*);
using SetProcessDPIAwareFn = BOOL(WINAPI*)();
using IsProcessDPIAwareFn = BOOL(WINAPI*)();

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and PROCESS_PER_MONITOR_DPI_AWARE.
const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int kPerMonitorAware = 2;
constexpr int kProcessDpiUnaware = 0;

struct LibraryRelease {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LoadedLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

// shcore's answer when it gives one of its three levels, else user32's.
bool SystemSaysAware(HMODULE shcore) {
  if (const auto query =
          LookUpFunction<GetProcessDpiAwarenessFn>(shcore, "GetProcessDpiAwareness")) {
    int awareness = -1;
    if (SUCCEEDED(query(nullptr, &awareness)) && awareness >= kProcessDpiUnaware &&
        awareness <= kPerMonitorAware) {
      return awareness != kProcessDpiUnaware;
    }
  }
  return IsProcessDpiAware();
}

// shcore's per-monitor awareness. A refusal (E_ACCESSDENIED when awareness was already
// set) counts only when the system then reports the process as aware.
bool TryShcore() {
  LoadedLibrary shcore(LoadLibraryW(L"shcore.dll"));
  const auto set = LookUpFunction<SetProcessDpiAwarenessFn>(shcore.get(), "SetProcessDpiAwareness");
  if (set == nullptr) return false;
  if (SUCCEEDED(set(kPerMonitorAware))) return true;
  return SystemSaysAware(shcore.get());
}

}  // namespace

bool EnableDpiAwareness() {
  HMODULE user32 = User32Module();
  if (const auto setContext = LookUpFunction<SetProcessDpiAwarenessContextFn>(
          user32, "SetProcessDpiAwarenessContext")) {
    if (setContext(kPerMonitorAwareV2)) return true;
  }
  if (TryShcore()) return true;
  if (const auto setAware = LookUpFunction<SetProcessDPIAwareFn>(user32, "SetProcessDPIAware")) {
    if (setAware()) return true;
  }
  return false;
}

bool IsProcessDpiAware() {
  const auto query = LookUpFunction<IsProcessDPIAwareFn>(User32Module(), "IsProcessDPIAware");
  return query != nullptr && query() != FALSE;
}

}  // namespace duduve
