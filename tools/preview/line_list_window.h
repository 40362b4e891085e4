#pragma once
// The live window's list of script lines: a window of its own, owned by the live window and
// placed beside it (a pane inside would change the page's client area), with a status line.
// Each entry is a script line, a section heading or a finding under its line; opening an
// entry (double-click or Enter) hands its line's number to the owner.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace preview {

struct ListedLine {
  std::wstring Text;
  int Line = 0;  // the script line the entry belongs to; 0 for none
};

class LineListWindow {
 public:
  static constexpr int kListId = 1;
  static constexpr int kStatusId = 2;
  static constexpr wchar_t kClassName[] = L"DuduveLineList";

  LineListWindow() = default;
  ~LineListWindow();
  LineListWindow(const LineListWindow&) = delete;
  LineListWindow& operator=(const LineListWindow&) = delete;

  // Makes the window, owned by `owner`, beside it; `open` is called with a line's number.
  bool Create(HWND owner, const std::wstring& title, std::function<void(int line)> open);
  void SetLines(const std::vector<ListedLine>& lines);
  void SetStatus(const std::wstring& status);
  std::wstring Status() const;
  // Shows it beside its owner, without taking the keyboard.
  void ShowBeside();
  void Hide();
  HWND Window() const { return window_; }
  HWND List() const { return list_; }
  // Opens the selected entry's line, if it has one.
  void OpenSelected();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Layout();

  struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  HWND owner_ = nullptr;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  HWND status_ = nullptr;
  std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> listFont_;
  std::function<void(int)> open_;
};

}  // namespace preview
