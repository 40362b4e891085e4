// Editing a page's script lines in the live window with Duduve's own editors: the live
// window runs on the test's thread (the editor's modal loop inside it) while a second thread
// opens lines in the list, clicks objects, fills in the editor and presses its buttons. The
// page file on disk is compared byte for byte afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "editor_session.h"
#include "file_output.h"
#include "line_list_window.h"
#include "live_fixture.h"
#include "window_driver.h"

namespace preview {
namespace {

using editor_test::WaitUntil;

constexpr wchar_t kRegisterEditor[] = L"Duduve - Register Object";
constexpr int kName = 200;
constexpr int kPick = 201;
constexpr int kWidthList = 202;
constexpr int kHeightList = 203;
constexpr int kHorizontalList = 204;
constexpr int kNudgeX = 206;
constexpr int kOk = 208;
constexpr int kCancel = 209;

// CRLF line ends, a comment, blank lines, an indented line and a double space: all of it must
// survive an edit of another line.
constexpr char kPage[] =
    "# Workbench page\r\n"
    "page 640 360\r\n"
    "\r\n"
    "object Bar     0   0 640  60 kind=panel\r\n"
    "object Logo  270  10 100  40 kind=image\r\n"
    "object Stage  40 100 200 200\r\n"
    "object Tag    40  80  80  16 kind=text\r\n"
    "on enter\r\n"
    "Duduve_Clear\r\n"
    "Duduve_SetDesignSize \"640\" \"360\"\r\n"
    "  # the bar stretches\r\n"
    "  Duduve_RegisterObject \"Bar\" \"stretch\" \"keep\" \"l\" \"t\" \"0\" \"0\"\r\n"
    "Duduve_RegisterObject  \"Logo\" \"UNIFORM\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\"\r\n"
    "Duduve_Apply\r\n"
    "\r\n"
    "on resized\r\n"
    "Duduve_Apply\r\n";

// The page with line `number` (1-based) replaced by `line`, or with `line` inserted before it.
std::string PageWith(int number, const std::string& line, bool insert = false) {
  std::string text = kPage;
  std::size_t begin = 0;
  for (int i = 1; i < number; ++i) begin = text.find("\r\n", begin) + 2;
  const std::size_t end = insert ? begin : text.find("\r\n", begin);
  return text.replace(begin, end - begin, insert ? line + "\r\n" : line);
}

bool WaitForStatus(HWND lines, const std::wstring& start) {
  return WaitUntil([&] { return Status(lines).starts_with(start); });
}

// Double-clicks the list's entry of script line `number`, as the author would.
void OpenLine(HWND lines, int number) {
  const auto entries = Entries(lines);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].second != number) continue;
    SendMessageW(List(lines), LB_SETCURSEL, i, 0);
    PostMessageW(lines, WM_COMMAND, MAKEWPARAM(LineListWindow::kListId, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(List(lines)));
    return;
  }
  ADD_FAILURE() << "no entry for line " << number;
}

HWND ObjectWindow(HWND live, const char* name) {
  return FindObjectWindow(live, name);
}

// A click of the left button at a point of a window's client area, as posted input.
void Click(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The popup menu a thread shows; wine may keep hidden menu windows besides it.
HWND ShownMenu(DWORD thread) {
  HWND shown = nullptr;
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM found) CALLBACK -> BOOL {
        if (!IsWindowVisible(window) || standin::ClassName(window) != L"#32768") return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&shown));
  return shown;
}

