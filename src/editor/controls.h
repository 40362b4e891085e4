#pragma once
// One small type per kind of control, each keeping its raw messages to itself. A control is
// made by its dialog, which owns it; its window is a child of the dialog's and goes with it.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace duduve {

struct PixelRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

class Control {
 public:
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Null once the window is gone.
  HWND Handle() const { return window_; }
  std::wstring Text() const;
  void SetText(std::wstring_view text) const;
  void Focus() const;

 protected:
  explicit Control(HWND window) : window_(window) {}

 private:
  // What only the dialog that owns the control asks of it.
  friend class Dialog;
  // A notification the control sent its dialog (WM_COMMAND); most controls have no use for it.
  virtual void OnCommand(WORD /*notification*/) const {}
  // A key the control gives a meaning of its own, before the dialog's keys; true if handled.
  virtual bool TranslateKey(const MSG& /*message*/) const { return false; }
  // Once the window is gone, nothing may reach a handle the system can give out again.
  void Forget() { window_ = nullptr; }

  HWND window_;
};

// Its text word-wraps, CR LF breaks lines, and an ampersand shows as itself.
class Label : public Control {
 public:
  Label(HWND parent, int id, const PixelRect& where, std::wstring_view text);
};

// A single-line box. Ctrl+A selects the whole text, where the system's box may not.
class TextBox : public Control {
 public:
  TextBox(HWND parent, int id, const PixelRect& where, std::wstring_view text);
  void SelectAll() const;

 private:
  bool TranslateKey(const MSG& message) const override;
};

class Button : public Control {
 public:
  // `onClick` runs from the dialog's loop each time the button is pressed.
  Button(HWND parent, int id, const PixelRect& where, std::wstring_view caption,
         std::function<void()> onClick);

 private:
  void OnCommand(WORD notification) const override;

  std::function<void()> onClick_;
};

// A list the author can only choose from.
class DropDown : public Control {
 public:
  // Closed, the list is exactly `where.Height` pixels tall; `droppedHeight` is its room below.
  // It is created empty, nothing selected.
  DropDown(HWND parent, int id, const PixelRect& where, int droppedHeight);
  void AddItem(std::wstring_view text) const;
  void Select(int index) const;
  // 0-based, -1 when nothing is selected.
  int Selected() const;
  std::vector<std::wstring> Items() const;
  // The width of the closed list's item area, where the selected entry shows.
  int ItemAreaWidth() const;
  // A new width for the closed list and its dropped part, which keeps `droppedHeight`
  // pixels of room below the closed list.
  void Widen(int width, int droppedHeight) const;
  // The least width of the dropped part (never narrower than the closed list).
  void SetDroppedWidth(int width) const;
};

}  // namespace duduve
