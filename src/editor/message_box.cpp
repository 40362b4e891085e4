// The refusal box, and the thread's windows set aside while it is up.
#include "editor/message_box.h"

#include <windows.h>

#include <string>
#include <vector>

namespace duduve {

namespace {

struct SetAside {
  HWND Window = nullptr;
  bool WasTopmost = false;
};

// Disables the thread's visible, enabled top-level windows other than `keep`, and
// takes topmost ones out of the topmost band, until destroyed.
class ThreadWindowsSetAside {
 public:
  explicit ThreadWindowsSetAside(HWND keep) : keep_(keep) {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&found));
    for (HWND window : found) {
      if (window == keep_ || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
      const bool topmost = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      EnableWindow(window, FALSE);
      if (topmost) PlaceInBand(window, HWND_NOTOPMOST);
      windows_.push_back({window, topmost});
    }
  }

  ~ThreadWindowsSetAside() {
    for (const auto& entry : windows_) {
      if (!IsWindow(entry.Window)) continue;
      if (entry.WasTopmost) PlaceInBand(entry.Window, HWND_TOPMOST);
      EnableWindow(entry.Window, TRUE);
    }
  }

  ThreadWindowsSetAside(const ThreadWindowsSetAside&) = delete;
  ThreadWindowsSetAside& operator=(const ThreadWindowsSetAside&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
  }

  static void PlaceInBand(HWND window, HWND band) {
    SetWindowPos(window, band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  HWND keep_;
  std::vector<SetAside> windows_;
};

// The foreground window when it belongs to this process, else none.
HWND ForegroundOfThisProcess() {
  HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

}  // namespace

void ShowMessageBox(std::wstring_view title, std::wstring_view text) {
  const HWND foreground = GetForegroundWindow();
  const HWND owner = ForegroundOfThisProcess();
  const std::wstring caption(title);
  const std::wstring message(text);
  ThreadWindowsSetAside setAside(foreground);
  MessageBoxW(owner, message.c_str(), caption.c_str(), MB_OK);
}

}  // namespace duduve