// Right-clicks an object and chooses the only entry of its menu by its access key. Wine
// cancels a menu when a focus change of the X server reaches it late (after an editor has
// closed, say); a menu that never showed is asked for again, up to three times.
bool ChooseRegister(HWND live, const char* name) {
  HWND object = ObjectWindow(live, name);
  RECT bounds{};
  GetWindowRect(object, &bounds);
  const DWORD thread = GetWindowThreadProcessId(live, nullptr);
  for (int attempt = 0; attempt < 3; ++attempt) {
    PostMessageW(live, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(object),
                 MAKELPARAM(bounds.left + 10, bounds.top + 10));
    HWND menu = nullptr;
    const ULONGLONG deadline = GetTickCount64() + standin::kWindowWaitMs;
    while ((menu = ShownMenu(thread)) == nullptr && GetTickCount64() < deadline) Sleep(5);
    if (menu == nullptr) continue;
    // To the menu's owner: the menu's loop takes every message of the thread.
    PostMessageW(live, WM_CHAR, 'r', 0);
    return standin::WaitForWindowGone(menu);
  }
  return false;
}

using PreviewLiveEdit = LiveFixture;

TEST_F(PreviewLiveEdit, AnEditRewritesOnlyItsLineKeepsABackupAndPlaysThePageAgain) {
  const std::string edited =
      PageWith(12, "  Duduve_RegisterObject \"Bar\" \"UNIFORM\" \"FIXED\" \"L\" \"T\" \"5\" \"0\"");
  const Page after = Parsed(edited);
  const auto expected = BatchBoxes(edited, {{640, 360}});
  Write(kPage);
  const LiveEnd end = RunLive([&](HWND live) {
    OpenLine(lines_, 12);
    HWND editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetWindow(editor, GW_OWNER), live) << "the live window owns the editor";
    EXPECT_EQ(editor_test::Text(editor, kName), L"Bar");
    EXPECT_EQ(editor_test::Chosen(editor, kHeightList), 1) << "keep is FIXED";
    editor_test::Choose(editor, kWidthList, 2);
    editor_test::Type(editor, kNudgeX, L"+5");
    EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kOk));
    EXPECT_TRUE(WaitForStatus(lines_, L"line 12 saved: "));
    EXPECT_EQ(Status(lines_),
              L"line 12 saved: Duduve_RegisterObject \"Bar\" \"UNIFORM\" \"FIXED\" \"L\" \"T\" "
              L"\"5\" \"0\" (the previous version is live.page.bak)");
    // The page was played again from the new file.
    ExpectBoxes(live, after, expected[0], "after the edit");
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), edited);
  EXPECT_EQ(Read(path_ + L".bak"), kPage);
  EXPECT_TRUE(end.Unloaded);
  EXPECT_EQ(end.Faults, "");
}

TEST_F(PreviewLiveEdit, PickAnswersTheObjectClickedAndNothingForEscapeOrAClickOutside) {
  Write(kPage);
  RunLive([&](HWND live) {
    OpenLine(lines_, 13);
    HWND editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
    ASSERT_NE(editor, nullptr);
    const auto pick = [&](const std::function<void()>& answer) {
      editor_test::Press(editor, kPick);
      ASSERT_TRUE(WaitForStatus(lines_, L"Pick: click an object"));
      answer();
      ASSERT_TRUE(WaitUntil([&] { return !Status(lines_).starts_with(L"Pick:"); }));
      editor_test::Settle(editor);
    };
    pick([&] { Click(ObjectWindow(live, "Stage"), 5, 5); });
    EXPECT_EQ(editor_test::Text(editor, kName), L"Stage");
    EXPECT_EQ(Status(lines_), L"picked Stage");
    pick([&] { PostMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(editor_test::Text(editor, kName), L"Stage") << "Escape answers nothing";
    EXPECT_TRUE(IsWindowVisible(editor)) << "the pick's Escape does not close the editor";
    // Below the stage, where no object lies; then on the tag.
    pick([&] { Click(live, 600, 340); });
    EXPECT_EQ(editor_test::Text(editor, kName), L"Stage") << "a click outside answers nothing";
    pick([&] { Click(ObjectWindow(live, "Tag"), 2, 2); });
    EXPECT_EQ(editor_test::Text(editor, kName), L"Tag");
    EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kCancel));
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), kPage);
}

