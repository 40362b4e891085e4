#include <string>
#include <utility>
#include <vector>

#include "layout/registration.h"
#include "layout_fixture.h"
#include "plugin/dispatch.h"

namespace duduve::testing {
namespace {

using Variables = std::vector<std::pair<std::wstring, std::wstring>>;

Variables Published(const std::wstring& sx, const std::wstring& sy, const std::wstring& u,
                    const std::wstring& dpi, const std::wstring& dpiScale) {
  return {{L"[Duduve.ScaleX]", sx},   {L"[Duduve.ScaleY]", sy}, {L"[Duduve.Uniform]", u},
          {L"[Duduve.FontScale]", u}, {L"[Duduve.DPI]", dpi},   {L"[Duduve.DPIScale]", dpiScale}};
}

class ApplyPassTest : public LayoutFixture {
 protected:
  // One object with design rectangle (100, 50, 200, 100) on a 1280 x 720 canvas,
  // resolved into a client of the given size.
  Rect Resolve(std::int32_t clientWidth, std::int32_t clientHeight,
               std::vector<std::wstring> params) {
    const auto window = AddObject(L"Box", {100, 50, 200, 100});
    Canvas(1280, 720);
    params.insert(params.begin(), L"Box");
    EXPECT_EQ(Register(params), 1);
    windows.SetClientSize(clientWidth, clientHeight);
    EXPECT_EQ(ApplyPass(context), 1);
    EXPECT_EQ(windows.RectOf(window), context.Registry.Objects[0].Resolved());
    return windows.RectOf(window);
  }

  // Three objects side by side, each STRETCH, at 1.5 times their 1280 x 720 design.
  std::vector<WindowHandle> ThreeObjects() {
    Canvas(1280, 720);
    std::vector<WindowHandle> made;
    for (int i = 0; i < 3; ++i) {
      const auto name = L"Object" + std::to_wstring(i);
      made.push_back(AddObject(name, {100 * i, 10, 50, 20}));
      EXPECT_EQ(Register({name}), 1);
    }
    windows.SetClientSize(1920, 1080);
    return made;
  }

  // A guard stopped the pass: nothing happened at all.
  void ExpectNothingHappened() {
    EXPECT_TRUE(windows.Moves.empty());
    EXPECT_TRUE(host.Variables.empty());
    EXPECT_EQ(windows.RedrawOffCount, 0);
    EXPECT_EQ(windows.RedrawOnCount, 0);
    EXPECT_EQ(windows.RepaintCount, 0);
    EXPECT_EQ(windows.BeginBatchReserved, -1);
    EXPECT_FALSE(context.Registry.ApplyInProgress);
    EXPECT_EQ(context.Registry.LastDpi, -1);
  }
};

TEST_F(ApplyPassTest, StretchLeftTopScalesEverything) {
  EXPECT_EQ(Resolve(1920, 1080, {}), (Rect{150, 75, 300, 150}));
}

TEST_F(ApplyPassTest, UniformOnBothAxesLivesInTheCentredFrame) {
  EXPECT_EQ(Resolve(1920, 720, {L"UNIFORM", L"UNIFORM"}), (Rect{420, 50, 200, 100}));
}

TEST_F(ApplyPassTest, RightAnchorKeepsTheScaledRightMargin) {
  EXPECT_EQ(Resolve(1920, 720, {L"STRETCH", L"", L"R"}), (Rect{150, 50, 300, 100}));
}

TEST_F(ApplyPassTest, FixedWidthAnchoredRight) {
  EXPECT_EQ(Resolve(1920, 720, {L"FIXED", L"", L"R"}), (Rect{250, 50, 200, 100}));
}

TEST_F(ApplyPassTest, FixedWidthCentred) {
  EXPECT_EQ(Resolve(1920, 720, {L"FIXED", L"", L"C"}), (Rect{860, 50, 200, 100}));
}

TEST_F(ApplyPassTest, FixedHeightAnchoredBottomKeepsTheScaledBottomMargin) {
  // 1280 x 1080: sx 1, sy 1.5, u 1, frame (0, 180, 1280, 720).
  EXPECT_EQ(Resolve(1280, 1080, {L"", L"FIXED", L"", L"B"}), (Rect{100, 125, 200, 100}));
}

TEST_F(ApplyPassTest, VerticalCentre) {
  EXPECT_EQ(Resolve(1280, 1080, {L"", L"FIXED", L"", L"C"}), (Rect{100, 490, 200, 100}));
}

TEST_F(ApplyPassTest, UniformHeightWithBottomAnchor) {
  EXPECT_EQ(Resolve(1280, 1080, {L"", L"UNIFORM", L"", L"B"}), (Rect{100, 230, 200, 100}));
}

TEST_F(ApplyPassTest, ACentredObjectWiderThanItsFrameTruncatesTowardZero) {
  const auto wide = AddObject(L"Wide", {0, 0, 105, 10});
  const auto framed = AddObject(L"Framed", {0, 0, 105, 10});
  Canvas(100, 100);
  ASSERT_EQ(Register({L"Wide", L"STRETCH", L"", L"C"}), 1);
  ASSERT_EQ(Register({L"Framed", L"UNIFORM", L"", L"C"}), 1);
  windows.SetClientSize(100, 300);  // sx 1: frame 0..100 and w 105
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(wide).Left, -2);
  windows.SetClientSize(300, 100);  // u 1: uniform frame starts at 100
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(framed).Left, 98);
}

