// Page objects whose windows go away: between registration and apply, during a pass (from
// a window move or from the host's answer to a look-up), and the host window itself.
#include <windows.h>

#include <optional>
#include <string>

#include "fault_fixture.h"

namespace fault_test {
namespace {

class VanishingWindows : public FaultPage {
 protected:
  // Three objects on a 1280 x 720 canvas, registered, and the window made 1.5 times larger.
  void ThreeObjects() {
    host.AddObject("A", {100, 50, 200, 100});
    host.AddObject("B", {400, 50, 200, 100});
    host.AddObject("C", {100, 300, 200, 100});
    ASSERT_EQ(DesignSize(1280, 720), 1);
    for (const char* name : {"A", "B", "C"}) ASSERT_EQ(Register({name}), 1);
    host.Resize(1920, 1080);
  }
};

TEST_F(VanishingWindows, DestroyedBetweenRegistrationAndApply) {
  ThreeObjects();
  ASSERT_TRUE(host.RemoveObject("B"));
  // B's stale handle breaks the deferred batch after A was queued: A still lands.
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("A"), (Box{150, 75, 300, 150}));
  EXPECT_EQ(host.ObjectBox("C"), (Box{150, 450, 300, 150}));
  EXPECT_EQ(host.VariableValue("[Duduve.ScaleX]"), "1.5000");
  EXPECT_EQ(host.RedrawOffCount(), 1);
  EXPECT_EQ(host.RedrawOnCount(), 1);

  ASSERT_EQ(Clear(), 1);
  EXPECT_EQ(host.ObjectBox("A"), (Box{100, 50, 200, 100}));
  EXPECT_EQ(host.ObjectBox("C"), (Box{100, 300, 200, 100}));
  EXPECT_EQ(Apply(), 0);  // the registry is empty
}

TEST_F(VanishingWindows, RecreatedUnderTheSameNameIsPlacedOnlyOnceRegisteredAgain) {
  ThreeObjects();
  ASSERT_TRUE(host.RemoveObject("B"));
  host.AddObject("B", {10, 10, 20, 20});
  // The record keeps the handle it had: the new window is left alone.
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("B"), (Box{10, 10, 20, 20}));
  // Registered again it gets the new window, and keeps the first measured design.
  ASSERT_EQ(Register({"B"}), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("B"), (Box{600, 75, 300, 150}));
  ASSERT_EQ(Clear(), 1);
  EXPECT_EQ(host.ObjectBox("B"), (Box{400, 50, 200, 100}));
}

TEST_F(VanishingWindows, DestroyedWhileThePassMovesAnother) {
  ThreeObjects();
  int removed = 0;
  host.OnObjectMoved = [&](standin::StandInHost& page, const std::string& name) {
    if (name == "A" && page.RemoveObject("C")) ++removed;
  };
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(removed, 1);
  EXPECT_EQ(host.ObjectWindow("C"), nullptr);
  EXPECT_EQ(host.ObjectBox("A"), (Box{150, 75, 300, 150}));
  EXPECT_EQ(host.ObjectBox("B"), (Box{600, 75, 300, 150}));
  EXPECT_EQ(host.RedrawOffCount(), 1);
  EXPECT_EQ(host.RedrawOnCount(), 1);

  // The next pass runs through the stale handle as well; clear puts the rest back.
  host.OnObjectMoved = nullptr;
  host.Resize(640, 360);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("A"), (Box{50, 25, 100, 50}));
  EXPECT_EQ(host.ObjectBox("B"), (Box{200, 25, 100, 50}));
  ASSERT_EQ(Clear(), 1);
  EXPECT_EQ(host.ObjectBox("A"), (Box{100, 50, 200, 100}));
  EXPECT_EQ(host.ObjectBox("B"), (Box{400, 50, 200, 100}));
}

TEST_F(VanishingWindows, EveryWindowDestroyedAtTheFirstMove) {
  ThreeObjects();
  host.OnObjectMoved = [](standin::StandInHost& page, const std::string&) {
    page.RemoveAllObjects();
  };
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectWindow("A"), nullptr);
  EXPECT_EQ(host.VariableValue("[Duduve.Uniform]"), "1.5000");
  EXPECT_EQ(host.RedrawOnCount(), 1);
  host.OnObjectMoved = nullptr;
  EXPECT_EQ(Apply(), 1);  // records stay, their moves fail quietly
  EXPECT_EQ(Clear(), 1);
}

TEST_F(VanishingWindows, DestroyedWhileTheHostAnswersALookUp) {
  ThreeObjects();
  // "Late" has no window yet, so the pass asks the host for it after A, B and C are
  // queued; the host destroys B while answering.
  ASSERT_EQ(Register({"Late"}), 1);
  host.OnInterfaceAccess = [](standin::StandInHost& page) { page.RemoveObject("B"); };
  ASSERT_EQ(Apply(), 1);
  host.OnInterfaceAccess = nullptr;
  EXPECT_EQ(host.ObjectWindow("B"), nullptr);
  EXPECT_EQ(host.ObjectBox("A"), (Box{150, 75, 300, 150}));
  EXPECT_EQ(host.ObjectBox("C"), (Box{150, 450, 300, 150}));
}

TEST_F(VanishingWindows, TheHostWindowDestroyed) {
  ThreeObjects();
  ASSERT_EQ(Apply(), 1);
  host.ClearRecords();
  host.ResetPaintCounters();
  ASSERT_TRUE(DestroyWindow(host.Window()));  // takes the page objects with it
  ASSERT_FALSE(IsWindow(host.Window()));

  EXPECT_EQ(Apply(), 0);  // no client area to read
  EXPECT_TRUE(host.Variables().empty());
  EXPECT_EQ(Register({"A", "FIXED"}), 1);  // design from the first measurement
  EXPECT_EQ(Clear(), 1);
  EXPECT_EQ(host.Message(2), 0);
  EXPECT_EQ(DesignSize(1280, 720), 1);
  EXPECT_EQ(Register({"A"}), 1);
  EXPECT_EQ(Apply(), 0);
  EXPECT_EQ(host.Message(1), 0);
  EXPECT_TRUE(host.Variables().empty());
  EXPECT_EQ(host.RedrawOffCount(), 0);
}

TEST_F(VanishingWindows, TheHostWindowDestroyedWhileThePassRepaints) {
  ThreeObjects();
  // Host code destroys its window when painting is switched back on, before the pass reads
  // the window's DPI: the window has none any more, the screen still has one.
  host.OnHostMessage = [&](UINT message, WPARAM on, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_SETREDRAW || on == FALSE) return std::nullopt;
    DestroyWindow(host.Window());
    return 0;
  };
  ASSERT_EQ(Apply(), 1);
  host.OnHostMessage = nullptr;
  ASSERT_FALSE(IsWindow(host.Window()));
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_GT(screenDpi, 0);
  EXPECT_EQ(host.VariableValue("[Duduve.DPI]"), std::to_string(screenDpi));
  EXPECT_EQ(host.VariableValue("[Duduve.ScaleX]"), "1.5000");
}

}  // namespace
}  // namespace fault_test
