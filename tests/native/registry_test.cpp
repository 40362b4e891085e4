#include "core/object_rect.h"
#include "layout/registration.h"
#include "layout_fixture.h"

namespace duduve::testing {
namespace {

class Registry : public LayoutFixture {};

TEST_F(Registry, OuterSpacesAndCaseNameTheSameRecordWhichKeepsItsFirstSpelling) {
  AddObject(L"Logo", {10, 20, 30, 40});
  AddObject(L"Title", {0, 0, 5, 5});
  EXPECT_EQ(Register({L"Logo"}), 1);
  EXPECT_EQ(Register({L"Title"}), 1);
  EXPECT_EQ(Register({L" LOGO ", L"FIXED", L"UNIFORM", L"R", L"B", L"3", L"4"}), 1);

  const auto& objects = context.Registry.Objects;
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0].Name, L"Logo");
  EXPECT_EQ(objects[1].Name, L"Title");
  EXPECT_EQ(FindObject(context.Registry, L"  logo"), &objects[0]);
  EXPECT_EQ(objects[0].WMode, AxisPolicy::Fixed);
  EXPECT_EQ(objects[0].HMode, AxisPolicy::Uniform);
  EXPECT_EQ(objects[0].HAnchor, HorizontalAnchor::Right);
  EXPECT_EQ(objects[0].VAnchor, VerticalAnchor::Bottom);
  EXPECT_EQ(objects[0].NudgeX, 3);
  EXPECT_EQ(objects[0].NudgeY, 4);
  EXPECT_EQ(FindObject(context.Registry, L"Log"), nullptr);
  EXPECT_EQ(FindObject(context.Registry, L"\tLogo"), nullptr);
}

TEST_F(Registry, AnEmptyOrBlankNameRegistersNothing) {
  AddObject(L"Logo", {10, 20, 30, 40});
  EXPECT_EQ(Register({L""}), 0);
  EXPECT_EQ(Register({L"   ", L"FIXED"}), 0);
  EXPECT_EQ(RegisterObject(context, {}), 0);
  EXPECT_TRUE(context.Registry.Objects.empty());
  EXPECT_TRUE(context.Registry.DesignRectCache.empty());
  EXPECT_EQ(host.InterfaceCalls, 0);
}

TEST_F(Registry, BlankWordsAndNumbersFallToTheirDefaults) {
  AddObject(L"A", {0, 0, 1, 1});
  AddObject(L"B", {0, 0, 1, 1});
  AddObject(L"C", {0, 0, 1, 1});
  ASSERT_EQ(Register({L"A", L"", L"middle", L"centre", L"", L"$10", L"-5px"}), 1);
  ASSERT_EQ(Register({L"B", L"keep", L"aspect", L"c", L"c", L"abc", L"4294967297"}), 1);
  ASSERT_EQ(Register({L"C", L"", L"", L"", L"", L" -$1F ", L"%101"}), 1);
  const auto& a = *FindObject(context.Registry, L"A");
  EXPECT_EQ(a.WMode, AxisPolicy::Stretch);
  EXPECT_EQ(a.HMode, AxisPolicy::Stretch);
  EXPECT_EQ(a.HAnchor, HorizontalAnchor::Left);
  EXPECT_EQ(a.VAnchor, VerticalAnchor::Top);
  EXPECT_EQ(a.NudgeX, 16);
  EXPECT_EQ(a.NudgeY, -5);
  const auto& b = *FindObject(context.Registry, L"B");
  EXPECT_EQ(b.WMode, AxisPolicy::Fixed);
  EXPECT_EQ(b.HMode, AxisPolicy::Uniform);
  EXPECT_EQ(b.HAnchor, HorizontalAnchor::Center);
  EXPECT_EQ(b.VAnchor, VerticalAnchor::Center);
  EXPECT_EQ(b.NudgeX, 0);
  EXPECT_EQ(b.NudgeY, 1);  // low 32 bits of 2^32 + 1
  const auto& c = *FindObject(context.Registry, L"C");
  EXPECT_EQ(c.NudgeX, -31);
  EXPECT_EQ(c.NudgeY, 5);
}

TEST_F(Registry, TheDesignRectangleIsMeasuredOnceAndSurvivesClear) {
  const auto logo = AddObject(L"Logo", {100, 50, 200, 100});
  Canvas(1280, 720);
  ASSERT_EQ(Register({L"Logo"}), 1);
  windows.SetClientSize(1920, 1080);
  ASSERT_EQ(ApplyPass(context), 1);
  ASSERT_EQ(windows.RectOf(logo), (Rect{150, 75, 300, 150}));

  ASSERT_EQ(ClearAction(context), 1);
  windows.Place(logo, {7, 8, 9, 10});  // wherever it is now, the first measurement stands
  ASSERT_EQ(Register({L"logo"}), 1);
  const auto& record = context.Registry.Objects[0];
  EXPECT_TRUE(record.Captured);
  EXPECT_EQ(record.Design(), (Rect{100, 50, 200, 100}));
  EXPECT_EQ(record.Name, L"logo");  // a new record after clear takes the new spelling
  ASSERT_EQ(context.Registry.DesignRectCache.size(), 1u);
  EXPECT_EQ(context.Registry.DesignRectCache.at(L"logo"), (Rect{100, 50, 200, 100}));
}

