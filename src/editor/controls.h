#pragma once
// One small wrapper per kind of control, each keeping its raw messages to itself.
// A control is a child window: its dialog window destroys it.
#include <windows.h>

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
  explicit Control(HWND window) : window_(window) {}
  HWND Handle() const { return window_; }
  std::wstring Text() const;
  void SetText(std::wstring_view text) const;

 protected:
  HWND window_;
};

class Label : public Control {
 public:
  using Control::Control;
  static Label Create(HWND parent, int id, const PixelRect& where, std::wstring_view text);
};

class TextBox : public Control {
 public:
  using Control::Control;
  static TextBox Create(HWND parent, int id, const PixelRect& where, std::wstring_view text);
  // Ctrl+A: posted, so the selection follows the key's own handling.
  void SelectAllLater() const;
};

class Button : public Control {
 public:
  using Control::Control;
  static Button Create(HWND parent, int id, const PixelRect& where, std::wstring_view caption);
};

class DropDown : public Control {
 public:
  using Control::Control;
  // Closed, the list is exactly `where.Height` pixels tall; it is created empty.
  static DropDown Create(HWND parent, int id, const PixelRect& where, int droppedHeight);
  void AddItem(std::wstring_view text) const;
  void Select(int index) const;
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
