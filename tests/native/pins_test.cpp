#include "layout/registration.h"
#include "layout_fixture.h"

namespace duduve::testing {
namespace {

class Pins : public LayoutFixture {
 protected:
  // A torch resolved at (500, 300, 80, 200) at every size (FIXED and nudged) and a
  // flame of design size 40 x 60; the canvas is 1280 x 720.
  void TorchAndFlame() {
    torch = AddObject(L"Torch", {0, 0, 80, 200});
    flame = AddObject(L"Flame", {700, 700, 40, 60});
    Canvas(1280, 720);
    ASSERT_EQ(Register({L"Torch", L"FIXED", L"FIXED", L"", L"", L"500", L"300"}), 1);
    ASSERT_EQ(Register({L"Flame"}), 1);
  }

  Rect FlameAt(std::int32_t clientWidth, std::int32_t clientHeight) {
    windows.SetClientSize(clientWidth, clientHeight);
    EXPECT_EQ(ApplyPass(context), 1);
    ExpectPlacedWindowsAtResolved();
    return windows.RectOf(flame);
  }

  WindowHandle torch = 0;
  WindowHandle flame = 0;
};

TEST_F(Pins, ByDefaultTheBottomCentreSitsOnTheTargetsTopCentre) {
  TorchAndFlame();
  ASSERT_EQ(Pin({L"Flame", L"Torch"}), 1);
  EXPECT_EQ(FlameAt(1920, 1080), (Rect{510, 210, 60, 90}));  // u = 1.5
  EXPECT_EQ(windows.RectOf(torch), (Rect{500, 300, 80, 200}));
}

TEST_F(Pins, OffsetsAreDesignPixelsScaledByTheUniformFactor) {
  TorchAndFlame();
  ASSERT_EQ(Pin({L"Flame", L"Torch", L"", L"", L"0", L"-4"}), 1);
  EXPECT_EQ(FlameAt(1920, 1080), (Rect{510, 204, 60, 90}));
  EXPECT_EQ(FlameAt(1280, 720), (Rect{520, 236, 40, 60}));
  // 511.5 and 514.5 round to the even neighbour.
  ASSERT_EQ(Pin({L"Flame", L"Torch", L"", L"", L"1"}), 1);
  EXPECT_EQ(FlameAt(1920, 1080).Left, 512);
  ASSERT_EQ(Pin({L"Flame", L"Torch", L"", L"", L"3"}), 1);
  EXPECT_EQ(FlameAt(1920, 1080).Left, 514);
}

TEST_F(Pins, ThePinnedObjectsOwnPoliciesPlayNoPart) {
  TorchAndFlame();
  ASSERT_EQ(Register({L"Flame", L"FIXED", L"STRETCH", L"R", L"B"}), 1);
  ASSERT_EQ(Pin({L"Flame", L"Torch", L"tl", L" br "}), 1);
  // sx 2, sy 1.5: the flame still scales by u and its top-left sits on (580, 500).
  EXPECT_EQ(FlameAt(2560, 1080), (Rect{580, 500, 60, 90}));
}

TEST_F(Pins, PointTextsAreReadLetterByLetter) {
  TorchAndFlame();
  ASSERT_EQ(Pin({L"Flame", L"Torch", L"BOTTOM", L"CENTER"}), 1);
  const auto& record = *FindObject(context.Registry, L"Flame");
  EXPECT_EQ(record.SrcPointV, VerticalAnchor::Top);  // "BOTTOM" holds a T: Top
  EXPECT_EQ(record.SrcPointH, HorizontalAnchor::Center);
  EXPECT_EQ(record.TgtPointV, VerticalAnchor::Top);  // "CENTER": Top and Right
  EXPECT_EQ(record.TgtPointH, HorizontalAnchor::Right);
  // Own top-centre on the target's top-right corner (580, 300).
  EXPECT_EQ(FlameAt(1280, 720), (Rect{560, 300, 40, 60}));
  ASSERT_EQ(Pin({L"Flame", L"Torch", L"cc", L"c"}), 1);
  EXPECT_EQ(FlameAt(1280, 720), (Rect{520, 370, 40, 60}));  // centre on centre (540, 400)
}

TEST_F(Pins, TheActionRefusesMissingNamesAndUnregisteredObjects) {
  TorchAndFlame();
  EXPECT_EQ(Pin({L"", L"Torch"}), 0);
  EXPECT_EQ(Pin({L"Flame", L"  "}), 0);
  EXPECT_EQ(Pin({L"Smoke", L"Torch"}), 0);
  EXPECT_EQ(PinObject(context, {}), 0);
  for (const auto& record : context.Registry.Objects) EXPECT_FALSE(record.Pinned);
  // The target need not be registered, or even known, when the pin is stored.
  EXPECT_EQ(Pin({L" flame ", L" Smoke ", L"", L"", L"$10", L"x"}), 1);
  const auto& record = *FindObject(context.Registry, L"Flame");
  EXPECT_EQ(record.PinTarget, L"Smoke");
  EXPECT_EQ(record.NudgeX, 16);
  EXPECT_EQ(record.NudgeY, 0);
  EXPECT_EQ(FlameAt(1920, 1080), (Rect{700, 700, 40, 60}));  // target unknown: not moved
  EXPECT_FALSE(record.Placed);
}

TEST_F(Pins, APinnedObjectMovesBeforeTheBatchCommits) {
  TorchAndFlame();
  ASSERT_EQ(Pin({L"Flame", L"Torch"}), 1);
  windows.SetClientSize(1920, 1080);
  ASSERT_EQ(ApplyPass(context), 1);
  ASSERT_EQ(windows.Moves.size(), 2u);
  EXPECT_EQ(windows.Moves[0].first, flame);
  EXPECT_EQ(windows.Moves[1].first, torch);
  EXPECT_EQ(windows.MoveNowCount, 1);
  EXPECT_EQ(windows.BatchAddCount, 1);
}

TEST_F(Pins, ChainsResolveOnlyInRegistrationOrder) {
  Canvas(100, 100);
  windows.SetClientSize(100, 100);
  AddObject(L"C", {10, 10, 10, 10});
  const auto b = AddObject(L"B", {50, 50, 4, 4});
  const auto a = AddObject(L"A", {80, 80, 2, 2});
  ASSERT_EQ(Register({L"C"}), 1);
  ASSERT_EQ(Register({L"A"}), 1);  // A before B
  ASSERT_EQ(Register({L"B"}), 1);
  ASSERT_EQ(Pin({L"A", L"B", L"TL", L"BR"}), 1);
  ASSERT_EQ(Pin({L"B", L"C", L"TL", L"BR"}), 1);
  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_EQ(ApplyPass(context), 1);
    EXPECT_EQ(windows.RectOf(b), (Rect{20, 20, 4, 4}));
    EXPECT_EQ(windows.RectOf(a), (Rect{80, 80, 2, 2}));
    EXPECT_FALSE(FindObject(context.Registry, L"A")->Placed);
  }
}

TEST_F(Pins, ChainsInTargetFirstOrderResolveInOnePass) {
  Canvas(100, 100);
  windows.SetClientSize(100, 100);
  AddObject(L"C", {10, 10, 10, 10});
  const auto b = AddObject(L"B", {50, 50, 4, 4});
  const auto a = AddObject(L"A", {80, 80, 2, 2});
  ASSERT_EQ(Register({L"C"}), 1);
  ASSERT_EQ(Register({L"B"}), 1);
  ASSERT_EQ(Register({L"A"}), 1);
  ASSERT_EQ(Pin({L"A", L"B", L"TL", L"BR"}), 1);
  ASSERT_EQ(Pin({L"B", L"C", L"TL", L"BR"}), 1);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(b), (Rect{20, 20, 4, 4}));
  EXPECT_EQ(windows.RectOf(a), (Rect{24, 24, 2, 2}));
}

