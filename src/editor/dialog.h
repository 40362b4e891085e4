#pragma once
// The toolkit's top-level window: a captioned window with a close box that owns the
// controls it made, placed in DialogUnits (1/96 inch), with their handlers, the events
// its window procedure queues, Tab cycling and its own message loop.
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/controls.h"
#include "editor/win32_handles.h"

namespace duduve {

// A control's place in DialogUnits.
struct UnitRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// A window class registered for one dialog and unregistered after it.
class WindowClass {
 public:
  WindowClass(const wchar_t* name, WNDPROC procedure);
  ~WindowClass();
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

 private:
  const wchar_t* name_;
  bool registered_ = false;
};

class Dialog {
 public:
  // Opens a window `clientWidth` by `clientHeight` units, owned by `owner` and centred on it
  // (at 0, 0 without one), shown and active. A dialog still open on this thread is closed
  // first: there is one at a time.
  Dialog(std::wstring_view title, int clientWidth, int clientHeight, HWND owner);
  // Activates the owner first, so that focus goes back to it, then destroys the window with
  // its controls.
  ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Controls are children of this window, in creation order, which is also the Tab order.
  // Each number becomes the control's window ID; labels take a private one. A number
  // already in use replaces its control.
  const Label& AddLabel(const UnitRect& where, std::wstring_view text);
  const TextBox& AddTextBox(int number, const UnitRect& where, std::wstring_view text);
  const Button& AddButton(int number, const UnitRect& where, std::wstring_view caption,
                          std::function<void()> onClick);
  // Filled with `entries` and `selected` preselected (-1: none).
  const DropDown& AddDropDown(int number, const UnitRect& where,
                              std::span<const std::wstring_view> entries, int selected);

  // Once every control exists: labels and lists grow to their texts in the font in use (see
  // text_fit.h), the first text box takes the focus with its text selected (the first list
  // when there is none), and the thread's messages are dispatched, every window's, so the
  // host stays live. Each control the author activates runs its handler here, outside the
  // window procedure, until a handler calls End. Asking to close the window (its close box,
  // Alt+F4), the window going (its owner went, or CloseOpenDialog) and the thread being told
  // to quit answer 0; the window itself stays until the dialog is destroyed.
  int Run();

 protected:
  // Called by a handler: Run answers `result`.
  void End(int result) { result_ = result; }

 private:
  enum class EventKind { CloseRequested, Command };
  struct Event {
    EventKind Kind = EventKind::CloseRequested;
    const Control* Sender = nullptr;  // the control of a Command
    WORD Notification = 0;
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  template <typename Kind, typename... Arguments>
  const Kind& Adopt(int number, Arguments&&... arguments);
  const Control* FindByWindow(HWND window) const;
  template <typename Kind>
  const Kind* First() const;
  bool IsGone() const { return !window_; }
  bool Owns(HWND window) const;
  // Waits for one message of the thread and dispatches it; false once the window is gone
  // or the thread is told to quit.
  bool DispatchOneMessage();
  // Handles the keys the window gives a meaning to (Tab, Shift+Tab, and each control's own)
  // when the message is for this window or one of its controls; true if handled.
  bool TranslateKeys(MSG& message);
  void FocusFirstEntry() const;
  void MoveFocus(bool forward) const;
  void CentreOn(HWND owner);
  // Makes the client area larger by the given pixels and centres the window on its owner
  // again.
  void GrowClient(int extraWidth, int extraHeight);
  void WindowGone();

  HWND owner_;
  // Declared in the order they are made; destroyed in reverse: window, table, class.
  WindowClass class_;
  UniqueAccelerators accelerators_;
  UniqueWindow window_;
  std::vector<std::unique_ptr<Control>> controls_;
  // Replaced controls, kept while a handler may still hold them; their windows are gone.
  std::vector<std::unique_ptr<Control>> replaced_;
  std::deque<Event> events_;
  std::optional<int> result_;
  HWND focusBeforeDeactivation_ = nullptr;
  int nextLabelNumber_ = 0x4000;
};

// Closes the dialog open on this thread, if any, as its own end does, and its Run answers 0
// (the host's release message and unloading close an editor this way). The dialog is found
// among the thread's windows by its window class, so nothing has to remember it.
void CloseOpenDialog();

}  // namespace duduve
