#pragma once
// Helpers for a second thread that drives windows a modal loop keeps open (message boxes,
// editors): find them with a timeout, read their texts, press their buttons.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace standin {

// How long any wait for a window lasts before it gives up.
inline constexpr DWORD kWindowWaitMs = 5000;

// The first visible top-level window of the class and caption (either may be null), waiting
// up to `timeoutMs`; null when none appeared.
HWND WaitForWindow(const wchar_t* className, const wchar_t* caption,
                   DWORD timeoutMs = kWindowWaitMs);
// The child control `id` of a window once it exists (windows often show before their
// controls are made), waiting up to `timeoutMs`; null when it never appeared.
HWND WaitForDialogItem(HWND parent, int id, DWORD timeoutMs = kWindowWaitMs);
// Waits until the window is gone; false when it is still there after the timeout.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kWindowWaitMs);
// The text of a window (WM_GETTEXT through SendMessageW).
std::wstring WindowText(HWND window);
// The class name of a window.
std::wstring ClassName(HWND window);
// A message box's text: its child with id 0xFFFF.
std::wstring MessageBoxText(HWND box);
// Presses a button as a click would (BM_CLICK posted to it).
void PressButton(HWND button);
// Presses the child button `id` of a dialog, waiting for it to exist; false when it never did.
bool PressDialogButton(HWND dialog, int id);
// Dismisses a message box: its OK (or Cancel) button, else WM_CLOSE.
void DismissMessageBox(HWND box);

// Runs `work` on a second thread and joins it on destruction.
// A Win32 thread rather than std::thread, which the win32 mingw thread model lacks.
class BackgroundDriver {
 public:
  explicit BackgroundDriver(std::function<void()> work)
      : work_(std::make_unique<std::function<void()>>(std::move(work))),
        thread_(CreateThread(nullptr, 0, &BackgroundDriver::Run, work_.get(), 0, nullptr)) {}
  ~BackgroundDriver() { Join(); }
  BackgroundDriver(const BackgroundDriver&) = delete;
  BackgroundDriver& operator=(const BackgroundDriver&) = delete;
  void Join() {
    if (thread_ == nullptr) return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }

 private:
  static DWORD WINAPI Run(void* work) {
    (*static_cast<std::function<void()>*>(work))();
    return 0;
  }
  std::unique_ptr<std::function<void()>> work_;
  HANDLE thread_;
};

}  // namespace standin