TEST_F(Pins, SelfPinsAndCyclesNeverMove) {
  Canvas(100, 100);
  const auto self = AddObject(L"Self", {1, 1, 5, 5});
  const auto x = AddObject(L"X", {10, 10, 5, 5});
  const auto y = AddObject(L"Y", {20, 20, 5, 5});
  for (const auto* name : {L"Self", L"X", L"Y"}) ASSERT_EQ(Register({name}), 1);
  ASSERT_EQ(Pin({L"Self", L"self"}), 1);
  ASSERT_EQ(Pin({L"X", L"Y"}), 1);
  ASSERT_EQ(Pin({L"Y", L"X"}), 1);
  windows.SetClientSize(200, 200);
  ASSERT_EQ(ApplyPass(context), 1);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(self), (Rect{1, 1, 5, 5}));
  EXPECT_EQ(windows.RectOf(x), (Rect{10, 10, 5, 5}));
  EXPECT_EQ(windows.RectOf(y), (Rect{20, 20, 5, 5}));
  EXPECT_TRUE(windows.Moves.empty());
}

TEST_F(Pins, SizesAreRaisedToOne) {
  Canvas(1000, 1000);
  AddObject(L"Target", {100, 100, 100, 100});
  const auto dot = AddObject(L"Dot", {0, 0, 1, 3});
  ASSERT_EQ(Register({L"Target"}), 1);
  ASSERT_EQ(Register({L"Dot"}), 1);
  ASSERT_EQ(Pin({L"Dot", L"Target", L"TL", L"TL"}), 1);
  windows.SetClientSize(400, 100);  // u = 0.1
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(dot), (Rect{40, 10, 1, 1}));
}

TEST_F(Pins, AttachPointsHalveOddSizesTowardZero) {
  Canvas(100, 100);
  windows.SetClientSize(100, 100);
  AddObject(L"Odd", {0, 0, 81, 41});
  const auto even = AddObject(L"Even", {90, 90, 6, 8});
  ASSERT_EQ(Register({L"Odd"}), 1);
  ASSERT_EQ(Register({L"Even"}), 1);
  ASSERT_EQ(Pin({L"Even", L"Odd", L"CC", L"CC"}), 1);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(even), (Rect{37, 16, 6, 8}));  // (40 - 3, 20 - 4)
}

}  // namespace
}  // namespace duduve::testing