// A card holding a button with a star on it, and a label reaching past the card's right edge.
constexpr char kCardPage[] =
    "page 640 360\n"
    "object Card   40  60 300 200 kind=panel\n"
    "object Ok     60 200  80  30 kind=button in=Card\n"
    "object Star   70 205  20  20 in=Ok\n"
    "object Stray 300 100 100  40 kind=text in=Card\n"
    "object Side  440   0 200 360 kind=panel\n"
    "Duduve_Clear\n"
    "Duduve_SetDesignSize \"640\" \"360\"\n"
    "Duduve_RegisterObject \"Card\" \"STRETCH\" \"STRETCH\" \"L\" \"T\" \"0\" \"0\"\n"
    "Duduve_RegisterObject \"Side\" \"STRETCH\" \"STRETCH\" \"R\" \"T\" \"0\" \"0\"\n"
    "Duduve_Apply\n";

TEST_F(PreviewLiveEdit, PickAnswersTheInnermostObjectShownWhereTheAuthorClicks) {
  Write(kCardPage);
  RunLive([&](HWND live) {
    OpenLine(lines_, 9);
    HWND editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
    ASSERT_NE(editor, nullptr);
    const auto pick = [&](const char* object, int x, int y) {
      editor_test::Press(editor, kPick);
      ASSERT_TRUE(WaitForStatus(lines_, L"Pick: click an object"));
      Click(ObjectWindow(live, object), x, y);
      ASSERT_TRUE(WaitUntil([&] { return !Status(lines_).starts_with(L"Pick:"); }));
      editor_test::Settle(editor);
    };
    pick("Star", 2, 2);
    EXPECT_EQ(editor_test::Text(editor, kName), L"Star") << "two containers deep";
    pick("Ok", 50, 5);
    EXPECT_EQ(editor_test::Text(editor, kName), L"Ok") << "inside the card, beside the star";
    pick("Card", 5, 5);
    EXPECT_EQ(editor_test::Text(editor, kName), L"Card");
    // 60 pixels into the label is past the card's edge, where nothing shows it.
    pick("Stray", 60, 5);
    EXPECT_EQ(editor_test::Text(editor, kName), L"Card") << "a cut-off part answers nothing";
    pick("Stray", 5, 5);
    EXPECT_EQ(editor_test::Text(editor, kName), L"Stray");
    EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kCancel));
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), kCardPage);
}

