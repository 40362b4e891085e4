#include <gtest/gtest.h>

#include "group_fixture.h"

namespace duduve::testing {
namespace {

using GroupRegistration = GroupFixture;

TEST(MemberNames, DropBlanksRepeatsTheGroupAndTheTarget) {
  EXPECT_EQ(ParseMemberNames(L"Logo; logo ,Title,,Frame", L"frame", L"stage"),
            (std::vector<std::wstring>{L"Logo", L"Title"}));
  EXPECT_EQ(ParseMemberNames(L"A,B;C , D;STAGE", L"frame", L"stage"),
            (std::vector<std::wstring>{L"A", L"B", L"C", L"D"}));
  EXPECT_EQ(ParseMemberNames(L" ; , ;", L"frame", L"stage"), std::vector<std::wstring>{});
  EXPECT_EQ(ParseMemberNames(L"\tTab", L"frame", L"stage"), std::vector<std::wstring>{L"\tTab"});
}

TEST_F(GroupRegistration, ListedMembersKeepTheirFirstSpellingAndTheirWindows) {
  const auto logo = AddObject(L"Logo", {30, 40, 50, 20});
  ASSERT_EQ(RegisterGroupWith({L" Frame ", L"Stage", L"", L"Logo; logo ,Title,,Frame"}), 1);
  EXPECT_EQ(MemberNames(L"Frame"), (std::vector<std::wstring>{L"Logo", L"Title"}));
  const auto& members = Group(L"Frame")->Members;
  EXPECT_EQ(members[0].Window, logo);
  EXPECT_TRUE(members[0].Captured);
  EXPECT_EQ(members[0].Design(), (Rect{30, 40, 50, 20}));
  // The host knows no Title: it stays a member without window or rectangle.
  EXPECT_EQ(members[1].Window, 0u);
  EXPECT_FALSE(members[1].Captured);
}

TEST_F(GroupRegistration, RefusesBlankNamesAndAGroupThatIsItsOwnTarget) {
  AddObject(L"Logo", {0, 0, 10, 10});
  EXPECT_EQ(RegisterGroupWith({L"", L"Stage", L"", L"Logo"}), 0);
  EXPECT_EQ(RegisterGroupWith({L"Panel", L"  ", L"", L"Logo"}), 0);
  EXPECT_EQ(RegisterGroupWith({L"Panel", L" panel", L"", L"Logo"}), 0);
  EXPECT_TRUE(context.Registry.Groups.empty());
  EXPECT_TRUE(context.Registry.GroupCache.empty());
}

TEST_F(GroupRegistration, ModeWordsFallToFitUnlessTheyMeanFill) {
  AddObject(L"Logo", {0, 0, 10, 10});
  const std::pair<const wchar_t*, GroupMode> cases[] = {
      {L"fill", GroupMode::Fill}, {L" Scale ", GroupMode::Fill}, {L"STRETCH", GroupMode::Fill},
      {L"FIT", GroupMode::Fit},   {L"fitted", GroupMode::Fit},   {L"", GroupMode::Fit}};
  for (const auto& [word, mode] : cases) {
    ASSERT_EQ(RegisterGroupWith({L"Panel", L"Stage", word, L"Logo"}), 1);
    EXPECT_EQ(Group(L"Panel")->Mode, mode) << ::testing::PrintToString(std::wstring(word));
  }
}

TEST_F(GroupRegistration, RegisteringAgainKeepsThePlaceAndFailingRemovesTheGroup) {
  AddObject(L"Logo", {0, 0, 10, 10});
  ASSERT_EQ(RegisterGroupWith({L"Panel", L"Stage", L"", L"Logo"}), 1);
  ASSERT_EQ(RegisterGroupWith({L"Other", L"Stage", L"", L"Logo"}), 1);
  ASSERT_EQ(RegisterGroupWith({L"PANEL", L"Screen", L"FILL", L"Logo"}), 1);
  EXPECT_EQ(GroupNames(), (std::vector<std::wstring>{L"PANEL", L"Other"}));
  EXPECT_EQ(Group(L"PANEL")->TargetName, L"Screen");

  EXPECT_EQ(RegisterGroupWith({L"Panel", L"Stage", L"", L" ;, ; "}), 0);
  EXPECT_EQ(GroupNames(), (std::vector<std::wstring>{L"Other"}));
}

TEST_F(GroupRegistration, BoundsComeFromTheFrameObjectElseFromTheMembers) {
  AddObject(L"Frame", {100, 100, 200, 100});
  AddObject(L"A", {10, 10, 20, 20});
  AddObject(L"B", {50, 30, 10, 15});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L"A;B"}), 1);
  EXPECT_EQ(Group(L"Frame")->Bounds(), (Rect{100, 100, 200, 100}));

  ASSERT_EQ(RegisterGroupWith({L"Label", L"Stage", L"", L"A;Nobody;B"}), 1);
  const auto* label = Group(L"Label");
  EXPECT_TRUE(label->HasBounds);
  EXPECT_EQ(label->Bounds(), (Rect{10, 10, 50, 35}));
  EXPECT_EQ(label->FrameWindow, 0u);

  // Both are remembered, members without their windows.
  const auto& remembered = context.Registry.GroupCache.at(L"label");
  EXPECT_EQ(remembered.BoundsWidth, 50);
  ASSERT_EQ(remembered.Members.size(), 3u);
  for (const auto& member : remembered.Members) EXPECT_EQ(member.Window, 0u);
  EXPECT_EQ(remembered.Members[2].Design(), (Rect{50, 30, 10, 15}));
}