TEST_F(ApplyPassTest, CoordinatesRoundHalvesToEven) {
  const auto a = AddObject(L"A", {1, 3, 5, 7});
  const auto b = AddObject(L"B", {3, 1, 7, 5});
  Canvas(100, 100);
  ASSERT_EQ(Register({L"A"}), 1);
  ASSERT_EQ(Register({L"B"}), 1);
  windows.SetClientSize(150, 150);
  ASSERT_EQ(ApplyPass(context), 1);
  // 1.5 -> 2, 4.5 -> 4, 7.5 -> 8, 10.5 -> 10
  EXPECT_EQ(windows.RectOf(a), (Rect{2, 4, 8, 10}));
  EXPECT_EQ(windows.RectOf(b), (Rect{4, 2, 10, 8}));
}

TEST_F(ApplyPassTest, SizesAreRaisedToOne) {
  const auto tiny = AddObject(L"Tiny", {10, 10, 1, 1});
  Canvas(1000, 1000);
  ASSERT_EQ(Register({L"Tiny"}), 1);
  windows.SetClientSize(100, 100);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(tiny), (Rect{1, 1, 1, 1}));
}

TEST_F(ApplyPassTest, NudgesArePlainPixelsAtEverySize) {
  const auto box = AddObject(L"Box", {100, 50, 200, 100});
  Canvas(1280, 720);
  ASSERT_EQ(Register({L"Box", L"", L"", L"", L"", L"10", L"-3"}), 1);
  windows.SetClientSize(1920, 1080);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(box), (Rect{160, 72, 300, 150}));
  windows.SetClientSize(640, 360);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(box), (Rect{60, 22, 100, 50}));
}

TEST_F(ApplyPassTest, HugeDesignsSaturateInsteadOfOverflowing) {
  const auto box = AddObject(L"Box", {2000000000, -2000000000, 2000000000, 5});
  Canvas(8192, 8192);
  ASSERT_EQ(Register({L"Box", L"FIXED", L"", L"C", L"B", L"2147483647", L"-2147483648"}), 1);
  windows.SetClientSize(8192 * 2, 8192);
  ASSERT_EQ(ApplyPass(context), 1);
  const auto placed = windows.RectOf(box);
  EXPECT_EQ(placed.Width, 2000000000);
  EXPECT_EQ(placed.Left, -999991808 + 2147483647);
  EXPECT_EQ(placed.Top, INT32_MIN);
}

TEST_F(ApplyPassTest, PublishesSixTextsInOrderOnlyWhenScaleOrDpiChange) {
  AddObject(L"Box", {0, 0, 10, 10});
  Canvas(1280, 720);
  ASSERT_EQ(Register({L"Box"}), 1);
  windows.SetClientSize(1920, 1080);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(host.Variables, Published(L"1.5000", L"1.5000", L"1.5000", L"96", L"1.0000"));

  host.Variables.clear();
  ASSERT_EQ(ApplyPass(context), 1);  // same size: moves again, publishes nothing
  EXPECT_TRUE(host.Variables.empty());
  EXPECT_EQ(windows.Moves.size(), 2u);

  windows.SetClientSize(1024, 1000);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(host.Variables, Published(L"0.8000", L"1.3889", L"0.8000", L"96", L"1.0000"));

  host.Variables.clear();
  windows.Dpi = 120;  // the DPI alone republishes everything
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(host.Variables, Published(L"0.8000", L"1.3889", L"0.8000", L"120", L"1.2500"));

  host.Variables.clear();
  windows.Dpi = 100;
  windows.SetClientSize(1366, 720);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(host.Variables, Published(L"1.0672", L"1.0000", L"1.0000", L"100", L"1.0417"));
}