TEST_F(Registry, ALaterLookupThatFindsNothingKeepsTheHandle) {
  const auto logo = AddObject(L"Logo", {1, 2, 3, 4});
  ASSERT_EQ(Register({L"Logo"}), 1);
  host.Forget(L"Logo");
  ASSERT_EQ(Register({L"Logo", L"FIXED"}), 1);
  EXPECT_EQ(context.Registry.Objects[0].Window, logo);
  EXPECT_EQ(context.Registry.Objects[0].WMode, AxisPolicy::Fixed);

  // A lookup that answers another window replaces it.
  const auto other = AddObject(L"Logo", {1, 2, 3, 4});
  ASSERT_EQ(Register({L"Logo"}), 1);
  EXPECT_EQ(context.Registry.Objects[0].Window, other);
}

TEST_F(Registry, AnUnknownWindowStillRegistersAndIsCapturedWhenFoundLater) {
  ASSERT_EQ(Register({L"Late"}), 1);
  const auto& record = context.Registry.Objects[0];
  EXPECT_EQ(record.Window, 0u);
  EXPECT_FALSE(record.Captured);
  EXPECT_TRUE(context.Registry.DesignRectCache.empty());

  const auto late = AddObject(L"Late", {-5, -6, 0, 0});
  ASSERT_EQ(Register({L"Late"}), 1);
  EXPECT_EQ(record.Window, late);
  EXPECT_TRUE(record.Captured);
  // Negative corners stay; empty sizes are raised to 1.
  EXPECT_EQ(record.Design(), (Rect{-5, -6, 1, 1}));
}

TEST_F(Registry, ARememberedRectangleIsUsedWithoutAskingTheWindow) {
  context.Registry.DesignRectCache[L"frame"] = {1, 2, 3, 4};  // measured by group code
  AddObject(L"Frame", {50, 50, 50, 50});
  ASSERT_EQ(Register({L" Frame"}), 1);
  EXPECT_EQ(context.Registry.Objects[0].Design(), (Rect{1, 2, 3, 4}));
  EXPECT_TRUE(context.Registry.Objects[0].Captured);
}

TEST_F(Registry, ReRegisteringAPinnedObjectReplacesOnlyItsOffsets) {
  AddObject(L"Flame", {0, 0, 40, 60});
  AddObject(L"Torch", {0, 0, 80, 200});
  ASSERT_EQ(Register({L"Flame"}), 1);
  ASSERT_EQ(Pin({L"Flame", L"Torch", L"TL", L"BR", L"5", L"6"}), 1);
  ASSERT_EQ(Register({L"Flame", L"", L"", L"", L"", L"12"}), 1);
  const auto& flame = context.Registry.Objects[0];
  EXPECT_TRUE(flame.Pinned);
  EXPECT_EQ(flame.PinTarget, L"Torch");
  EXPECT_EQ(flame.SrcPointH, 0);
  EXPECT_EQ(flame.SrcPointV, 0);
  EXPECT_EQ(flame.TgtPointH, 2);
  EXPECT_EQ(flame.TgtPointV, 2);
  EXPECT_EQ(flame.NudgeX, 12);
  EXPECT_EQ(flame.NudgeY, 0);
}

TEST_F(Registry, ObjectRectanglesNeedAHostWindowAndAReadableWindow) {
  const auto logo = AddObject(L"Logo", {-3, 4, 0, 7});
  Rect out{9, 9, 9, 9};
  EXPECT_FALSE(QueryObjectRect(context, 0, out));
  EXPECT_FALSE(QueryObjectRect(context, 0xDEAD, out));
  context.HostWindow = 0;
  EXPECT_FALSE(QueryObjectRect(context, logo, out));
  EXPECT_EQ(out, (Rect{9, 9, 9, 9}));
  context.HostWindow = FakeWindowSystem::kHostWindow;
  EXPECT_TRUE(QueryObjectRect(context, logo, out));
  EXPECT_EQ(out, (Rect{-3, 4, 1, 7}));

  // Without a host window registration keeps the record uncaptured.
  context.HostWindow = 0;
  ASSERT_EQ(Register({L"Logo"}), 1);
  EXPECT_FALSE(context.Registry.Objects[0].Captured);
  EXPECT_EQ(context.Registry.Objects[0].Window, logo);
}

}  // namespace
}  // namespace duduve::testing