TEST_F(GroupRegistration, AFrameIsMeasuredOnceByName) {
  const auto frame = AddObject(L"Frame", {100, 100, 200, 100});
  AddObject(L"A", {110, 110, 20, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L"A"}), 1);
  windows.Place(frame, {0, 0, 50, 50});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L"A"}), 1);
  EXPECT_EQ(Group(L"Frame")->Bounds(), (Rect{100, 100, 200, 100}));
}

TEST_F(GroupRegistration, CollectionTakesOnePixelOfToleranceAndNoMore) {
  const auto frame = AddObject(L"Frame", {100, 100, 200, 100});
  const auto onePixelOut = windows.AddChild({99, 99, 202, 102});
  windows.AddChild({98, 100, 50, 50});   // two pixels left
  windows.AddChild({250, 100, 52, 50});  // two pixels right
  windows.AddChild({100, 98, 50, 50});   // two pixels up
  windows.AddChild({100, 150, 50, 52});  // two pixels down
  const auto inside = windows.AddChild({140, 120, 10, 10});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{onePixelOut, inside}));
  const auto& first = Group(L"Frame")->Members[0];
  EXPECT_EQ(first.Name, L"");
  EXPECT_TRUE(first.Captured);
  EXPECT_EQ(first.Design(), (Rect{99, 99, 202, 102}));
  EXPECT_EQ(Group(L"Frame")->FrameWindow, frame);
}

TEST_F(GroupRegistration, CollectionLeavesRegisteredObjectsAndTheTargetAlone) {
  AddObject(L"Frame", {100, 100, 200, 100});
  AddObject(L"Stage", {110, 110, 10, 10});
  AddObject(L"Title", {130, 110, 10, 10});
  ASSERT_EQ(Register({L"Title"}), 1);
  const auto loose = windows.AddChild({150, 110, 10, 10});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{loose}));
}

TEST_F(GroupRegistration, CollectionNeedsAKnownFrameButNotAnyWindowInside) {
  const auto frame = AddObject(L"Frame", {100, 100, 200, 100});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_TRUE(Group(L"Frame")->Members.empty());

  // The frame's rectangle is remembered, but the host names no window for it any more.
  const auto inside = windows.AddChild({110, 110, 10, 10});
  context.Registry.GroupCache.clear();
  host.Forget(L"Frame");
  ASSERT_EQ(context.Registry.DesignRectCache.count(L"frame"), 1u);
  EXPECT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 0);
  EXPECT_EQ(Group(L"Frame"), nullptr);
  EXPECT_TRUE(context.Registry.GroupCache.empty());

  // Named again, the frame collects; then neither its window nor its rectangle is known.
  windows.Destroy(frame);
  AddObject(L"Frame", {100, 100, 200, 100});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{inside}));
  context.Registry.GroupCache.clear();
  host.Forget(L"Frame");
  context.Registry.DesignRectCache.clear();
  EXPECT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 0);
  EXPECT_EQ(Group(L"Frame"), nullptr);
}

