// _nbEditAction's dispatch, host code re-entering the plug-in from inside an editor,
// and the refusal box keeping the thread's other windows from taking input.
#include <gtest/gtest.h>

#include <atomic>

#include "editor_session.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kRegisterTitle = L"Duduve - Register Object";
constexpr int kNameBox = 200;
constexpr int kPick = 201;
constexpr int kOk = 208;
constexpr int kCancel = 209;

TEST(EditorDispatch, ActionsWithoutAnEditorReturnOneAndOpenNothing) {
  EditorHost host;
  standin::HostParams params{"keep", "these"};
  char* const first = params.Slot(0);
  for (int action : {3, 4, 0, 8, 9, -1}) {
    EXPECT_EQ(host.Host().Edit(action, params), 1) << action;
  }
  EXPECT_EQ(FindWindowW(nullptr, L"Duduve - Design Size"), nullptr);
  EXPECT_EQ(params.Slot(0), first);
  EXPECT_EQ(params.Text(0), "keep");
  EXPECT_EQ(params.Text(1), "these");
}

TEST(EditorDispatch, ANestedEditCallReturnsZeroAndTheOpenEditorKeepsWorking) {
  EditorHost host;
  standin::HostParams params{"", "", "", "", "", "", ""};
  standin::HostParams nestedParams{"", ""};
  std::atomic<int> nestedResult{-1};
  std::atomic<bool> nestedWindow{true};
  // Straight through the export, as host code inside the editor's loop would call it.
  using EditExport = int(WINAPI*)(int, char**);
  const auto edit = reinterpret_cast<EditExport>(
      reinterpret_cast<void*>(GetProcAddress(host.Host().Module(), "_nbEditAction")));
  ASSERT_NE(edit, nullptr);
  host.DuringPick = [&](standin::StandInHost&) {
    nestedResult = edit(1, nestedParams.Data());
    nestedWindow = FindWindowW(nullptr, L"Duduve - Design Size") != nullptr;
  };
  const int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kRegisterTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Pick(editor, kPick, "Torch");
    EXPECT_EQ(nestedResult.load(), 0);
    EXPECT_FALSE(nestedWindow.load());
    EXPECT_EQ(FindWindowW(nullptr, kRegisterTitle), editor);
    EXPECT_EQ(Text(editor, kNameBox), L"Torch");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(0), "Torch");
  EXPECT_EQ(params.Text(1), "STRETCH");
  EXPECT_EQ(nestedParams.Text(0), "");
  // Once the first editor is gone, editing works again.
  const int again = RunEdited(host.Host(), 1, nestedParams, [] {
    HWND editor = WaitForEditor(L"Duduve - Design Size", 103);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(PressAndWaitClosed(editor, 102));
  });
  EXPECT_EQ(again, 1);
  EXPECT_EQ(nestedParams.Text(0), "1280");
}

TEST(EditorDispatch, TheReleaseMessageClosesAnOpenEditorWhichThenWritesNothing) {
  EditorHost host;
  standin::HostParams params{"Lamp", "", "", "", "", "", ""};
  char* const first = params.Slot(0);
  host.DuringPick = [](standin::StandInHost& plugin) { plugin.Message(2); };
  const int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kRegisterTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Host().SetPickAnswer("Torch");
    Press(editor, kPick);
    EXPECT_TRUE(standin::WaitForWindowGone(editor));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(params.Slot(0), first);
  EXPECT_EQ(params.Text(0), "Lamp");
  EXPECT_EQ(host.Picks(), 1);
}

TEST(EditorMessageBox, WhileARefusalIsShownTheThreadsOtherWindowsTakeNoInput) {
  EditorHost host;
  HWND hostWindow = host.Host().Window();
  // Another top-level window of the editor's thread, topmost, as a host's tool palette.
  HWND palette =
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Static", L"palette",
                      WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(palette, nullptr);
  standin::HostParams params{"", "", "", "", "", "", ""};
  RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kRegisterTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(GetWindowLongW(palette, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "before the box";
    Press(editor, kOk);
    HWND box = standin::WaitForWindow(L"#32770", L"Duduve");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(standin::MessageBoxText(box), L"Object name required.");
    EXPECT_EQ(GetWindow(box, GW_OWNER), editor);
    EXPECT_FALSE(IsWindowEnabled(editor));
    EXPECT_FALSE(IsWindowEnabled(hostWindow));
    EXPECT_FALSE(IsWindowEnabled(palette));
    EXPECT_EQ(GetWindowLongW(palette, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // One button, OK.
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDNO), nullptr);
    standin::DismissMessageBox(box);
    EXPECT_TRUE(standin::WaitForWindowGone(box));
    Settle(editor);
    EXPECT_TRUE(IsWindowEnabled(editor));
    EXPECT_TRUE(IsWindowEnabled(hostWindow));
    EXPECT_TRUE(IsWindowEnabled(palette));
    // Wine 8 ignores HWND_TOPMOST for this thread's windows while the editor is active,
    // so the palette's return to the topmost band is not checked here.
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  DestroyWindow(palette);
}

}  // namespace
}  // namespace editor_test
