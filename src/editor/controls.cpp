#include "editor/controls.h"

#include <cstdint>
#include <utility>

#include "editor/toolkit_resources.h"

namespace duduve {

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOTIFY | SS_NOPREFIX;
constexpr DWORD kTextBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
constexpr DWORD kDropDownStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | WS_GROUP | CBS_DROPDOWNLIST;
constexpr WPARAM kTextLimit = 1048576;
// The selection field's item height from which the closed height is measured.
constexpr int kProbeItemHeight = 15;

HWND CreateChild(DWORD exStyle, const wchar_t* windowClass, std::wstring_view text, DWORD style,
                 HWND parent, int id, const PixelRect& where) {
  const std::wstring title(text);
  HWND window = CreateWindowExW(
      exStyle, windowClass, title.c_str(), style, where.X, where.Y, where.Width, where.Height,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ToolkitModule(), nullptr);
  if (window != nullptr) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ToolkitFont()), FALSE);
  }
  return window;
}

bool IsKeyDown(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

int WindowHeight(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return bounds.bottom - bounds.top;
}

// The closed list's height comes from the selection field's item height, measured against
// a known probe value (the item height read back is not the one set on every system).
void SetClosedHeight(HWND list, int height) {
  SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kProbeItemHeight);
  const int chrome = WindowHeight(list) - kProbeItemHeight;
  SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - chrome);
}

}  // namespace

std::wstring Control::Text() const {
  const int length = GetWindowTextLengthW(window_);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window_, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void Control::SetText(std::wstring_view text) const {
  if (window_ == nullptr) return;
  const std::wstring copy(text);
  SetWindowTextW(window_, copy.c_str());
}

void Control::Focus() const {
  if (window_ != nullptr) SetFocus(window_);
}

Label::Label(HWND parent, int id, const PixelRect& where, std::wstring_view text)
    : Control(CreateChild(0, L"Static", text, kLabelStyle, parent, id, where)) {}

TextBox::TextBox(HWND parent, int id, const PixelRect& where, std::wstring_view text)
    : Control(CreateChild(WS_EX_CLIENTEDGE, L"Edit", L"", kTextBoxStyle, parent, id, where)) {
  SendMessageW(Handle(), EM_LIMITTEXT, kTextLimit, 0);
  SetText(text);
}

void TextBox::SelectAll() const {
  SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

bool TextBox::TranslateKey(const MSG& message) const {
  if (message.message != WM_KEYDOWN || message.wParam != 'A' || !IsKeyDown(VK_CONTROL) ||
      IsKeyDown(VK_MENU)) {
    return false;
  }
  // Posted, so the selection follows the key's own handling.
  PostMessageW(Handle(), EM_SETSEL, 0, -1);
  return true;
}

Button::Button(HWND parent, int id, const PixelRect& where, std::wstring_view caption,
               std::function<void()> onClick)
    : Control(CreateChild(0, L"Button", caption, kButtonStyle, parent, id, where)),
      onClick_(std::move(onClick)) {}

void Button::OnCommand(WORD notification) const {
  if (notification == BN_CLICKED && onClick_) onClick_();
}

DropDown::DropDown(HWND parent, int id, const PixelRect& where, int droppedHeight)
    // The height given at creation is the closed list's and the dropped list's together.
    : Control(CreateChild(0, L"ComboBox", L"", kDropDownStyle, parent, id,
                          {where.X, where.Y, where.Width, where.Height + droppedHeight})) {
  SetClosedHeight(Handle(), where.Height);
}

void DropDown::AddItem(std::wstring_view text) const {
  const std::wstring copy(text);
  SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(copy.c_str()));
}

void DropDown::Select(int index) const {
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int DropDown::Selected() const {
  if (Handle() == nullptr) return -1;
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

std::vector<std::wstring> DropDown::Items() const {
  std::vector<std::wstring> items;
  const auto count = SendMessageW(Handle(), CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const auto at = static_cast<WPARAM>(index);
    const auto length = SendMessageW(Handle(), CB_GETLBTEXTLEN, at, 0);
    if (length < 0) continue;
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied =
        SendMessageW(Handle(), CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(item.data()));
    item.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    items.push_back(std::move(item));
  }
  return items;
}

int DropDown::ItemAreaWidth() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(Handle(), &info)) return 0;
  return info.rcItem.right - info.rcItem.left;
}

void DropDown::Widen(int width, int droppedHeight) const {
  // A list's window height counts its dropped part too. Resizing may give the closed list
  // the height of its font again (wine does); its item height takes it back.
  const int closedHeight = WindowHeight(Handle());
  SetWindowPos(Handle(), nullptr, 0, 0, width, closedHeight + droppedHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (WindowHeight(Handle()) != closedHeight) SetClosedHeight(Handle(), closedHeight);
}

void DropDown::SetDroppedWidth(int width) const {
  SendMessageW(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

}  // namespace duduve
