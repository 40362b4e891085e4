#pragma once
// The live window's list of script lines: a window of its own, owned by the live window and
// placed beside it (a pane inside would change the page's client area), with a status line.
// Each entry is a script line, a section heading or a finding under its line; long entries
// and the status line wrap. Opening an entry (double-click or Enter) hands its line's number
// to the owner.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace preview {

enum class ListedKind { Heading, Script, Warning, Remark };

struct ListedLine {
  std::wstring Text;
  int Line = 0;  // the script line the entry belongs to; 0 for none
  ListedKind Kind = ListedKind::Script;
  // Characters of Text that keep their column (a line number, a mark); the rest wraps
  // beside them.
  std::size_t Hanging = 0;
};

class LineListWindow {
 public:
  static constexpr int kListId = 1;
  static constexpr int kStatusId = 2;
  static constexpr wchar_t kClassName[] = L"DuduveLineList";
  static constexpr int kWidth = 620;

  LineListWindow() = default;
  ~LineListWindow();
  LineListWindow(const LineListWindow&) = delete;
  LineListWindow& operator=(const LineListWindow&) = delete;

  // Makes the window, owned by `owner`, hidden; `open` is called with a line's number.
  bool Create(HWND owner, const std::wstring& title, std::function<void(int line)> open);
  void SetLines(const std::vector<ListedLine>& lines);
  void SetStatus(const std::wstring& status);
  std::wstring Status() const;
  // Moves it to a rectangle of the screen and shows it, without taking the keyboard.
  void ShowAt(const RECT& rect);
  void Hide();
  bool Shown() const { return window_ != nullptr && IsWindowVisible(window_); }
  HWND Window() const { return window_; }
  HWND List() const { return list_; }
  // Opens the selected entry's line, if it has one.
  void OpenSelected();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Layout();
  // Fills the list again, each entry measured at the list's width.
  void Refill();
  int MeasureEntry(std::size_t index) const;
  void DrawEntry(const DRAWITEMSTRUCT& item) const;

  struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  HWND status_ = nullptr;
  std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> listFont_;
  std::function<void(int)> open_;
  std::vector<ListedLine> lines_;
  int measuredWidth_ = 0;  // the list's width when its entries were measured
};

}  // namespace preview