TEST_F(PreviewLiveEdit, CancelChangesNothing) {
  Write(kPage);
  RunLive([&](HWND live) {
    OpenLine(lines_, 13);
    HWND editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
    ASSERT_NE(editor, nullptr);
    editor_test::Type(editor, kName, L"Other");
    editor_test::Choose(editor, kHorizontalList, 2);
    EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kCancel));
    EXPECT_TRUE(WaitForStatus(lines_, L"the edit of line 13 was cancelled; nothing changed"));
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), kPage);
  EXPECT_EQ(GetFileAttributesW((path_ + L".bak").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PreviewLiveEdit, ASaveIntoAReadOnlyFileIsRefusedAndChangesNothing) {
  const Page page = Parsed(kPage);
  const auto before = BatchBoxes(kPage, {{640, 360}});
  Write(kPage);
  ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  RunLive([&](HWND live) {
    OpenLine(lines_, 12);
    HWND editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
    ASSERT_NE(editor, nullptr);
    editor_test::Choose(editor, kWidthList, 1);
    EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kOk));
    EXPECT_TRUE(WaitForStatus(lines_, L"could not save"));
    EXPECT_EQ(Status(lines_), L"could not save live.page: the file is read-only; nothing changed");
    ExpectBoxes(live, page, before[0], "after the refused save");
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), kPage);
  EXPECT_EQ(GetFileAttributesW((path_ + L".bak").c_str()), INVALID_FILE_ATTRIBUTES);
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder_ + L"\\*.saving-*").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(PreviewLiveEdit, ASaveThatCannotReplaceThePageSaysSoAndKeepsTheOldBackup) {
  Write(kPage);
  const std::string oldBackup = "the previous save\r\n";
  ASSERT_FALSE(WriteAllOrNothing({{path_ + L".bak", {oldBackup.begin(), oldBackup.end()}}}));
  // Held without sharing the page cannot be read back after the editor; shared for reading
  // it is read, and then cannot be replaced.
  const struct {
    DWORD Sharing;
    std::wstring Status;
  } holders[] = {{0, L"could not save live.page: cannot read the file; nothing changed"},
                 {FILE_SHARE_READ, L"could not save live.page: cannot replace the file: "}};
  RunLive([&](HWND live) {
    for (const auto& holder : holders) {
      SCOPED_TRACE(holder.Sharing);
      OpenLine(lines_, 12);
      HWND editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
      ASSERT_NE(editor, nullptr);
      editor_test::Choose(editor, kWidthList, 1);
      const HANDLE held = CreateFileW(path_.c_str(), GENERIC_READ, holder.Sharing, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      EXPECT_NE(held, INVALID_HANDLE_VALUE);
      EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kOk));
      EXPECT_TRUE(WaitForStatus(lines_, holder.Status)) << Status(lines_);
      EXPECT_TRUE(Status(lines_).ends_with(L"; nothing changed")) << Status(lines_);
      CloseHandle(held);
    }
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), kPage);
  EXPECT_EQ(Read(path_ + L".bak"), oldBackup);
  for (const wchar_t* leftover : {L"\\*.saving-*", L"\\*.previous-*"}) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder_ + leftover).c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
  }
}

TEST_F(PreviewLiveEdit, NoEditorOpensOnALineWhoseParametersDuduveReadsOnlyInPart) {
  // An accented letter empties the member list; 1,500 characters are read as their first 1,024.
  const std::string page = PageWith(13,
                                    "Duduve_RegisterGroup \"Logo\" \"Bar\" \"FIT\" \"Caf\xE9\"\r\n"
                                    "Duduve_RegisterGroup \"Tag\" \"Bar\" \"FIT\" \"" +
                                        std::string(1500, 'A') + "\"");
  Write(page);
  RunLive([&](HWND live) {
    OpenLine(lines_, 13);
    EXPECT_TRUE(WaitForStatus(lines_, L"cannot edit line 13: "));
    EXPECT_EQ(Status(lines_),
              L"cannot edit line 13: Members \"Caf\u00E9\" holds a byte outside 7-bit ASCII "
              L"(0xE9, character 4), so Duduve reads it as empty; its editor would save only "
              L"what Duduve reads, so correct the line in live.page");
    OpenLine(lines_, 14);
    EXPECT_TRUE(WaitForStatus(lines_, L"cannot edit line 14: "));
    EXPECT_EQ(Status(lines_),
              L"cannot edit line 14: Members is 1500 characters long; Duduve reads only the "
              L"first 1024; its editor would save only what Duduve reads, so correct the line "
              L"in live.page");
    EXPECT_EQ(FindWindowW(nullptr, L"Duduve - Register Group"), nullptr);
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), page);
}

