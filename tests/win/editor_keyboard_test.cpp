// The editors' keyboard: Tab and Shift+Tab cycle through the controls in creation
// order without stopping on labels, Ctrl+A selects a text box's whole text, Escape
// and Enter do nothing, Alt+F4 asks to close.
#include <gtest/gtest.h>

#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kTitle = L"Duduve - Register Object";
constexpr int kNameBox = 200;
constexpr int kCancel = 209;

class EditorKeyboard : public ::testing::Test {
 protected:
  EditorHost host;
  standin::HostParams params{"Torch", "", "", "", "", "", ""};

  // Presses `key` and waits until the focus is on another control.
  static int TabTo(HWND editor, WORD modifier = 0) {
    const HWND before = Focus(editor);
    Key(VK_TAB, modifier);
    WaitUntil([&] { return Focus(editor) != before; });
    return FocusedNumber(editor);
  }
};

TEST_F(EditorKeyboard, TabVisitsTextBoxesListsAndButtonsInCreationOrderAndWraps) {
  std::vector<int> forward;
  std::vector<int> backward;
  const int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }));
    // Nothing is focused at first: Tab starts at the first control.
    for (int i = 0; i < 11; ++i) forward.push_back(TabTo(editor));
    for (int i = 0; i < 3; ++i) backward.push_back(TabTo(editor, VK_SHIFT));
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(forward, (std::vector<int>{200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 200}));
  EXPECT_EQ(backward, (std::vector<int>{209, 208, 207}));
}

TEST_F(EditorKeyboard, CtrlASelectsTheWholeTextOfTheFocusedBox) {
  DWORD start = 99;
  DWORD end = 99;
  RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }));
    ASSERT_EQ(TabTo(editor), kNameBox);
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
    ASSERT_EQ(TabTo(editor), kNameBox);
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