TEST_F(ApplyPassTest, TheResetMessageMakesTheNextPassPublishAgain) {
  AddObject(L"Box", {0, 0, 10, 10});
  Canvas(1280, 720);
  ASSERT_EQ(Register({L"Box"}), 1);
  ASSERT_EQ(ApplyPass(context), 1);
  ASSERT_EQ(host.Variables.size(), 6u);
  host.Variables.clear();

  HandleMessage(context, 1, [] {});
  EXPECT_EQ(ApplyPass(context), 0);  // the reset forgot the canvas and the objects
  Canvas(1280, 720);
  ASSERT_EQ(Register({L"Box"}), 1);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(host.Variables, Published(L"1.0000", L"1.0000", L"1.0000", L"96", L"1.0000"));
}

TEST_F(ApplyPassTest, AfterClearAndReRegistrationAnUnchangedSizePublishesNothing) {
  AddObject(L"Box", {0, 0, 10, 10});
  Canvas(1280, 720);
  ASSERT_EQ(Register({L"Box"}), 1);
  ASSERT_EQ(ApplyPass(context), 1);
  host.Variables.clear();
  ASSERT_EQ(ClearAction(context), 1);
  ASSERT_EQ(Register({L"Box"}), 1);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_TRUE(host.Variables.empty());
}

TEST_F(ApplyPassTest, PaintingIsSuspendedOnceAroundAllMovesAndRepaintedOnce) {
  const auto made = ThreeObjects();
  std::vector<std::pair<int, int>> redrawAtMove;
  windows.OnMove = [&](WindowHandle) {
    redrawAtMove.emplace_back(windows.RedrawOffCount, windows.RedrawOnCount);
  };
  host.OnSetVariable = [&] {
    EXPECT_EQ(windows.RedrawOnCount, 1);  // published after painting resumed
    EXPECT_EQ(windows.RepaintCount, 1);
  };
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RedrawOffCount, 1);
  EXPECT_EQ(windows.RedrawOnCount, 1);
  EXPECT_EQ(windows.RepaintCount, 1);
  EXPECT_EQ(redrawAtMove, (std::vector<std::pair<int, int>>(3, {1, 0})));
  EXPECT_EQ(windows.BatchEndCount, 1);
  EXPECT_EQ(windows.MoveNowCount, 0);
  EXPECT_EQ(windows.BeginBatchReserved, 3);
  EXPECT_FALSE(context.Registry.ApplyInProgress);
  EXPECT_EQ(windows.RectOf(made[2]), (Rect{300, 15, 75, 30}));
}

TEST_F(ApplyPassTest, GuardNoHostWindow) {
  ThreeObjects();
  context.HostWindow = 0;
  EXPECT_EQ(ApplyPass(context), 0);
  ExpectNothingHappened();
}

TEST_F(ApplyPassTest, GuardNoCanvas) {
  AddObject(L"Box", {0, 0, 10, 10});
  ASSERT_EQ(Register({L"Box"}), 1);
  EXPECT_EQ(ApplyPass(context), 0);
  ExpectNothingHappened();
}

TEST_F(ApplyPassTest, GuardEmptyRegistry) {
  Canvas(1280, 720);
  EXPECT_EQ(ApplyPass(context), 0);
  ExpectNothingHappened();
}

TEST_F(ApplyPassTest, GuardClientRectUnreadable) {
  ThreeObjects();
  windows.FailClientRect = true;
  EXPECT_EQ(ApplyPass(context), 0);
  ExpectNothingHappened();
}

TEST_F(ApplyPassTest, GuardEmptyClientArea) {
  ThreeObjects();
  windows.SetClientSize(1920, 0);
  EXPECT_EQ(ApplyPass(context), 0);
  windows.SetClientSize(0, 1080);
  EXPECT_EQ(ApplyPass(context), 0);
  windows.SetClientSize(-5, 1080);
  EXPECT_EQ(ApplyPass(context), 0);
  ExpectNothingHappened();
}

