#pragma once
// Drives the plug-in's editors as an author would: the editor's modal loop runs on the
// test's thread inside _nbEditAction while a second thread finds the window, types,
// selects, presses buttons and dismisses message boxes. Every wait gives up after
// five seconds, and whatever is still open then is closed, so a broken editor fails a
// test instead of hanging it.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "stand_in_host.h"

namespace editor_test {

// Runs host.Edit(actionId, params) here while `drive` runs on a second thread.
int RunEdited(standin::StandInHost& host, int actionId, standin::HostParams& params,
              const std::function<void()>& drive);
int RunEdited(standin::StandInHost& host, int actionId, char** params,
              const std::function<void()>& drive);

// A loaded, registered plug-in whose host window is in the foreground, counting the
// host's interface calls (each Pick is one).
class EditorHost {
 public:
  EditorHost();
  standin::StandInHost& Host() { return host_; }
  int Picks() const { return picks_.load(); }
  // Runs on the editor's thread inside each Pick, as host code would.
  std::function<void(standin::StandInHost&)> DuringPick;
  // Sets the name the next Pick answers, presses the Pick button `button` of `editor`
  // and waits until the editor has handled it.
  void Pick(HWND editor, int button, const std::string& answer);

 private:
  standin::StandInHost host_;
  std::atomic<int> picks_{0};
};

// The editor window once its last control exists and its loop is waiting; null when it
// did not come within the time.
HWND WaitForEditor(const wchar_t* title, int lastControl);
HWND Item(HWND editor, int number);
std::wstring Text(HWND editor, int number);
void Type(HWND editor, int number, const std::wstring& text);
// CB_SETCURSEL, then the CBN_SELCHANGE a real choice would send.
void Choose(HWND editor, int number, int index);
int Chosen(HWND editor, int number);
std::vector<std::wstring> Entries(HWND editor, int number);
void Press(HWND editor, int number);
// Returns once the editor's thread is back in its message wait.
void Settle(HWND editor);
// Presses a button that should refuse: returns the refusal box's text ("" if no box
// came), after dismissing the box and waiting until it is gone.
std::wstring PressExpectingRefusal(HWND editor, int number);
// Presses a button that should close the editor; true when the window went away.
bool PressAndWaitClosed(HWND editor, int number);
bool WaitUntil(const std::function<bool()>& condition);

// Real keyboard input (SendInput) to the foreground window; `modifier` is held around
// the key when it is not 0.
void Key(WORD key, WORD modifier = 0);
// The control holding the keyboard focus on the editor's thread.
HWND Focus(HWND editor);
// The ControlNumber of the focused control (0 for none or the window itself).
int FocusedNumber(HWND editor);

// A child window's rectangle in its parent's client pixels.
RECT ChildRect(HWND child);
// A label (class Static) of `editor` by its text; null when absent.
HWND LabelWithText(HWND editor, const std::wstring& text);
// The top-level "Duduve" message box on screen, null when none.
HWND RefusalBox();

// Writes a picture of `window` to DUDUVE_SCREENSHOT_DIR\<name>.bmp when that variable
// is set; does nothing otherwise.
void SaveScreenshot(HWND window, const std::wstring& name);
// One picture of the rectangle that holds all the windows, each painted afresh first.
void SaveScreenshot(const std::vector<HWND>& windows, const std::wstring& name);

}  // namespace editor_test
