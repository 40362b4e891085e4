#pragma once
// What a control's text needs, measured in the control's own font, the way the control
// draws it: a label word-wrapped at its width, a list entry on one line between the small
// insets a list draws its entries with, a button caption on one line inside the button's
// edges.
#include <windows.h>

#include <string>

namespace editor_test {

// Pixels a list draws its entries in from each side of its item area.
inline constexpr int kEntryInset = 3;

// The size DrawText gives the text word-wrapped at `width` (no prefix, tabs expanded).
SIZE LabelTextNeed(HWND label, const std::wstring& text, int width);
// The width one list entry needs, its insets included.
int ListEntryNeed(HWND list, const std::wstring& entry);
// The width of a closed list's item area (GetComboBoxInfo).
int ListItemWidth(HWND list);
// The client width of the list's dropped part, measured while it is dropped.
int ListDroppedRoom(HWND list);
// The size a button caption needs inside its button.
SIZE ButtonCaptionNeed(HWND button, const std::wstring& caption);
// The screen's DPI (LOGPIXELSY).
int ScreenDpi();
// The face name of the font the control draws with, as the system realised it.
std::wstring RealisedFace(HWND control);

}  // namespace editor_test
