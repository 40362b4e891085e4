#include <gtest/gtest.h>

#include "group_fixture.h"
#include "groups/group_placement.h"
#include "groups/object_snapshot.h"

namespace duduve::testing {
namespace {

TEST(GroupPlacement, FitScalesByTheSmallerFactorAndCentresWithIntegerHalving) {
  // Twice as wide and three times as high: factor 2, centred vertically.
  auto fit = PlaceGroup({10, 20, 200, 100}, {100, 50, 400, 300}, GroupMode::Fit);
  EXPECT_EQ(fit.ScaleX, 2.0f);
  EXPECT_EQ(fit.ScaleY, 2.0f);
  EXPECT_EQ(fit.Frame, (Rect{100, 100, 400, 200}));

  // The odd leftover pixel of 401 halves to 0.
  fit = PlaceGroup({0, 0, 200, 100}, {7, 9, 401, 200}, GroupMode::Fit);
  EXPECT_EQ(fit.Frame, (Rect{7, 9, 400, 200}));

  const auto fill = PlaceGroup({10, 20, 200, 100}, {100, 50, 400, 300}, GroupMode::Fill);
  EXPECT_EQ(fill.ScaleX, 2.0f);
  EXPECT_EQ(fill.ScaleY, 3.0f);
  EXPECT_EQ(fill.Frame, (Rect{100, 50, 400, 300}));
}

TEST(GroupPlacement, MembersRoundHalvesToEvenAndNeverVanish) {
  const auto half = PlaceGroup({0, 0, 10, 10}, {0, 0, 5, 5}, GroupMode::Fill);
  EXPECT_EQ(PlaceMember({5, 7, 5, 7}, {0, 0, 10, 10}, half), (Rect{2, 4, 2, 4}));
  EXPECT_EQ(PlaceMember({-5, 3, 1, 1}, {0, 0, 10, 10}, half), (Rect{-2, 2, 1, 1}));

  const auto tenth = PlaceGroup({0, 0, 100, 100}, {0, 0, 10, 10}, GroupMode::Fit);
  EXPECT_EQ(PlaceMember({50, 50, 1, 1}, {0, 0, 100, 100}, tenth), (Rect{5, 5, 1, 1}));
}

TEST(ObjectSnapshot, FindsEveryRegisteredNameAndWindowAndNothingElse) {
  ObjectList objects;
  for (int i = 0; i < 3000; ++i) {
    ObjectRecord record;
    record.Name = L"Object" + std::to_wstring(i);
    record.Key = L"object" + std::to_wstring(i);
    record.Window = i % 3 == 0 ? 0 : static_cast<WindowHandle>(0x10000 + 4 * i);
    record.ResolvedLeft = i;
    record.Placed = i % 2 == 0;
    objects.Append(std::move(record));
  }
  const ObjectSnapshot snapshot(objects);
  for (int i = 0; i < 3000; ++i) {
    const auto* entry = snapshot.FindName(L"object" + std::to_wstring(i));
    ASSERT_NE(entry, nullptr) << i;
    EXPECT_EQ(entry->Resolved.Left, i);
    EXPECT_EQ(entry->Placed, i % 2 == 0);
    EXPECT_EQ(snapshot.HasWindow(static_cast<WindowHandle>(0x10000 + 4 * i)), i % 3 != 0) << i;
  }
  EXPECT_FALSE(snapshot.HasName(L"object3000"));
  EXPECT_FALSE(snapshot.HasName(L"Object1"));
  EXPECT_FALSE(snapshot.HasName(L""));
  EXPECT_FALSE(snapshot.HasWindow(0));
  EXPECT_FALSE(snapshot.HasWindow(0x10000 + 4 * 3000));
}

// Canvas 1280 x 720 in a client of the same size: the object pass leaves every
// registered object at its design rectangle.
class GroupResolution : public GroupFixture {
 protected:
  void SetUp() override {
    Canvas(1280, 720);
    target = AddObject(L"Target", {100, 50, 400, 300});
    ASSERT_EQ(Register({L"Target"}), 1);
  }
  WindowHandle target = 0;
};

TEST_F(GroupResolution, TheWorkedExampleLandsOnItsRectanglesInFitAndFill) {
  const auto frame = AddObject(L"Frame", {10, 20, 200, 100});
  const auto member = AddObject(L"M", {30, 40, 50, 20});

  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Target", L"FIT", L"M"}), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(windows.RectOf(frame), (Rect{100, 100, 400, 200}));
  EXPECT_EQ(windows.RectOf(member), (Rect{140, 140, 100, 40}));

  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Target", L"FILL", L"M"}), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(windows.RectOf(frame), (Rect{100, 50, 400, 300}));
  EXPECT_EQ(windows.RectOf(member), (Rect{140, 110, 100, 60}));
  EXPECT_EQ(windows.RectOf(target), (Rect{100, 50, 400, 300}));
}

TEST_F(GroupResolution, GroupsFollowTheTargetAcrossWindowSizes) {
  const auto frame = AddObject(L"Frame", {10, 20, 200, 100});
  const auto member = AddObject(L"M", {30, 40, 50, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Target", L"FILL", L"M"}), 1);
  windows.SetClientSize(640, 360);  // the target resolves to (50, 25, 200, 150)
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(windows.RectOf(frame), (Rect{50, 25, 200, 150}));
  EXPECT_EQ(windows.RectOf(member), (Rect{70, 55, 50, 30}));
}

TEST_F(GroupResolution, RegisteredMembersAndFramesKeepTheObjectPassPlace) {
  windows.SetClientSize(1920, 1080);  // factors 1.5
  const auto frame = AddObject(L"Frame", {10, 20, 200, 100});
  const auto logo = AddObject(L"Logo", {30, 40, 50, 20});
  const auto loose = AddObject(L"Loose", {30, 70, 50, 20});
  ASSERT_EQ(Register({L"Logo", L"FIXED", L"FIXED"}), 1);
  ASSERT_EQ(Register({L"frame", L"FIXED", L"FIXED"}), 1);
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Target", L"FILL", L"Logo;Loose"}), 1);
  const auto moveCount = [&](WindowHandle window) {
    int count = 0;
    for (const auto& move : windows.Moves) count += move.first == window ? 1 : 0;
    return count;
  };
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(windows.RectOf(logo), (Rect{45, 60, 50, 20}));
  EXPECT_EQ(windows.RectOf(frame), (Rect{15, 30, 200, 100}));
  EXPECT_EQ(moveCount(logo), 1);
  EXPECT_EQ(moveCount(frame), 1);
  // Target at (150, 75, 600, 450): factors 3 and 4.5 from the bounds 200 x 100.
  EXPECT_EQ(windows.RectOf(loose), (Rect{210, 300, 150, 90}));

  // Logo's window made anew under its name: its record still holds the old one, so only
  // the name tells the group that Logo is registered.
  windows.Destroy(logo);
  const auto newLogo = AddObject(L"Logo", {5, 6, 7, 8});
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(Group(L"Frame")->Members[0].Window, newLogo);
  EXPECT_EQ(windows.RectOf(newLogo), (Rect{5, 6, 7, 8}));
  EXPECT_EQ(moveCount(newLogo), 0);
  EXPECT_EQ(windows.RectOf(loose), (Rect{210, 300, 150, 90}));
}

TEST_F(GroupResolution, AGroupWaitsForItsTargetToBePlaced) {
  const auto frame = AddObject(L"Frame", {10, 20, 200, 100});
  const auto member = AddObject(L"M", {30, 40, 50, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Stage", L"FILL", L"M"}), 1);
  ASSERT_EQ(RegisterGroupWith({L"Other", L"Target", L"FILL", L"M"}), 1);
  ASSERT_EQ(Register({L"Stage"}), 1);  // the host has no window for it yet
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(windows.RectOf(frame), (Rect{10, 20, 200, 100}));
  // The second group, under a plain label with the member's bounds, still moves it.
  EXPECT_EQ(windows.RectOf(member), (Rect{100, 50, 400, 300}));

  AddObject(L"Stage", {0, 0, 100, 50});
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(windows.RectOf(frame), (Rect{0, 0, 100, 50}));
}

TEST_F(GroupResolution, LateMembersAndLateBoundsArePickedUpAndRemembered) {
  ASSERT_EQ(RegisterGroupWith({L"Box", L"Target", L"FILL", L"A;B"}), 1);
  EXPECT_FALSE(Group(L"Box")->HasBounds);
  ASSERT_EQ(Apply(), 1);
  EXPECT_FALSE(Group(L"Box")->HasBounds);

  const auto a = AddObject(L"A", {10, 10, 20, 20});
  const auto b = AddObject(L"B", {50, 30, 10, 10});
  ASSERT_EQ(Apply(), 1);
  const auto* box = Group(L"Box");
  EXPECT_EQ(box->Bounds(), (Rect{10, 10, 50, 30}));
  EXPECT_EQ(context.Registry.GroupCache.at(L"box").BoundsHeight, 30);
  // Target 400 x 300 over bounds 50 x 30: factors 8 and 10.
  EXPECT_EQ(windows.RectOf(a), (Rect{100, 50, 160, 200}));
  EXPECT_EQ(windows.RectOf(b), (Rect{420, 250, 80, 100}));
}

TEST_F(GroupResolution, RememberedEmptyBoundsAreWorkedOutOnceAMemberAppears) {
  ASSERT_EQ(RegisterGroupWith({L"Box", L"Target", L"FILL", L"A"}), 1);
  ASSERT_EQ(ClearAction(context), 1);
  ASSERT_EQ(Register({L"Target"}), 1);
  ASSERT_EQ(RegisterGroupWith({L"Box", L"Target", L"FILL", L""}), 1);
  EXPECT_FALSE(Group(L"Box")->HasBounds);
  const auto a = AddObject(L"A", {10, 10, 20, 20});
  ASSERT_EQ(Apply(), 1);
  // As if registered after A appeared: its rectangle is the bounds, filled into the target.
  EXPECT_EQ(Group(L"Box")->Bounds(), (Rect{10, 10, 20, 20}));
  EXPECT_EQ(context.Registry.GroupCache.at(L"box").BoundsWidth, 20);
  EXPECT_EQ(windows.RectOf(a), (Rect{100, 50, 400, 300}));
}

TEST_F(GroupResolution, GoneWindowsAreLookedUpByNameOrLeftAlone) {
  const auto frame = AddObject(L"Frame", {10, 20, 200, 100});
  const auto collected = windows.AddChild({30, 40, 50, 20});
  const auto kept = windows.AddChild({110, 40, 50, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Target", L"FIT", L""}), 1);
  windows.Destroy(collected);
  windows.Destroy(frame);
  const auto newFrame = AddObject(L"Frame", {0, 0, 5, 5});
  const auto movesBefore = windows.MoveNowCount;
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(Group(L"Frame")->FrameWindow, newFrame);
  EXPECT_EQ(windows.RectOf(newFrame), (Rect{100, 100, 400, 200}));
  EXPECT_EQ(MemberWindows(L"Frame"), (std::vector<WindowHandle>{0, kept}));
  EXPECT_EQ(windows.RectOf(kept), (Rect{300, 140, 100, 40}));
  EXPECT_EQ(windows.MoveNowCount - movesBefore, 2);
}

// Host scripts run from window moves may empty or grow the group list mid-pass.
TEST_F(GroupResolution, ScriptsThatChangeTheGroupsDuringAMoveAreSurvived) {
  const auto frame = AddObject(L"Frame", {10, 20, 200, 100});
  AddObject(L"M", {30, 40, 50, 20});
  AddObject(L"N", {60, 40, 50, 20});
  ASSERT_EQ(RegisterGroupWith({L"Frame", L"Target", L"FIT", L"M;N"}), 1);
  bool ran = false;  // a script runs once, not from its own moves
  windows.OnMove = [&](WindowHandle moved) {
    if (moved != frame || ran) return;
    ran = true;
    for (int i = 0; i < 40; ++i) {
      RegisterGroupWith({L"G" + std::to_wstring(i), L"Target", L"", L"M"});
    }
  };
  ASSERT_EQ(Apply(), 1);
  ran = false;
  windows.OnMove = [&](WindowHandle moved) {
    if (moved != frame || ran) return;
    ran = true;
    ClearAction(context);
  };
  ASSERT_EQ(Apply(), 1);
  EXPECT_TRUE(context.Registry.Groups.empty());
}

}  // namespace
}  // namespace duduve::testing
