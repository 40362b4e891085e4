// The clear action, the host's release message and unload, with real windows.
#include <map>

#include "apply_fixture.h"

namespace apply_test {
namespace {

class ClearPage : public PageFixture {
 protected:
  int Group(std::vector<std::string> params) {
    params.resize(4);
    standin::HostParams texts(params);
    return host.Exec(7, texts);
  }

  // Objects, a pin and two groups, moved away from their design by an apply at 1.5.
  void BuildAndApply() {
    for (const auto& [name, box] : design) host.AddObject(name, box);
    ASSERT_EQ(DesignSize(1280, 720), 1);
    ASSERT_EQ(Register({"Stage"}), 1);
    ASSERT_EQ(Register({"Torch", "FIXED", "FIXED"}), 1);
    ASSERT_EQ(Register({"Flame"}), 1);
    ASSERT_EQ(Pin({"Flame", "Torch"}), 1);
    ASSERT_EQ(Group({"Panel", "Stage", "FIT", ""}), 1);  // collects Piece
    ASSERT_EQ(Group({"Caption", "Stage", "FILL", "Label"}), 1);
    host.Resize(1920, 1080);
    ASSERT_EQ(Apply(), 1);
    for (const auto& [name, box] : design) ASSERT_NE(host.ObjectBox(name), box) << name;
  }

  std::map<std::string, Box> Boxes() const {
    std::map<std::string, Box> boxes;
    for (const auto& [name, box] : design) boxes[name] = host.ObjectBox(name);
    return boxes;
  }

  void ExpectAllAtDesign() const {
    for (const auto& [name, box] : design) EXPECT_EQ(host.ObjectBox(name), box) << name;
  }

  const std::map<std::string, Box> design = {
      {"Stage", {100, 50, 400, 300}}, {"Torch", {500, 300, 80, 200}}, {"Flame", {520, 200, 40, 60}},
      {"Panel", {600, 400, 100, 80}}, {"Piece", {620, 420, 30, 30}},  {"Label", {40, 600, 60, 20}}};
};

TEST_F(ClearPage, ClearPutsEveryObjectMemberAndFrameBack) {
  BuildAndApply();
  EXPECT_EQ(Clear(), 1);
  ExpectAllAtDesign();
  // Nothing is registered any more: an apply has nothing to do.
  EXPECT_EQ(Apply(), 0);
  EXPECT_EQ(Clear(), 1);
}

TEST_F(ClearPage, ReleaseMessageRestoresAndForgetsTheCanvas) {
  BuildAndApply();
  host.Message(2);
  ExpectAllAtDesign();
  ASSERT_EQ(Register({"Stage"}), 1);
  EXPECT_EQ(Apply(), 0);
  EXPECT_EQ(host.ObjectBox("Stage"), (Box{100, 50, 400, 300}));
  ASSERT_EQ(DesignSize(1280, 720), 1);
  EXPECT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Stage"), (Box{150, 75, 600, 450}));
}

TEST_F(ClearPage, UnloadTouchesNoWindow) {
  BuildAndApply();
  const auto before = Boxes();
  int moves = 0;
  host.OnObjectMoved = [&](standin::StandInHost&, const std::string&) { ++moves; };
  host.ClearRecords();
  EXPECT_TRUE(host.Unload());
  EXPECT_EQ(moves, 0);
  EXPECT_EQ(Boxes(), before);
  EXPECT_TRUE(host.InterfaceCalls().empty());
}

}  // namespace
}  // namespace apply_test
