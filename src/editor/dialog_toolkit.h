#pragma once
// The small window-and-control layer the editors are written against: one top-level
// window at a time, labels, text boxes, drop-down lists and buttons placed in
// DialogUnits (1/96 inch), a blocking event wait and a message box.
#include <windows.h>

#include <string>
#include <string_view>

namespace duduve {

// The screen DPI and the message font, fixed from load to unload.
void StartToolkitResources(HINSTANCE module);
void StopToolkitResources();
HINSTANCE ToolkitModule();
HFONT ToolkitFont();
// DialogUnits to pixels: MulDiv by the screen's LOGPIXELSX (x, width) or LOGPIXELSY
// (y, height) over 96.
int UnitsToPixelsX(int units);
int UnitsToPixelsY(int units);

// The number every editor opens its window under.
inline constexpr int kEditorWindowNumber = 1;

enum class DialogEventKind { Nothing, CloseRequested, ControlActivated };

struct DialogEvent {
  DialogEventKind Kind = DialogEventKind::Nothing;
  int Control = 0;  // the ControlNumber of a ControlActivated event
};

// Opens a captioned window with a close box, `clientWidth` by `clientHeight` units,
// owned by `owner` and centred on it (at x, y without an owner), shown and active.
// A window still open is closed first. Controls added next become its children.
void OpenDialogWindow(int number, int x, int y, int clientWidth, int clientHeight,
                      std::wstring_view title, HWND owner);
// Activates the owner, then destroys the window and its controls and unregisters its
// class. Does nothing when no window is open under `number`.
void CloseDialogWindow(int number);
bool IsDialogWindowOpen(int number);

// Labels take no number of their own. A number already in use replaces its control.
void AddLabel(int x, int y, int width, int height, std::wstring_view text);
void AddTextBox(int number, int x, int y, int width, int height, std::wstring_view text);
void AddButton(int number, int x, int y, int width, int height, std::wstring_view caption);
void AddDropDown(int number, int x, int y, int width, int height);
void AddDropDownItem(int number, std::wstring_view text);
void SetDropDownIndex(int number, int index);
// Once every control exists: labels and lists grow to their texts in the font in use, the
// controls below a grown label move down and the window grows with them (nothing moves
// where every text fits), and every dropped list is wide enough for its entries.
void FitDialogToText();
// The first text box gets the keyboard focus with its whole text selected (the first list
// when there is no text box), as in any dialog.
void FocusFirstEntry();
// 0-based, -1 when nothing is selected or there is no such list.
int GetDropDownIndex(int number);
std::wstring GetControlText(int number);
void SetControlText(int number, std::wstring_view text);

// Returns the next queued event, or waits for and dispatches one message of the
// thread (every window's, so the host stays live) and returns what it produced.
// Once the window is gone (closed by someone else, or the thread is told to quit),
// it answers CloseRequested.
DialogEvent WaitDialogEvent();
// The control of the last ControlActivated event.
int EventControl();

// A modal MB_OK box with no icon; the thread's other windows take no input meanwhile.
void ShowMessageBox(std::wstring_view title, std::wstring_view text);

}  // namespace duduve
