// The group editor: the mode list, both names required and distinct, and the member
// list that "Add" builds from picked objects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kTitle = L"Duduve - Register Group";
constexpr int kGroupBox = 500;
constexpr int kGroupPick = 501;
constexpr int kTargetBox = 502;
constexpr int kTargetPick = 503;
constexpr int kModeList = 504;
constexpr int kMembersBox = 505;
constexpr int kAdd = 506;
constexpr int kOk = 507;
constexpr int kCancel = 508;

using Words = std::vector<std::string>;

std::vector<std::string> Texts(const standin::HostParams& params) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < params.Size(); ++i) texts.push_back(params.Text(i));
  return texts;
}

class EditorRegisterGroup : public ::testing::Test {
 protected:
  EditorHost host;

  // Opens the editor on `params`, checks the preselected mode and presses OK.
  int ConfirmMode(standin::HostParams& params, int expectedMode) {
    return RunEdited(host.Host(), 7, params, [&] {
      HWND editor = WaitForEditor(kTitle, kCancel);
      ASSERT_NE(editor, nullptr);
      EXPECT_EQ(Chosen(editor, kModeList), expectedMode);
      EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
    });
  }
};

TEST_F(EditorRegisterGroup, ModeWordsOpenOnTheirEntryAndComeBackAsFitOrFill) {
  standin::HostParams stretch{"Frame", "Panel", "stretch", ""};
  EXPECT_EQ(ConfirmMode(stretch, 1), 1);
  EXPECT_EQ(Texts(stretch), (Words{"Frame", "Panel", "FILL", ""}));

  standin::HostParams blank{"Frame", "Panel", "", ""};
  EXPECT_EQ(ConfirmMode(blank, 0), 1);
  EXPECT_EQ(blank.Text(2), "FIT");

  standin::HostParams unknown{"Frame", "Panel", "zoom", ""};
  EXPECT_EQ(ConfirmMode(unknown, 0), 1);
  EXPECT_EQ(unknown.Text(2), "FIT");
}

TEST_F(EditorRegisterGroup, TheModeListHoldsItsTwoEntriesAndAChoiceIsWritten) {
  standin::HostParams params{"", "", "", ""};
  const int result = RunEdited(host.Host(), 7, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Entries(editor, kModeList),
              (std::vector<std::wstring>{L"FIT (uniform scale, centered -- no distortion)",
                                         L"FILL (independent X/Y -- fills the whole target)"}));
    Type(editor, kGroupBox, L"Frame");
    Type(editor, kTargetBox, L"Panel");
    Type(editor, kMembersBox, L"Torch1;Torch2");
    SaveScreenshot(editor, L"register-group");
    Choose(editor, kModeList, 1);
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Frame", "Panel", "FILL", "Torch1;Torch2"}));
}

TEST_F(EditorRegisterGroup, AddAppendsEachPickedNameWithASemicolon) {
  standin::HostParams params{"Frame", "Panel", "FIT", ""};
  const int result = RunEdited(host.Host(), 7, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Pick(editor, kAdd, "Torch1");
    EXPECT_EQ(Text(editor, kMembersBox), L"Torch1");
    host.Pick(editor, kAdd, "Torch2");
    EXPECT_EQ(Text(editor, kMembersBox), L"Torch1;Torch2");
    host.Pick(editor, kAdd, "");
    EXPECT_EQ(Text(editor, kMembersBox), L"Torch1;Torch2");
    host.Pick(editor, kAdd, "Torch1");
    EXPECT_EQ(Text(editor, kMembersBox), L"Torch1;Torch2;Torch1");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(3), "Torch1;Torch2;Torch1");
}

TEST_F(EditorRegisterGroup, AddReplacesBlanksAndTrimsWhatItExtends) {
  standin::HostParams params{"Frame", "Panel", "FIT", "   "};
  const int result = RunEdited(host.Host(), 7, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    Type(editor, kMembersBox, L"   ");
    host.Pick(editor, kAdd, "Torch1");
    EXPECT_EQ(Text(editor, kMembersBox), L"Torch1");
    Type(editor, kMembersBox, L" A;B ");
    host.Pick(editor, kAdd, "C");
    EXPECT_EQ(Text(editor, kMembersBox), L"A;B;C");
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(params.Text(3), "   ");
}

TEST_F(EditorRegisterGroup, MembersAreWrittenTrimmedButOtherwiseAsTyped) {
  // Names of the group or the target among the members, or a name twice, pass.
  standin::HostParams params{" Frame ", "Panel", "FILL", "A;Frame;Panel;A; "};
  EXPECT_EQ(ConfirmMode(params, 1), 1);
  EXPECT_EQ(Texts(params), (Words{"Frame", "Panel", "FILL", "A;Frame;Panel;A;"}));
}

TEST_F(EditorRegisterGroup, MissingOrIdenticalNamesAreRefusedAndCancelWritesNothing) {
  standin::HostParams params{"Frame", "", "FILL", "A"};
  const auto before = Texts(params);
  const int result = RunEdited(host.Host(), 7, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(PressExpectingRefusal(editor, kOk), L"Group and Target names are both required.");
    Type(editor, kGroupBox, L"");
    Type(editor, kTargetBox, L"Panel");
    EXPECT_EQ(PressExpectingRefusal(editor, kOk), L"Group and Target names are both required.");
    Type(editor, kGroupBox, L"Frame");
    Type(editor, kTargetBox, L"frame");
    EXPECT_EQ(PressExpectingRefusal(editor, kOk), L"A group cannot target itself.");
    EXPECT_EQ(Text(editor, kGroupBox), L"Frame");
    EXPECT_EQ(Text(editor, kTargetBox), L"frame");
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Texts(params), before);
}

TEST_F(EditorRegisterGroup, PicksFillTheGroupAndTargetBoxes) {
  standin::HostParams params{"Old", "", "", ""};
  const int result = RunEdited(host.Host(), 7, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Pick(editor, kGroupPick, "");
    EXPECT_EQ(Text(editor, kGroupBox), L"Old");
    host.Pick(editor, kGroupPick, "Frame");
    host.Pick(editor, kTargetPick, "Panel");
    EXPECT_EQ(Text(editor, kGroupBox), L"Frame");
    EXPECT_EQ(Text(editor, kTargetBox), L"Panel");
    EXPECT_EQ(Text(editor, kMembersBox), L"");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Frame", "Panel", "FIT", ""}));
}

}  // namespace
}  // namespace editor_test
