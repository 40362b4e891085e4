#include "core/vocabulary.h"

#include <gtest/gtest.h>

#include "layout/attach_points.h"

namespace duduve {
namespace {

constexpr auto kStretch = AxisPolicy::Stretch;
constexpr auto kFixed = AxisPolicy::Fixed;
constexpr auto kUniform = AxisPolicy::Uniform;

TEST(AxisPolicyWords, AcceptWholeWordsInAnyCaseWithOuterSpaces) {
  EXPECT_EQ(ParseAxisPolicy(L" stretch ", kFixed), kStretch);
  EXPECT_EQ(ParseAxisPolicy(L"Fill", kFixed), kStretch);
  EXPECT_EQ(ParseAxisPolicy(L"SCALE", kFixed), kStretch);
  EXPECT_EQ(ParseAxisPolicy(L"fixed", kStretch), kFixed);
  EXPECT_EQ(ParseAxisPolicy(L"KEEP", kStretch), kFixed);
  EXPECT_EQ(ParseAxisPolicy(L"Move", kStretch), kFixed);
  EXPECT_EQ(ParseAxisPolicy(L"aspect", kStretch), kUniform);
  EXPECT_EQ(ParseAxisPolicy(L"FIT", kStretch), kUniform);
  EXPECT_EQ(ParseAxisPolicy(L"Uniform", kStretch), kUniform);
}

TEST(AxisPolicyWords, UnknownTabbedPartialAndEmptyFallToTheDefault) {
  EXPECT_EQ(ParseAxisPolicy(L"\tFIXED", kStretch), kStretch);
  EXPECT_EQ(ParseAxisPolicy(L"FIXED\t", kUniform), kUniform);
  EXPECT_EQ(ParseAxisPolicy(L"FIX", kStretch), kStretch);
  EXPECT_EQ(ParseAxisPolicy(L"FIXEDX", kUniform), kUniform);
  EXPECT_EQ(ParseAxisPolicy(L"", kFixed), kFixed);
  EXPECT_EQ(ParseAxisPolicy(L"   ", kUniform), kUniform);
}

TEST(AxisPolicyWords, WordsAndChoicesWriteBackCanonically) {
  EXPECT_EQ(AxisPolicyWord(0), L"STRETCH");
  EXPECT_EQ(AxisPolicyWord(1), L"FIXED");
  EXPECT_EQ(AxisPolicyWord(2), L"UNIFORM");
  EXPECT_EQ(AxisPolicyWord(7), L"STRETCH");
  EXPECT_EQ(AxisPolicyWord(-1), L"STRETCH");
  EXPECT_EQ(AxisPolicyWord(static_cast<std::int32_t>(ParseAxisPolicy(L"aspect", kStretch))),
            L"UNIFORM");
  EXPECT_EQ(ClampChoice(-1), 0);
  EXPECT_EQ(ClampChoice(0), 0);
  EXPECT_EQ(ClampChoice(1), 1);
  EXPECT_EQ(ClampChoice(2), 2);
  EXPECT_EQ(ClampChoice(3), 0);
}

TEST(AnchorWords, CodesAndWordsOnBothAxes) {
  EXPECT_EQ(ParseHorizontalAnchor(L"r"), HorizontalAnchor::Right);
  EXPECT_EQ(ParseHorizontalAnchor(L" Right "), HorizontalAnchor::Right);
  EXPECT_EQ(ParseHorizontalAnchor(L"C"), HorizontalAnchor::Center);
  EXPECT_EQ(ParseHorizontalAnchor(L"center"), HorizontalAnchor::Center);
  EXPECT_EQ(ParseVerticalAnchor(L"b"), VerticalAnchor::Bottom);
  EXPECT_EQ(ParseVerticalAnchor(L"BOTTOM"), VerticalAnchor::Bottom);
  EXPECT_EQ(ParseVerticalAnchor(L"CENTER"), VerticalAnchor::Center);
  EXPECT_EQ(ParseVerticalAnchor(L"c"), VerticalAnchor::Center);
}

TEST(AnchorWords, UnknownWordsAndOtherAxisWordsFallToLeftAndTop) {
  for (const auto* word : {L"middle", L"centre", L"", L"L", L"left", L"B", L"\tR", L"RIGHTS"}) {
    EXPECT_EQ(ParseHorizontalAnchor(word), HorizontalAnchor::Left)
        << ::testing::PrintToString(word);
  }
  for (const auto* word : {L"middle", L"centre", L"", L"T", L"top", L"R", L"\tB"}) {
    EXPECT_EQ(ParseVerticalAnchor(word), VerticalAnchor::Top) << ::testing::PrintToString(word);
  }
}

TEST(AnchorWords, CodesWrittenBack) {
  EXPECT_EQ(HorizontalAnchorCode(static_cast<std::int32_t>(ParseHorizontalAnchor(L"right"))), L"R");
  EXPECT_EQ(HorizontalAnchorCode(1), L"C");
  EXPECT_EQ(HorizontalAnchorCode(0), L"L");
  EXPECT_EQ(HorizontalAnchorCode(-1), L"L");
  EXPECT_EQ(HorizontalAnchorCode(3), L"L");
  EXPECT_EQ(VerticalAnchorCode(2), L"B");
  EXPECT_EQ(VerticalAnchorCode(1), L"C");
  EXPECT_EQ(VerticalAnchorCode(0), L"T");
  EXPECT_EQ(VerticalAnchorCode(9), L"T");
}

TEST(GroupModeWords, TheSameWordMeansSomethingElseForGroups) {
  EXPECT_EQ(ParseGroupMode(L"fill"), GroupMode::Fill);
  EXPECT_EQ(ParseGroupMode(L" Scale "), GroupMode::Fill);
  EXPECT_EQ(ParseGroupMode(L"STRETCH"), GroupMode::Fill);
  EXPECT_EQ(ParseGroupMode(L"FIT"), GroupMode::Fit);
  EXPECT_EQ(ParseGroupMode(L"fitted"), GroupMode::Fit);
  EXPECT_EQ(ParseGroupMode(L""), GroupMode::Fit);
  EXPECT_EQ(ParseGroupMode(L"UNIFORM"), GroupMode::Fit);
  // FIT is a uniform axis policy, FILL and SCALE stretch an axis.
  EXPECT_EQ(ParseAxisPolicy(L"FIT", kStretch), kUniform);
  EXPECT_EQ(ParseAxisPolicy(L"FILL", kFixed), kStretch);
  EXPECT_EQ(GroupModeWord(1), L"FILL");
  EXPECT_EQ(GroupModeWord(0), L"FIT");
  EXPECT_EQ(GroupModeWord(2), L"FIT");
}

TEST(AttachPoints, LetterTestsReadWordsLetterByLetter) {
  const auto bottom = AttachPointAxes(L"BOTTOM");  // holds a T
  EXPECT_EQ(bottom.Vertical, VerticalAnchor::Top);
  EXPECT_EQ(bottom.Horizontal, HorizontalAnchor::Center);
  const auto center = AttachPointAxes(L"CENTER");  // holds a T and an R
  EXPECT_EQ(center.Vertical, VerticalAnchor::Top);
  EXPECT_EQ(center.Horizontal, HorizontalAnchor::Right);
  const auto lower = AttachPointAxes(L"bc");
  EXPECT_EQ(lower.Vertical, VerticalAnchor::Bottom);
  EXPECT_EQ(lower.Horizontal, HorizontalAnchor::Center);
  const auto nothing = AttachPointAxes(L"");
  EXPECT_EQ(nothing.Vertical, VerticalAnchor::Center);
  EXPECT_EQ(nothing.Horizontal, HorizontalAnchor::Center);
}

TEST(AttachPoints, TheNineCodesGiveTheirTableAxes) {
  const wchar_t* codes[] = {L"TL", L"TC", L"TR", L"CL", L"CC", L"CR", L"BL", L"BC", L"BR"};
  for (std::int32_t i = 0; i < 9; ++i) {
    const auto axes = AttachPointAxes(codes[i]);
    EXPECT_EQ(static_cast<std::int32_t>(axes.Vertical), i / 3) << i;
    EXPECT_EQ(static_cast<std::int32_t>(axes.Horizontal), i % 3) << i;
    EXPECT_EQ(ParseAttachPoint(codes[i]), i);
    EXPECT_EQ(AttachPointCode(i), codes[i]);
  }
}

TEST(AttachPoints, EditorCodesAndLabels) {
  EXPECT_EQ(ParseAttachPoint(L" br "), 8);
  EXPECT_EQ(ParseAttachPoint(L"tl"), 0);
  EXPECT_EQ(ParseAttachPoint(L"BOTTOM"), 4);
  EXPECT_EQ(ParseAttachPoint(L""), 4);
  EXPECT_EQ(ParseAttachPoint(L"\tTL"), 4);
  EXPECT_EQ(AttachPointCode(9), L"CC");
  EXPECT_EQ(AttachPointCode(-1), L"CC");
  const auto& labels = AttachPointLabels();
  EXPECT_EQ(labels[0], L"Top-Left");
  EXPECT_EQ(labels[1], L"Top-Center");
  EXPECT_EQ(labels[2], L"Top-Right");
  EXPECT_EQ(labels[3], L"Center-Left");
  EXPECT_EQ(labels[4], L"Center");
  EXPECT_EQ(labels[5], L"Center-Right");
  EXPECT_EQ(labels[6], L"Bottom-Left");
  EXPECT_EQ(labels[7], L"Bottom-Center");
  EXPECT_EQ(labels[8], L"Bottom-Right");
}

}  // namespace
}  // namespace duduve
