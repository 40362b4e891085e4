// The apply action through the real exports, with real child windows of the host window.
#include <windows.h>

#include <vector>

#include "apply_fixture.h"

namespace apply_test {
namespace {

class ApplyPage : public PageFixture {
 protected:
  // The object (100, 50, 200, 100) on a 1280 x 720 canvas, applied at the given size.
  Box Resolve(int width, int height, std::vector<std::string> params) {
    host.AddObject("Box", {100, 50, 200, 100});
    EXPECT_EQ(DesignSize(1280, 720), 1);
    params.insert(params.begin(), "Box");
    EXPECT_EQ(Register(params), 1);
    host.Resize(width, height);
    EXPECT_EQ(Apply(), 1);
    return host.ObjectBox("Box");
  }
};

TEST_F(ApplyPage, StretchLeftTop) {
  EXPECT_EQ(Resolve(1920, 1080, {}), (Box{150, 75, 300, 150}));
}

TEST_F(ApplyPage, UniformOnBothAxes) {
  EXPECT_EQ(Resolve(1920, 720, {"UNIFORM", "UNIFORM"}), (Box{420, 50, 200, 100}));
}

TEST_F(ApplyPage, StretchWidthAnchoredRight) {
  EXPECT_EQ(Resolve(1920, 720, {"STRETCH", "", "R"}), (Box{150, 50, 300, 100}));
}

TEST_F(ApplyPage, FixedWidthAnchoredRight) {
  EXPECT_EQ(Resolve(1920, 720, {"FIXED", "", "R"}), (Box{250, 50, 200, 100}));
}

TEST_F(ApplyPage, FixedWidthCentred) {
  EXPECT_EQ(Resolve(1920, 720, {"FIXED", "", "C"}), (Box{860, 50, 200, 100}));
}

TEST_F(ApplyPage, NudgedByTenPixels) {
  EXPECT_EQ(Resolve(1920, 1080, {"", "", "", "", "10"}), (Box{160, 75, 300, 150}));
}

TEST_F(ApplyPage, ACentredObjectWiderThanItsFrame) {
  host.AddObject("Wide", {0, 0, 105, 10});
  ASSERT_EQ(DesignSize(100, 100), 1);
  ASSERT_EQ(Register({"Wide", "STRETCH", "", "C"}), 1);
  host.Resize(100, 300);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Wide"), (Box{-2, 0, 105, 30}));
}

TEST_F(ApplyPage, TheDesignRectangleIsMeasuredOncePerName) {
  host.AddObject("Box", {100, 50, 200, 100});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Box"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  ASSERT_EQ(Clear(), 1);
  // Wherever the window is now, registering again starts from the first measurement.
  SetWindowPos(host.ObjectWindow("Box"), nullptr, 7, 8, 9, 10, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(Register({"box"}), 1);
  host.Resize(640, 360);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Box"), (Box{50, 25, 100, 50}));
}

TEST_F(ApplyPage, PublishesSixTextsInOrderWhenTheScaleChanges) {
  host.AddObject("Box", {0, 0, 10, 10});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Box"}), 1);
  host.Resize(1024, 1000);
  ASSERT_EQ(Apply(), 1);
  const auto dpi = Published().at(4).second;
  const Variables first = {{"[Duduve.ScaleX]", "0.8000"},  {"[Duduve.ScaleY]", "1.3889"},
                           {"[Duduve.Uniform]", "0.8000"}, {"[Duduve.FontScale]", "0.8000"},
                           {"[Duduve.DPI]", dpi},          {"[Duduve.DPIScale]", ""}};
  ASSERT_EQ(Published().size(), 6u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(Published()[i], first[i]) << i;
  // The DPI the system reports for the window, and its scale to four decimals.
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(dpi, std::to_string(screenDpi));
  if (screenDpi == 96) {
    EXPECT_EQ(Published()[5].second, "1.0000");
  }

  host.ClearRecords();
  ASSERT_EQ(Apply(), 1);  // unchanged size: nothing published
  EXPECT_TRUE(Published().empty());

  host.Resize(1366, 720);
  ASSERT_EQ(Apply(), 1);
  ASSERT_EQ(Published().size(), 6u);
  EXPECT_EQ(Published()[0].second, "1.0672");
  EXPECT_EQ(Published()[1].second, "1.0000");
  EXPECT_EQ(Published()[3].second, "1.0000");

  host.ClearRecords();
  ASSERT_EQ(host.Message(1), 0);  // reset: the next pass publishes again
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Box"}), 1);
  ASSERT_EQ(Apply(), 1);
  ASSERT_EQ(Published().size(), 6u);
  EXPECT_EQ(Published()[0], (std::pair<std::string, std::string>{"[Duduve.ScaleX]", "1.0672"}));
}

TEST_F(ApplyPage, OneRedrawOffAndOnPerPass) {
  for (int i = 0; i < 5; ++i) host.AddObject("Object" + std::to_string(i), {i * 50, 0, 40, 40});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  for (int i = 0; i < 5; ++i) ASSERT_EQ(Register({"Object" + std::to_string(i)}), 1);
  host.ResetPaintCounters();
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.RedrawOffCount(), 1);
  EXPECT_EQ(host.RedrawOnCount(), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.RedrawOffCount(), 2);
  EXPECT_EQ(host.RedrawOnCount(), 2);
  EXPECT_EQ(host.ObjectBox("Object4"), (Box{300, 0, 60, 60}));
}

TEST_F(ApplyPage, OverlappingObjectsKeepTheirStackingOrder) {
  // Registered in another order than they stack: a move that lifted each window to the
  // top in registration order would change the order.
  for (const char* name : {"Back", "Middle", "Front"}) host.AddObject(name, {100, 100, 200, 100});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  for (const char* name : {"Middle", "Back", "Front"}) ASSERT_EQ(Register({name}), 1);
  const auto stacking = [&] {
    std::vector<HWND> order;
    for (HWND child = GetWindow(host.Window(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      order.push_back(child);
    }
    return order;
  };
  const auto before = stacking();
  ASSERT_EQ(before.size(), 3u);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Front"), (Box{150, 150, 300, 150}));
  EXPECT_EQ(stacking(), before);
}

TEST_F(ApplyPage, AGuardedPassTouchesNothing) {
  host.AddObject("Box", {100, 50, 200, 100});
  ASSERT_EQ(Register({"Box"}), 1);
  host.ResetPaintCounters();
  EXPECT_EQ(Apply(), 0);  // no design size yet
  ASSERT_EQ(DesignSize(1280, 720), 1);
  host.Resize(1920, 0);
  EXPECT_EQ(Apply(), 0);  // empty client area
  EXPECT_EQ(host.RedrawOffCount(), 0);
  EXPECT_TRUE(Published().empty());
  EXPECT_EQ(host.ObjectBox("Box"), (Box{100, 50, 200, 100}));
}

TEST_F(ApplyPage, AnApplyFromAMovingWindowGetsZeroAndThePassCompletes) {
  for (int i = 0; i < 3; ++i) host.AddObject("Object" + std::to_string(i), {i * 100, 10, 50, 20});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(Register({"Object" + std::to_string(i)}), 1);
  std::vector<int> nested;
  host.OnObjectMoved = [&](standin::StandInHost&, const std::string&) {
    nested.push_back(Apply());
  };
  host.ResetPaintCounters();
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  host.OnObjectMoved = nullptr;
  ASSERT_FALSE(nested.empty());
  for (const int result : nested) EXPECT_EQ(result, 0);
  EXPECT_EQ(host.RedrawOffCount(), 1);
  EXPECT_EQ(host.RedrawOnCount(), 1);
  EXPECT_EQ(Published().size(), 6u);
  EXPECT_EQ(host.ObjectBox("Object0"), (Box{0, 15, 75, 30}));
  EXPECT_EQ(host.ObjectBox("Object1"), (Box{150, 15, 75, 30}));
  EXPECT_EQ(host.ObjectBox("Object2"), (Box{300, 15, 75, 30}));
  ASSERT_EQ(Apply(), 1);  // and the next pass runs normally
}

TEST_F(ApplyPage, AWindowDestroyedMidwayLeavesTheOthersPlaced) {
  for (int i = 0; i < 3; ++i) host.AddObject("Object" + std::to_string(i), {i * 100, 10, 50, 20});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(Register({"Object" + std::to_string(i)}), 1);
  ASSERT_TRUE(host.RemoveObject("Object1"));  // the record keeps a handle that is now stale
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Object0"), (Box{0, 15, 75, 30}));
  EXPECT_EQ(host.ObjectBox("Object2"), (Box{300, 15, 75, 30}));
}

TEST_F(ApplyPage, AnObjectTheHostNamesOnlyLaterIsPlacedWhenFound) {
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Late"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  host.AddObject("Late", {100, 50, 200, 100});
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Late"), (Box{150, 75, 300, 150}));
}

}  // namespace
}  // namespace apply_test
