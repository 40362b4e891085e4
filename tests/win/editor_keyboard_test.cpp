// The editors' keyboard: each editor opens with its first entry field focused and its text
// selected, Tab and Shift+Tab cycle through the controls in creation order without
// stopping on labels, Ctrl+A selects a text box's whole text, Escape and Enter do nothing,
// Alt+F4 asks to close.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kTitle = L"Duduve - Register Object";
constexpr int kNameBox = 200;
constexpr int kCancel = 209;

// Presses Tab (with `modifier`) and waits until the focus is on another control.
int TabTo(HWND editor, WORD modifier = 0) {
  const HWND before = Focus(editor);
  Key(VK_TAB, modifier);
  WaitUntil([&] { return Focus(editor) != before; });
  return FocusedNumber(editor);
}

class EditorKeyboard : public ::testing::Test {
 protected:
  EditorHost host;
  standin::HostParams params{"Torch", "", "", "", "", "", ""};
};

TEST_F(EditorKeyboard, TabVisitsTextBoxesListsAndButtonsInCreationOrderAndWraps) {
  std::vector<int> forward;
  std::vector<int> backward;
  const int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }));
    // The name box has the focus at first.
    ASSERT_EQ(FocusedNumber(editor), kNameBox);
    for (int i = 0; i < 11; ++i) forward.push_back(TabTo(editor));
    for (int i = 0; i < 3; ++i) backward.push_back(TabTo(editor, VK_SHIFT));
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(forward, (std::vector<int>{201, 202, 203, 204, 205, 206, 207, 208, 209, 200, 201}));
  EXPECT_EQ(backward, (std::vector<int>{200, 209, 208}));
}

struct FirstEntry {
  int Action;
  const wchar_t* Title;
  int LastControl;
  int Entry;  // the control that has the focus when the editor opens
  std::vector<std::string> Params;
  std::wstring Text;  // its text, all of it selected (empty for a list)
  int Next;           // where Tab goes from it
};

class EditorFirstEntry : public ::testing::TestWithParam<FirstEntry> {
 protected:
  EditorHost host;
};

TEST_P(EditorFirstEntry, HasTheFocusWithItsTextSelectedAndTabMovesOn) {
  const auto& expected = GetParam();
  standin::HostParams params(expected.Params);
  RunEdited(host.Host(), expected.Action, params, [&] {
    HWND editor = WaitForEditor(expected.Title, expected.LastControl);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }));
    EXPECT_EQ(FocusedNumber(editor), expected.Entry);
    if (!expected.Text.empty()) {
      DWORD start = 99;
      DWORD end = 99;
      SendMessageW(Item(editor, expected.Entry), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(Text(editor, expected.Entry), expected.Text);
      EXPECT_EQ(start, 0u);
      EXPECT_EQ(end, expected.Text.size());
    }
    EXPECT_EQ(TabTo(editor), expected.Next);
    EXPECT_TRUE(PressAndWaitClosed(editor, expected.LastControl));
  });
}

INSTANTIATE_TEST_SUITE_P(
    EditorFirstEntries, EditorFirstEntry,
    ::testing::Values(
        FirstEntry{1, L"Duduve - Design Size", 103, 100, {"", ""}, L"1280", 101},
        FirstEntry{2, kTitle, kCancel, kNameBox, {"Torch", "", "", "", "", "", ""}, L"Torch", 201},
        FirstEntry{5, L"Duduve - DPI Awareness", 302, 300, {"aware"}, L"", 301},
        FirstEntry{
            6, L"Duduve - Pin Object", 409, 400, {"Flame", "Torch", "", "", "", ""}, L"Flame", 401},
        FirstEntry{
            7, L"Duduve - Register Group", 508, 500, {"Icons", "Panel", "", ""}, L"Icons", 501}));

TEST_F(EditorKeyboard, CtrlASelectsTheWholeTextOfTheFocusedBox) {
  DWORD start = 99;
  DWORD end = 99;
  RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }));
    ASSERT_EQ(FocusedNumber(editor), kNameBox);
    HWND box = Item(editor, kNameBox);
    SendMessageW(box, EM_SETSEL, 2, 2);
    Key('A', VK_CONTROL);
    WaitUntil([&] {
      SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
      return start == 0 && end == 5;
    });
    EXPECT_EQ(Text(editor, kNameBox), L"Torch");
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u);
}

TEST_F(EditorKeyboard, EscapeAndEnterNeitherCloseNorConfirm) {
  standin::HostParams blank{"", "", "", "", "", "", ""};
  char* const before = blank.Slot(0);
  const int result = RunEdited(host.Host(), 2, blank, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }));
    ASSERT_EQ(FocusedNumber(editor), kNameBox);
    // With the name empty, an Enter taken for OK would show a refusal.
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    Key('X');  // input is handled in order: once X shows, both keys are done
    ASSERT_TRUE(WaitUntil([&] { return Text(editor, kNameBox) == L"x"; }));
    Settle(editor);
    EXPECT_EQ(RefusalBox(), nullptr);
    EXPECT_TRUE(IsWindow(editor));
    // The same on a focused button ("Cancel", then Enter and Escape, then Tab).
    while (FocusedNumber(editor) != kCancel && TabTo(editor) != 0) {
    }
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(TabTo(editor), kNameBox);
    EXPECT_EQ(RefusalBox(), nullptr);
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(blank.Slot(0), before);
}

TEST_F(EditorKeyboard, AltF4AndTheSystemMenuCloseWithoutWriting) {
  char* const before = params.Slot(0);
  int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }));
    Type(editor, kNameBox, L"Changed");
    Key(VK_F4, VK_MENU);
    EXPECT_TRUE(standin::WaitForWindowGone(editor));
  });
  EXPECT_EQ(result, 0);
  result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    Type(editor, kNameBox, L"Changed");
    PostMessageW(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(standin::WaitForWindowGone(editor));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(params.Slot(0), before);
  EXPECT_EQ(params.Text(0), "Torch");
}

}  // namespace
}  // namespace editor_test
