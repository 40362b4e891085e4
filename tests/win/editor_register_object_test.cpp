// The register-object editor: lists preselected from any accepted spelling, canonical
// words and codes written back, numbers normalised, the name required, Pick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kTitle = L"Duduve - Register Object";
constexpr int kNameBox = 200;
constexpr int kPick = 201;
constexpr int kWidthList = 202;
constexpr int kHeightList = 203;
constexpr int kHorizontalList = 204;
constexpr int kVerticalList = 205;
constexpr int kNudgeX = 206;
constexpr int kNudgeY = 207;
constexpr int kOk = 208;
constexpr int kCancel = 209;

std::vector<std::string> Texts(const standin::HostParams& params) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < params.Size(); ++i) texts.push_back(params.Text(i));
  return texts;
}

using Words = std::vector<std::string>;

class EditorRegisterObject : public ::testing::Test {
 protected:
  EditorHost host;
};

TEST_F(EditorRegisterObject, SynonymsOpenOnTheirEntriesAndComeBackCanonical) {
  standin::HostParams params{"Torch", "keep", " fit ", "right", "c", "", ""};
  const int result = RunEdited(host.Host(), 2, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Text(editor, kNameBox), L"Torch");
    EXPECT_EQ(Chosen(editor, kWidthList), 1);
    EXPECT_EQ(Chosen(editor, kHeightList), 2);
    EXPECT_EQ(Chosen(editor, kHorizontalList), 2);
    EXPECT_EQ(Chosen(editor, kVerticalList), 1);
    EXPECT_EQ(Text(editor, kNudgeX), L"0");
    EXPECT_EQ(Text(editor, kNudgeY), L"0");
    SaveScreenshot(editor, L"register-object");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Torch", "FIXED", "UNIFORM", "R", "C", "0", "0"}));
}

TEST_F(EditorRegisterObject, ListsHoldTheirEntriesAndBlankWordsWriteTheFirst) {
  standin::HostParams params{" Lamp ", "", "", "", "", "", ""};
  const int result = RunEdited(host.Host(), 2, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Entries(editor, kWidthList),
              (std::vector<std::wstring>{L"STRETCH (scale width with window)",
                                         L"FIXED (keep design width)",
                                         L"UNIFORM (scale by aspect factor)"}));
    EXPECT_EQ(Entries(editor, kHeightList),
              (std::vector<std::wstring>{L"STRETCH (scale height with window)",
                                         L"FIXED (keep design height)",
                                         L"UNIFORM (scale by aspect factor)"}));
    EXPECT_EQ(Entries(editor, kHorizontalList),
              (std::vector<std::wstring>{L"Left (track left edge)",
                                         L"Center (stay horizontally centered)",
                                         L"Right (snug to right edge)"}));
    EXPECT_EQ(
        Entries(editor, kVerticalList),
        (std::vector<std::wstring>{L"Top (track top edge)", L"Center (stay vertically centered)",
                                   L"Bottom (snug to bottom edge)"}));
    for (int list : {kWidthList, kHeightList, kHorizontalList, kVerticalList}) {
      EXPECT_EQ(Chosen(editor, list), 0) << list;
    }
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Lamp", "STRETCH", "STRETCH", "L", "T", "0", "0"}));
}

TEST_F(EditorRegisterObject, ChosenEntriesAndTypedNudgesAreWrittenNormalised) {
  standin::HostParams params{"Torch", "STRETCH", "STRETCH", "L", "T", "0", "0"};
  int result = RunEdited(host.Host(), 2, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    Choose(editor, kWidthList, 2);
    Choose(editor, kHeightList, 1);
    Choose(editor, kHorizontalList, 1);
    Choose(editor, kVerticalList, 2);
    Type(editor, kNudgeX, L"-12");
    Type(editor, kNudgeY, L" 3.7");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Torch", "UNIFORM", "FIXED", "C", "B", "-12", "3"}));

  result = RunEdited(host.Host(), 2, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    Type(editor, kNudgeX, L"abc");
    Type(editor, kNudgeY, L"");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(5), "0");
  EXPECT_EQ(params.Text(6), "0");

  // The full 64-bit value comes back, not its low 32 bits.
  result = RunEdited(host.Host(), 2, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    Type(editor, kNudgeX, L"+4294967297");
    Type(editor, kNudgeY, L"$10");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(5), "4294967297");
  EXPECT_EQ(params.Text(6), "16");
}

TEST_F(EditorRegisterObject, AMissingNameIsRefusedAndEverythingTypedStays) {
  standin::HostParams params{"", "FIXED", "", "", "", "7", ""};
  const auto before = Texts(params);
  char* const firstSlot = params.Slot(0);
  const int result = RunEdited(host.Host(), 2, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(PressExpectingRefusal(editor, kOk), L"Object name required.");
    Type(editor, kNameBox, L"   ");
    Choose(editor, kVerticalList, 2);
    Type(editor, kNudgeY, L"5");
    EXPECT_EQ(PressExpectingRefusal(editor, kOk), L"Object name required.");
    EXPECT_EQ(Text(editor, kNameBox), L"   ");
    EXPECT_EQ(Chosen(editor, kWidthList), 1);
    EXPECT_EQ(Chosen(editor, kVerticalList), 2);
    EXPECT_EQ(Text(editor, kNudgeX), L"7");
    EXPECT_EQ(Text(editor, kNudgeY), L"5");
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Texts(params), before);
  EXPECT_EQ(params.Slot(0), firstSlot);
}

TEST_F(EditorRegisterObject, PickFillsTheNameOnlyWithANonEmptyAnswer) {
  standin::HostParams params{"Old", "", "", "", "", "", ""};
  const int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Pick(editor, kPick, "");
    EXPECT_EQ(Text(editor, kNameBox), L"Old");
    host.Pick(editor, kPick, "Torch Bowl");
    EXPECT_EQ(Text(editor, kNameBox), L"Torch Bowl");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(host.Picks(), 2);
  EXPECT_EQ(params.Text(0), "Torch Bowl");
}

}  // namespace
}  // namespace editor_test