TEST_F(GroupRegistration, CollectionStopsAfter1024Windows) {
  AddObject(L"Frame", {0, 0, 100, 100});
  for (int i = 0; i < 1023; ++i) windows.AddChild({500, 500, 5, 5});
  windows.AddChild({10, 10, 5, 5});  // the 1025th child
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_TRUE(Group(L"Frame")->Members.empty());
}

// A page left and entered again: the same group comes back from memory and finds the
// new windows by where their centres lie inside the frame.
TEST_F(GroupRegistration, ReenteringAPageRebindsCollectedMembersByTheirCentres) {
  const auto frame = AddObject(L"Frame", {100, 100, 200, 100});
  const auto a = windows.AddChild({110, 110, 20, 20});  // centre at 0.1, 0.2
  const auto b = windows.AddChild({200, 140, 40, 20});  // centre at 0.6, 0.5
  const auto c = windows.AddChild({270, 170, 20, 20});  // centre at 0.9, 0.8
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  ASSERT_EQ(ClearAction(context), 1);

  for (auto window : {frame, a, b, c}) windows.Destroy(window);
  const auto newFrame = AddObject(L"Frame", {300, 200, 400, 200});
  const auto newB = windows.AddChild({520, 290, 40, 20});  // 0.6, 0.5
  const auto newA = windows.AddChild({330, 230, 20, 20});  // 0.1, 0.2
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);

  const auto* group = Group(L"Frame");
  EXPECT_EQ(group->FrameWindow, newFrame);
  EXPECT_EQ(group->Bounds(), (Rect{100, 100, 200, 100}));
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{newA, newB, 0}));
  EXPECT_EQ(group->Members[2].Design(), (Rect{270, 170, 20, 20}));
}

TEST_F(GroupRegistration, RebindingAcceptsCentresWithinThresholdOnly) {
  const auto frame = AddObject(L"Frame", {100, 100, 200, 100});
  const auto original = windows.AddChild({190, 140, 20, 20});  // centre at 0.5, 0.5
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  ASSERT_EQ(ClearAction(context), 1);
  windows.Destroy(original);

  const auto tooFar = windows.AddChild({222, 140, 20, 20});  // 0.66: squared distance 0.0256
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{0}));

  windows.Destroy(tooFar);
  const auto nearEnough = windows.AddChild({218, 140, 20, 20});  // 0.64: 0.0196
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{nearEnough}));
  EXPECT_EQ(Group(L"Frame")->FrameWindow, frame);
}

TEST_F(GroupRegistration, RebindingHalvesOddSizesExactly) {
  AddObject(L"Frame", {100, 100, 200, 100});
  const auto original = windows.AddChild({190, 140, 21, 20});  // centre 200.5: u 0.5025
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  ASSERT_EQ(ClearAction(context), 1);
  windows.Destroy(original);
  // 0.1475 across and 0.02 down: 0.02216 squared, inside; from a centre of 200 it
  // would be 0.15 across and 0.0229, outside.
  const auto candidate = windows.AddChild({220, 142, 20, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{candidate}));
}

TEST_F(GroupRegistration, RebindingGivesTiesToTheEarlierCandidateAndTheEarlierMember) {
  AddObject(L"Frame", {100, 100, 200, 100});
  std::vector<WindowHandle> originals;
  for (int i = 0; i < 3; ++i) originals.push_back(windows.AddChild({190, 140, 20, 20}));
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  ASSERT_EQ(ClearAction(context), 1);
  for (auto window : originals) windows.Destroy(window);

  // Both at exactly 0.125 from the remembered centres (0.375 and 0.625 of the width).
  const auto left = windows.AddChild({165, 140, 20, 20});
  const auto right = windows.AddChild({215, 140, 20, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{left, right, 0}));
}

TEST_F(GroupRegistration, MemoryIsReusedWithoutBeingRewritten) {
  AddObject(L"Frame", {100, 100, 200, 100});
  windows.AddChild({110, 110, 20, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  windows.AddChild({150, 110, 20, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"", L""}), 1);
  EXPECT_EQ(Group(L"Frame")->Members.size(), 1u);
  EXPECT_EQ(context.Registry.GroupCache.at(L"frame").Members.size(), 1u);
}

}  // namespace
}  // namespace duduve::testing