TEST_F(ApplyPassTest, ANestedApplyGetsZeroAndTheRunningPassCompletes) {
  const auto made = ThreeObjects();
  std::vector<int> nested;
  windows.OnMove = [&](WindowHandle) { nested.push_back(ApplyPass(context)); };
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(nested, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(windows.RedrawOffCount, 1);
  EXPECT_EQ(windows.RedrawOnCount, 1);
  EXPECT_EQ(host.Variables.size(), 6u);
  EXPECT_FALSE(context.Registry.ApplyInProgress);
  EXPECT_EQ(windows.RectOf(made[0]), (Rect{0, 15, 75, 30}));
  ExpectPlacedWindowsAtResolved();
}

TEST_F(ApplyPassTest, AWindowTheHostNamesOnlyLaterIsPlacedFromThen) {
  Canvas(1280, 720);
  ASSERT_EQ(Register({L"Late"}), 1);
  windows.SetClientSize(1920, 1080);
  ASSERT_EQ(ApplyPass(context), 1);  // still a pass: the object is left alone
  EXPECT_TRUE(windows.Moves.empty());
  EXPECT_FALSE(context.Registry.Objects[0].Placed);
  EXPECT_EQ(windows.BeginBatchReserved, 1);

  const auto late = AddObject(L"Late", {100, 50, 200, 100});
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(late), (Rect{150, 75, 300, 150}));
  EXPECT_TRUE(context.Registry.Objects[0].Placed);
  EXPECT_EQ(context.Registry.DesignRectCache.at(L"late"), (Rect{100, 50, 200, 100}));
}

TEST_F(ApplyPassTest, AStaleHandleMidwayStillLandsEveryEarlierObject) {
  const auto made = ThreeObjects();
  ASSERT_EQ(ApplyPass(context), 1);
  for (auto window : made) windows.Place(window, {0, 0, 1, 1});  // e.g. the host moved them
  windows.Destroy(made[1]);
  windows.MoveNowCount = 0;
  windows.BatchEndCount = 0;

  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(made[0]), (Rect{0, 15, 75, 30}));
  EXPECT_EQ(windows.RectOf(made[2]), (Rect{300, 15, 75, 30}));
  EXPECT_EQ(windows.BatchEndCount, 0);
  EXPECT_EQ(windows.MoveNowCount, 3);  // the dropped one, the failing one, the rest
  EXPECT_TRUE(context.Registry.Objects[1].Placed);
  ExpectPlacedWindowsAtResolved();
}

TEST_F(ApplyPassTest, ABatchThatBreaksOnALiveWindowStillMovesIt) {
  const auto made = ThreeObjects();
  windows.FailBatchAddNumber = 1;
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(made[0]), (Rect{0, 15, 75, 30}));
  EXPECT_EQ(windows.RectOf(made[1]), (Rect{150, 15, 75, 30}));
  EXPECT_EQ(windows.RectOf(made[2]), (Rect{300, 15, 75, 30}));
  EXPECT_EQ(windows.BatchAddCount, 2);
  EXPECT_EQ(windows.BatchEndCount, 0);
  ExpectPlacedWindowsAtResolved();
}

TEST_F(ApplyPassTest, WithoutABatchEveryObjectMovesAtOnce) {
  const auto made = ThreeObjects();
  ASSERT_EQ(Register({L"Unknown"}), 1);
  ASSERT_EQ(Register({L"Object0x"}), 1);
  ASSERT_EQ(Pin({L"Object0x", L"Object0"}), 1);
  windows.FailBeginBatch = true;
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.BeginBatchReserved, 5);  // unknown and pinned records count too
  EXPECT_EQ(windows.MoveNowCount, 3);
  EXPECT_EQ(windows.BatchAddCount, 0);
  EXPECT_EQ(windows.BatchEndCount, 0);
  EXPECT_EQ(windows.RectOf(made[1]), (Rect{150, 15, 75, 30}));
  ExpectPlacedWindowsAtResolved();
}

TEST_F(ApplyPassTest, APinnedObjectIsNeverMovedByTheObjectPass) {
  const auto flame = AddObject(L"Flame", {5, 5, 10, 10});
  Canvas(1280, 720);
  ASSERT_EQ(Register({L"Flame", L"UNIFORM", L"FIXED", L"R", L"B", L"7", L"7"}), 1);
  ASSERT_EQ(Pin({L"Flame", L"Nowhere"}), 1);
  windows.SetClientSize(1920, 1080);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(flame), (Rect{5, 5, 10, 10}));
  EXPECT_TRUE(windows.Moves.empty());
  EXPECT_FALSE(context.Registry.Objects[0].Placed);
  EXPECT_TRUE(context.Registry.Objects[0].Captured);
}

TEST_F(ApplyPassTest, AClearDuringAMoveEndsThePassSafely) {
  const auto made = ThreeObjects();
  windows.FailBeginBatch = true;
  bool cleared = false;
  windows.OnMove = [&](WindowHandle) {
    if (cleared) return;
    cleared = true;
    EXPECT_EQ(ClearAction(context), 1);
  };
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_TRUE(context.Registry.Objects.empty());
  EXPECT_FALSE(context.Registry.ApplyInProgress);
  EXPECT_EQ(windows.RedrawOnCount, 1);
}

}  // namespace
}  // namespace duduve::testing
