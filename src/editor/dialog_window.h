#pragma once
// The toolkit's top-level window: its class, its controls in creation order, the
// events its window procedure queues, and Tab cycling.
#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/dialog_toolkit.h"
#include "editor/win32_handles.h"

namespace duduve {

enum class ControlKind { Label, TextBox, Button, DropDown };

struct ControlEntry {
  int Number = 0;
  ControlKind Kind = ControlKind::Label;
  HWND Window = nullptr;
};

// A window class registered for one window and unregistered after it.
class WindowClass {
 public:
  WindowClass(std::wstring name, WNDPROC procedure);
  ~WindowClass();
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;
  const wchar_t* Name() const { return name_.c_str(); }

 private:
  std::wstring name_;
  bool registered_ = false;
};

class DialogWindow {
 public:
  struct Placement {
    int X = 0;
    int Y = 0;
    int ClientWidth = 0;   // pixels
    int ClientHeight = 0;  // pixels
  };

  DialogWindow(int number, const Placement& placement, std::wstring_view title, HWND owner);
  // Activates the owner first, so that focus goes back to it, then destroys the window.
  ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  int Number() const { return number_; }
  HWND Handle() const { return window_.get(); }
  // True once the window has been destroyed by someone else (its owner went away).
  bool IsGone() const { return !window_; }

  // Records a new control; one already under `number` is destroyed and replaced.
  void Adopt(int number, ControlKind kind, HWND control);
  const ControlEntry* Find(int number) const;
  // Every control in creation order.
  const std::vector<ControlEntry>& Controls() const { return controls_; }
  int NextLabelNumber() { return nextLabelNumber_++; }
  // Makes the client area larger by the given pixels and centres the window on its owner
  // again.
  void GrowClient(int extraWidth, int extraHeight);
  // Focuses the first text box with its whole text selected, or the first list when there
  // is no text box.
  void FocusFirstEntry() const;

  std::optional<DialogEvent> TakeEvent();
  // Handles the keys the window gives a meaning to (Tab, Shift+Tab, Ctrl+A in a text
  // box) when the message is for this window or one of its controls; true if handled.
  bool TranslateKeys(MSG& message);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  const ControlEntry* FindByWindow(HWND window) const;
  bool Owns(HWND window) const;
  void MoveFocus(bool forward);
  void CentreOn(HWND owner);

  int number_;
  HWND owner_;
  // Declared in the order they are made; destroyed in reverse: window, table, class.
  WindowClass class_;
  UniqueAccelerators accelerators_;
  UniqueWindow window_;
  std::vector<ControlEntry> controls_;
  std::deque<DialogEvent> events_;
  HWND focusBeforeDeactivation_ = nullptr;
  int nextLabelNumber_ = 0x4000;
};

}  // namespace duduve
