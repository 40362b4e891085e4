#include "line_list_window.h"

#include <algorithm>

namespace preview {

namespace {

constexpr int kPadding = 3;
constexpr int kStatusPadding = 8;
// A list box's variable entries are at most this tall.
constexpr int kTallestEntry = 255;

COLORREF KindColour(ListedKind kind) {
  switch (kind) {
    case ListedKind::Warning:
      return RGB(165, 25, 25);
    case ListedKind::Remark:
      return RGB(30, 80, 150);
    default:
      return GetSysColor(COLOR_WINDOWTEXT);
  }
}

constexpr UINT kWrapping = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_NOCLIP;

// The height of a text wrapped to `width` in the window's current font.
int WrappedHeight(HDC dc, const std::wstring& text, int width) {
  RECT area{0, 0, std::max(width, 1), 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, kWrapping | DT_CALCRECT);
  return area.bottom;
}

int TextWidth(HDC dc, const std::wstring& text) {
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  return extent.cx;
}

int LineHeight(HDC dc) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

// A window's device context with a font selected, for measuring.
class MeasuringDc {
 public:
  MeasuringDc(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) {
    previous_ = SelectObject(dc_, font);
  }
  ~MeasuringDc() {
    SelectObject(dc_, previous_);
    ReleaseDC(window_, dc_);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ previous_;
};

int ClientWidth(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.right;
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
  open_ = std::move(open);
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, title.c_str(),
                            WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 0, 0, kWidth,
                            400, owner, nullptr, GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) return false;
  listFont_.reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              FIXED_PITCH | FF_MODERN, L"Consolas"));
  // The scroll bar always shows, so that entries wrap at the width they are drawn at.
  list_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
          LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_DISABLENOSCROLL,
      0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
      GetModuleHandleW(nullptr), nullptr);
  status_ = CreateWindowExW(0, L"STATIC", nullptr,
                            WS_CHILD | WS_VISIBLE | SS_LEFT | SS_EDITCONTROL | SS_NOPREFIX, 0, 0, 0,
                            0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)),
                            GetModuleHandleW(nullptr), nullptr);
  if (list_ == nullptr || status_ == nullptr) return false;
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  Layout();
  return true;
}

void LineListWindow::SetLines(const std::vector<ListedLine>& lines) {
  lines_ = lines;
  Refill();
}

void LineListWindow::Refill() {
  const auto top = SendMessageW(list_, LB_GETTOPINDEX, 0, 0);
  const auto selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  measuredWidth_ = ClientWidth(list_);
  for (const auto& line : lines_) {
    // Each addition asks for the entry's height (WM_MEASUREITEM), by its index in lines_.
    const auto index =
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.Text.c_str()));
    SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(index), line.Line);
  }
  // A reload keeps the author's place in the list.
  SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(std::max<LRESULT>(top, 0)), 0);
  if (selected >= 0) SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

int LineListWindow::MeasureEntry(std::size_t index) const {
  if (index >= lines_.size()) return 1;
  const ListedLine& line = lines_[index];
  const MeasuringDc dc(list_, listFont_.get());
  const std::wstring lead = line.Text.substr(0, line.Hanging);
  const std::wstring body = line.Text.substr(std::min(line.Hanging, line.Text.size()));
  const int width = measuredWidth_ - 2 * kPadding - TextWidth(dc.get(), lead);
  const int height = std::max(WrappedHeight(dc.get(), body, width), LineHeight(dc.get()));
  return std::min(height + 2, kTallestEntry);
}

void LineListWindow::DrawEntry(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID < lines_.size()) {
    const ListedLine& line = lines_[item.itemID];
    const HGDIOBJ previous = SelectObject(item.hDC, listFont_.get());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : KindColour(line.Kind));
    const std::wstring lead = line.Text.substr(0, line.Hanging);
    const std::wstring body = line.Text.substr(std::min(line.Hanging, line.Text.size()));
    RECT area = item.rcItem;
    area.left += kPadding;
    area.top += 1;
    area.right -= kPadding;
    DrawTextW(item.hDC, lead.c_str(), static_cast<int>(lead.size()), &area,
              DT_SINGLELINE | DT_NOPREFIX);
    area.left += TextWidth(item.hDC, lead);
    DrawTextW(item.hDC, body.c_str(), static_cast<int>(body.size()), &area, kWrapping);
    SelectObject(item.hDC, previous);
  }
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

void LineListWindow::SetStatus(const std::wstring& status) {
  SetWindowTextW(status_, status.c_str());
  Layout();
}

std::wstring LineListWindow::Status() const {
  const int length = GetWindowTextLengthW(status_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(status_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void LineListWindow::ShowAt(const RECT& rect) {
  SetWindowPos(window_, nullptr, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
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
  const int textWidth = std::max<int>(client.right - 8, 1);
  int statusHeight = 0;
  {
    const MeasuringDc dc(status_, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    statusHeight = std::max(WrappedHeight(dc.get(), Status(), textWidth), LineHeight(dc.get())) +
                   kStatusPadding;
  }
  MoveWindow(list_, 0, 0, client.right, std::max<int>(client.bottom - statusHeight, 0), TRUE);
  MoveWindow(status_, 4, client.bottom - statusHeight + kStatusPadding / 2, textWidth,
             statusHeight - kStatusPadding / 2, TRUE);
  // Entries wrap at the list's width: a new width measures them again.
  if (ClientWidth(list_) != measuredWidth_ && !lines_.empty()) Refill();
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
      if (self->list_ != nullptr && self->status_ != nullptr) self->Layout();
      return 0;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      item->itemHeight = static_cast<UINT>(self->MeasureEntry(item->itemID));
      return TRUE;
    }
    case WM_DRAWITEM:
      self->DrawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
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