TEST_F(PreviewLiveEdit, RegisterNameInsertsANewLineBeforePageEntrysApplyOrOpensTheExistingOne) {
  const std::string inserted = PageWith(
      14, "Duduve_RegisterObject \"Stage\" \"UNIFORM\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\"", true);
  Write(kPage);
  RunLive([&](HWND live) {
    ASSERT_TRUE(ChooseRegister(live, "Stage"));
    HWND editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor_test::Text(editor, kName), L"Stage");
    editor_test::Choose(editor, kWidthList, 2);
    editor_test::Choose(editor, kHeightList, 2);
    editor_test::Choose(editor, kHorizontalList, 1);
    editor_test::SaveScreenshot({live, lines_, editor}, L"live-edit-register-object");
    EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kOk));
    EXPECT_TRUE(WaitForStatus(lines_, L"the new line saved: Duduve_RegisterObject \"Stage\""));

    // An object with a line of its own opens on that line.
    ASSERT_TRUE(ChooseRegister(live, "Bar"));
    editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor_test::Text(editor, kName), L"Bar");
    EXPECT_EQ(editor_test::Chosen(editor, kHeightList), 1);
    EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kCancel));
    EXPECT_TRUE(WaitForStatus(lines_, L"the edit of line 12 was cancelled"));
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), inserted);
  EXPECT_EQ(Read(path_ + L".bak"), kPage);
}

TEST_F(PreviewLiveEdit, AFileChangedOnDiskWhileTheEditorIsOpenWins) {
  const std::string changed =
      PageWith(13, "Duduve_RegisterObject \"Logo\" \"\" \"\" \"\" \"\" \"0\" \"0\"");
  Write(kPage);
  RunLive([&](HWND live) {
    OpenLine(lines_, 12);
    HWND editor = editor_test::WaitForEditor(kRegisterEditor, kCancel);
    ASSERT_NE(editor, nullptr);
    Write(changed);
    editor_test::Choose(editor, kWidthList, 1);
    EXPECT_TRUE(editor_test::PressAndWaitClosed(editor, kOk));
    EXPECT_TRUE(WaitForStatus(
        lines_,
        L"live.page changed on disk while the editor was open, so the edit was not written"));
    // The list shows the file's own line now.
    EXPECT_TRUE(WaitUntil([&] {
      for (const auto& entry : Entries(lines_)) {
        if (entry.second == 13)
          return entry.first.ends_with(L"\"Logo\" \"\" \"\" \"\" \"\" \"0\" \"0\"");
      }
      return false;
    }));
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Read(path_), changed);
  EXPECT_EQ(GetFileAttributesW((path_ + L".bak").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PreviewLiveEdit, TheListShowsEveryLineWithItsFindingsAndTheCaptionCountsThem) {
  const std::string faulty =
      PageWith(13, "Duduve_RegisterObject \"Logo\" \"STRECH\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\"");
  Write(faulty);
  RunLive([&](HWND live) {
    const std::vector<std::pair<std::wstring, int>> expected = {
        {L"on enter", 0},
        {L"   9  Duduve_Clear", 9},
        {L"  10  Duduve_SetDesignSize \"640\" \"360\"", 10},
        {L"  12  Duduve_RegisterObject \"Bar\" \"stretch\" \"keep\" \"l\" \"t\" \"0\" \"0\"", 12},
        {L"  13  Duduve_RegisterObject \"Logo\" \"STRECH\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\"",
         13},
        {L"        ! WMode \"STRECH\" is not a sizing word, so Duduve sizes the width with its "
         L"default, STRETCH",
         13},
        {L"  14  Duduve_Apply", 14},
        {L"on resized", 0},
        {L"  17  Duduve_Apply", 17},
    };
    EXPECT_EQ(Entries(lines_), expected);
    EXPECT_TRUE(standin::WindowText(live).starts_with(
        L"1 warning (!) in the script lines | live.page - 640 x 360"))
        << standin::WindowText(live);
    EXPECT_EQ(GetWindow(lines_, GW_OWNER), live);
    RECT page{};
    RECT list{};
    GetWindowRect(live, &page);
    GetWindowRect(lines_, &list);
    EXPECT_GE(list.left, page.right) << "the list sits beside the page";
    RECT client{};
    GetClientRect(live, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 360);
    // Apply has no parameters: nothing opens.
    OpenLine(lines_, 14);
    EXPECT_TRUE(WaitForStatus(lines_, L"Duduve_Apply has no parameters to edit"));
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
}

}  // namespace
}  // namespace preview
