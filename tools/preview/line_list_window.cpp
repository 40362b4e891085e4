#include "line_list_window.h"

#include <algorithm>

namespace preview {

namespace {

constexpr int kWidth = 620;
constexpr int kGap = 8;
constexpr int kStatusPadding = 8;

int TextHeight(HWND window, HFONT font) {
  HDC dc = GetDC(window);
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return metrics.tmHeight;
}

}  // namespace

LineListWindow::~LineListWindow() {
  // The system destroys an owned window with its owner; it may be gone already.
  if (window_ != nullptr) DestroyWindow(window_);
}

bool LineListWindow::Create(HWND owner, const std::wstring& title,
                            std::function<void(int line)> open) {
  static const bool registered = [] {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &LineListWindow::Proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = kClassName;
    return RegisterClassExW(&type) != 0;
  }();
  if (!registered) return false;
  owner_ = owner;
  open_ = std::move(open);
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, title.c_str(),
                            WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 0, 0, kWidth,
                            400, owner, nullptr, GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) return false;
  list_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                          LBS_NOINTEGRALHEIGHT,
                      0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                      GetModuleHandleW(nullptr), nullptr);
  status_ = CreateWindowExW(0, L"STATIC", nullptr,
                            WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0,
                            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)),
                            GetModuleHandleW(nullptr), nullptr);
  listFont_.reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              FIXED_PITCH | FF_MODERN, L"Consolas"));
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  return list_ != nullptr && status_ != nullptr;
}

void LineListWindow::SetLines(const std::vector<ListedLine>& lines) {
  const auto top = SendMessageW(list_, LB_GETTOPINDEX, 0, 0);
  const auto selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  int widest = 0;
  HDC dc = GetDC(list_);
  const HGDIOBJ previous = SelectObject(dc, listFont_.get());
  for (const auto& line : lines) {
    const auto index =
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.Text.c_str()));
    SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(index), line.Line);
    SIZE extent{};
    GetTextExtentPoint32W(dc, line.Text.c_str(), static_cast<int>(line.Text.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
  }
  SelectObject(dc, previous);
  ReleaseDC(list_, dc);
  SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
  // A reload keeps the author's place in the list.
  SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(std::max<LRESULT>(top, 0)), 0);
  if (selected >= 0) SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void LineListWindow::SetStatus(const std::wstring& status) {
  SetWindowTextW(status_, status.c_str());
}

std::wstring LineListWindow::Status() const {
  const int length = GetWindowTextLengthW(status_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(status_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void LineListWindow::ShowBeside() {
  RECT owner{};
  GetWindowRect(owner_, &owner);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT work = monitor.rcWork;
  const int height = std::max<int>(owner.bottom - owner.top, 300);
  // Right of the page when there is room, else left of it, else at the screen's right edge.
  int left = owner.right + kGap;
  if (left + kWidth > work.right) {
    left =
        owner.left - kGap - kWidth >= work.left ? owner.left - kGap - kWidth : work.right - kWidth;
  }
  SetWindowPos(window_, nullptr, left, owner.top, kWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void LineListWindow::Hide() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void LineListWindow::OpenSelected() {
  const auto selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (selected < 0) return;
  const auto line =
      static_cast<int>(SendMessageW(list_, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
  if (line > 0 && open_) open_(line);
}

void LineListWindow::Layout() {
  RECT client{};
  GetClientRect(window_, &client);
  const int statusHeight =
      TextHeight(status_, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) + kStatusPadding;
  MoveWindow(list_, 0, 0, client.right, std::max<int>(client.bottom - statusHeight, 0), TRUE);
  MoveWindow(status_, 4, client.bottom - statusHeight + kStatusPadding / 2, client.right - 8,
             statusHeight - kStatusPadding / 2, TRUE);
}

LRESULT CALLBACK LineListWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<LineListWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      if (self->list_ != nullptr) self->Layout();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_DBLCLK) self->OpenSelected();
      return 0;
    case WM_CLOSE:
      // Closing only hides it; the live window's L shows it again.
      self->Hide();
      return 0;
    case WM_NCDESTROY:
      self->window_ = self->list_ = self->status_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace preview
