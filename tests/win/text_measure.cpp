#include "text_measure.h"

#include <cwchar>

#include "editor/win32_handles.h"

namespace editor_test {

using duduve::ControlDc;

namespace {

// Room a push button's edges and focus rectangle take from each side.
constexpr int kButtonInsetX = 4;
constexpr int kButtonInsetY = 2;

SIZE LineExtent(HWND control, const std::wstring& text) {
  ControlDc dc(control);
  SIZE extent{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  return extent;
}

}  // namespace

SIZE LabelTextNeed(HWND label, const std::wstring& text, int width) {
  ControlDc dc(label);
  RECT bounds{0, 0, width, 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &bounds,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  return {bounds.right, bounds.bottom};
}

int ListEntryNeed(HWND list, const std::wstring& entry) {
  return LineExtent(list, entry).cx + 2 * kEntryInset;
}

int ListItemWidth(HWND list) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(list, &info)) return 0;
  return info.rcItem.right - info.rcItem.left;
}

int ListDroppedRoom(HWND list) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(list, &info) || info.hwndList == nullptr) return 0;
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  RECT client{};
  GetClientRect(info.hwndList, &client);
  SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
  return client.right;
}

SIZE ButtonCaptionNeed(HWND button, const std::wstring& caption) {
  const SIZE extent = LineExtent(button, caption);
  return {extent.cx + 2 * kButtonInsetX, extent.cy + 2 * kButtonInsetY};
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::wstring RealisedFace(HWND control) {
  ControlDc dc(control);
  wchar_t face[LF_FACESIZE] = {};
  if (GetTextFaceW(dc.Get(), LF_FACESIZE, face) == 0) return L"";
  return std::wstring(face, std::wcslen(face));
}

}  // namespace editor_test
