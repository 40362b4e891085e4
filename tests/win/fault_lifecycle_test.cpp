// The end of a page's life while objects, a pin and a group are registered: the host's
// release message, FreeLibrary, and a thousand register/apply/clear cycles.
#include <windows.h>

#include <map>

#include "fault_fixture.h"

namespace fault_test {
namespace {

class LoadedPage : public FaultPage {
 protected:
  // Target, Logo and Flame registered (Flame pinned on top of Logo), and the group Frame
  // with the member M fitted into Target, applied at 1.5 times the design.
  void BuildAndApply() {
    for (const auto& [name, box] : design) host.AddObject(name, box);
    ASSERT_EQ(DesignSize(1280, 720), 1);
    ASSERT_EQ(Register({"Target"}), 1);
    ASSERT_EQ(Register({"Logo"}), 1);
    ASSERT_EQ(Register({"Flame"}), 1);
    ASSERT_EQ(Pin({"Flame", "Logo"}), 1);
    ASSERT_EQ(Group({"Frame", "Target", "FIT", "M"}), 1);
    host.Resize(1920, 1080);
    ASSERT_EQ(Apply(), 1);
    ASSERT_EQ(Boxes(), applied);
  }

  std::map<std::string, Box> Boxes() const {
    std::map<std::string, Box> boxes;
    for (const auto& [name, box] : design) boxes[name] = host.ObjectBox(name);
    return boxes;
  }

  const std::map<std::string, Box> design = {{"Target", {100, 50, 400, 300}},
                                             {"Frame", {10, 20, 200, 100}},
                                             {"M", {30, 40, 50, 20}},
                                             {"Logo", {600, 400, 100, 50}},
                                             {"Flame", {620, 380, 20, 20}}};
  // The group fits 200 x 100 into 600 x 450 at factor 3, centred vertically; Flame's
  // bottom centre sits on Logo's top centre.
  const std::map<std::string, Box> applied = {{"Target", {150, 75, 600, 450}},
                                              {"Frame", {150, 150, 600, 300}},
                                              {"M", {210, 210, 150, 60}},
                                              {"Logo", {900, 600, 150, 75}},
                                              {"Flame", {960, 570, 30, 30}}};
};

TEST_F(LoadedPage, TheReleaseMessagePutsEverythingBackAndForgetsIt) {
  BuildAndApply();
  host.ClearRecords();
  ASSERT_EQ(host.Message(2), 0);
  EXPECT_EQ(Boxes(), design);
  EXPECT_TRUE(host.Variables().empty());
  EXPECT_EQ(Apply(), 0);  // no objects, no design size
  ASSERT_EQ(DesignSize(1280, 720), 1);
  EXPECT_EQ(Apply(), 0);
  // A second release and the unload after it find nothing to do.
  ASSERT_EQ(host.Message(2), 0);
  EXPECT_EQ(Boxes(), design);
  EXPECT_TRUE(host.Unload());
  EXPECT_EQ(Boxes(), design);
}

TEST_F(LoadedPage, FreeLibraryMovesNoWindowAndPublishesNothing) {
  BuildAndApply();
  int published = 0;
  host.OnSetVariable = [&](standin::StandInHost&) { ++published; };
  ASSERT_TRUE(host.Unload());
  host.OnSetVariable = nullptr;
  EXPECT_EQ(published, 0);
  EXPECT_EQ(Boxes(), applied);
  EXPECT_TRUE(host.Account().LiveBlocks().empty());

  // Loaded again, nothing of the old page is remembered.
  ASSERT_TRUE(host.StartUp());
  EXPECT_EQ(Apply(), 0);
  ASSERT_EQ(DesignSize(1920, 1080), 1);
  EXPECT_EQ(Apply(), 0);
  ASSERT_EQ(Register({"Logo"}), 1);  // measured afresh where the old page left it
  host.Resize(960, 540);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{450, 300, 75, 38}));
}

