#include "window_driver.h"

namespace standin {

HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    HWND window = FindWindowW(className, caption);
    if (window != nullptr && IsWindowVisible(window)) return window;
    if (GetTickCount64() >= deadline) return nullptr;
    Sleep(10);
  }
}

HWND WaitForDialogItem(HWND parent, int id, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    HWND item = GetDlgItem(parent, id);
    if (item != nullptr) return item;
    if (GetTickCount64() >= deadline || !IsWindow(parent)) return nullptr;
    Sleep(10);
  }
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (IsWindow(window)) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
  return true;
}

std::wstring WindowText(HWND window) {
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text == nullptr ? std::wstring() : WindowText(text);
}

void PressButton(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

bool PressDialogButton(HWND dialog, int id) {
  HWND button = WaitForDialogItem(dialog, id);
  if (button == nullptr) return false;
  PressButton(button);
  return true;
}

void DismissMessageBox(HWND box) {
  // A message box has all its buttons once it shows.
  for (int id : {IDOK, IDCANCEL}) {
    if (HWND button = GetDlgItem(box, id)) {
      PressButton(button);
      return;
    }
  }
  PostMessageW(box, WM_CLOSE, 0, 0);
}

}  // namespace standin