// A group registered before its frame or members had windows is remembered with empty
// bounds. Registered again with blank members once the windows are there, it is placed as if
// it had been registered after they appeared, and the clear puts it back.
TEST_F(FaultPage, AGroupRememberedBeforeItsWindowsIsPlacedOnceTheyAppear) {
  const struct {
    const char* Name;
    std::vector<std::string> Group;  // group, target, mode, members
    const char* Late;                // the object that appears after the first registration
    Box LateBox;
    Box Placed;  // at 1920 x 1080, with Target at (150, 75, 600, 450)
  } cases[] = {
      // Bounds from the members: the icon fills the target.
      {"listed member",
       {"Label", "Target", "FILL", "Icon"},
       "Icon",
       {200, 100, 40, 30},
       {150, 75, 600, 450}},
      // Bounds from the frame: 70 x 80 fitted by 5.625 to 394 x 450, centred.
      {"frame",
       {"Caption", "Target", "FIT", "Ghost"},
       "Caption",
       {50, 60, 70, 80},
       {253, 75, 394, 450}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    for (const bool early : {false, true}) {
      host.AddObject("Target", {100, 50, 400, 300});
      ASSERT_EQ(DesignSize(1280, 720), 1);
      ASSERT_EQ(Register({"Target"}), 1);
      if (early) {
        ASSERT_EQ(Group(c.Group), 1);  // nothing to measure yet: empty bounds remembered
        ASSERT_EQ(Clear(), 1);
        ASSERT_EQ(Register({"Target"}), 1);
      }
      host.AddObject(c.Late, c.LateBox);
      auto again = c.Group;
      if (early) again[3].clear();  // restored from memory
      ASSERT_EQ(Group(again), 1);
      host.Resize(1920, 1080);
      ASSERT_EQ(Apply(), 1);
      EXPECT_EQ(host.ObjectBox(c.Late), c.Placed) << (early ? "registered early" : "late");
      ASSERT_EQ(Clear(), 1);
      EXPECT_EQ(host.ObjectBox(c.Late), c.LateBox);
      EXPECT_EQ(host.ObjectBox("Target"), (Box{100, 50, 400, 300}));
      host.RemoveAllObjects();
      host.Resize(1280, 720);
      ASSERT_EQ(host.Message(1), 0);  // a fresh page: memory forgotten
    }
  }
}

TEST_F(FaultPage, AThousandRegisterApplyClearCycles) {
  // Hidden objects at a fixed window size, the scale alternating through the declared design
  // size: the layout is the same, and the run is not spent repainting the screen.
  for (const auto& [name, box] : std::map<std::string, Box>{
           {"A", {20, 10, 40, 20}}, {"B", {80, 60, 20, 10}}, {"Flame", {40, 4, 4, 4}}}) {
    ShowWindow(host.AddObject(name, box), SW_HIDE);
  }
  host.Resize(240, 135);
  struct Expected {
    int CanvasWidth, CanvasHeight;
    Box A, B, Flame;
    const char* Scale;
  };
  const Expected sizes[] = {{160, 90, {30, 15, 60, 30}, {130, 95, 20, 10}, {57, 9, 6, 6}, "1.5000"},
                            {480, 270, {10, 5, 20, 10}, {30, 25, 20, 10}, {19, 3, 2, 2}, "0.5000"}};
  int failures = 0;
  for (int cycle = 0; cycle < 1000 && failures == 0; ++cycle) {
    const auto& size = sizes[cycle % 2];
    host.ClearRecords();
    const int registered = DesignSize(size.CanvasWidth, size.CanvasHeight) + Register({"A"}) +
                           Register({"B", "FIXED", "FIXED", "R", "B"}) + Register({"Flame"}) +
                           Pin({"Flame", "A"});
    const int applied = Apply();
    const Box a = host.ObjectBox("A");
    const Box b = host.ObjectBox("B");
    const Box flame = host.ObjectBox("Flame");
    const auto scale = host.VariableValue("[Duduve.ScaleX]");
    const std::size_t published = host.Variables().size();
    const int cleared = Clear();
    const bool restored = host.ObjectBox("A") == Box{20, 10, 40, 20} &&
                          host.ObjectBox("B") == Box{80, 60, 20, 10} &&
                          host.ObjectBox("Flame") == Box{40, 4, 4, 4};
    if (registered != 5 || applied != 1 || a != size.A || b != size.B || flame != size.Flame ||
        scale != size.Scale || published != 6 || cleared != 1 || !restored) {
      ++failures;
      ADD_FAILURE() << "cycle " << cycle << ": registered " << registered << ", applied " << applied
                    << ", A " << a << ", B " << b << ", Flame " << flame << ", published "
                    << published << ", cleared " << cleared << (restored ? "" : ", not restored");
    }
    if (cycle % 100 == 99) host.Account().ForgetDead();
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(host.FaultReport(), "");
}

}  // namespace
}  // namespace fault_test
