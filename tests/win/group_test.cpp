// Groups through the real exports, with real child windows of the host window.
#include <algorithm>

#include "apply_fixture.h"

namespace apply_test {
namespace {

class GroupPage : public PageFixture {
 protected:
  // Group name, target name, mode, members.
  int Group(std::vector<std::string> params) {
    params.resize(4);
    standin::HostParams texts(params);
    return host.Exec(7, texts);
  }

  // The worked example: bounds (10, 20, 200, 100), a member at (30, 40, 50, 20) and a
  // target that the object pass leaves at (100, 50, 400, 300).
  void WorkedExample() {
    host.AddObject("Target", {100, 50, 400, 300});
    host.AddObject("Frame", {10, 20, 200, 100});
    host.AddObject("M", {30, 40, 50, 20});
    ASSERT_EQ(DesignSize(1280, 720), 1);
    ASSERT_EQ(Register({"Target"}), 1);
  }
};

TEST_F(GroupPage, TheWorkedExampleInFitAndFill) {
  WorkedExample();
  ASSERT_EQ(Group({"Frame", "Target", "FIT", "M"}), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Frame"), (Box{100, 100, 400, 200}));
  EXPECT_EQ(host.ObjectBox("M"), (Box{140, 140, 100, 40}));

  ASSERT_EQ(Group({"Frame", "Target", "FILL", "M"}), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Frame"), (Box{100, 50, 400, 300}));
  EXPECT_EQ(host.ObjectBox("M"), (Box{140, 110, 100, 60}));
  EXPECT_EQ(host.ObjectBox("Target"), (Box{100, 50, 400, 300}));
}

TEST_F(GroupPage, AListedMemberTextNamesLogoAndTitleOnly) {
  host.AddObject("Stage", {600, 300, 400, 200});
  host.AddObject("Frame", {100, 100, 200, 100});
  host.AddObject("Logo", {100, 100, 50, 20});
  host.AddObject("Title", {150, 150, 100, 50});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Stage"}), 1);
  host.ClearRecords();
  ASSERT_EQ(Group({"Frame", "Stage", "", "Logo; logo ,Title,,Frame"}), 1);
  std::vector<std::string> asked;
  for (const auto& call : host.InterfaceCalls()) asked.push_back(call.Request);
  asked.erase(std::unique(asked.begin(), asked.end()), asked.end());
  EXPECT_EQ(asked, (std::vector<std::string>{"Frame", "Logo", "Title"}));

  ASSERT_EQ(Apply(), 1);  // factor 2 into the stage
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{600, 300, 100, 40}));
  EXPECT_EQ(host.ObjectBox("Title"), (Box{700, 400, 200, 100}));
}

TEST_F(GroupPage, CollectionTakesOnePixelOutsideTheFrameAndNotTwo) {
  host.AddObject("Stage", {600, 300, 400, 200});
  host.AddObject("Frame", {100, 100, 200, 100});
  host.AddObject("OnePixelOut", {99, 99, 202, 102});
  host.AddObject("TwoPixelsOut", {98, 100, 50, 50});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Stage"}), 1);
  ASSERT_EQ(Group({"Frame", "Stage", "FIT", ""}), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Frame"), (Box{600, 300, 400, 200}));
  EXPECT_EQ(host.ObjectBox("OnePixelOut"), (Box{598, 298, 404, 204}));
  EXPECT_EQ(host.ObjectBox("TwoPixelsOut"), (Box{98, 100, 50, 50}));
  EXPECT_EQ(host.ObjectBox("Stage"), (Box{600, 300, 400, 200}));
}

TEST_F(GroupPage, ReenteringThePageRebindsCollectedMembersByTheirCentres) {
  host.AddObject("Stage", {600, 300, 400, 200});
  host.AddObject("Frame", {100, 100, 200, 100});
  host.AddObject("Left", {110, 110, 20, 20});
  host.AddObject("Right", {200, 140, 40, 20});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Stage"}), 1);
  ASSERT_EQ(Group({"Frame", "Stage", "FIT", ""}), 1);
  ASSERT_EQ(Apply(), 1);
  ASSERT_EQ(host.ObjectBox("Right"), (Box{800, 380, 80, 40}));

  // Leave the page: every window goes; enter it again: new windows, new handles, the
  // frame somewhere else and twice as large, the pieces at the same relative places.
  ASSERT_EQ(Clear(), 1);
  host.RemoveAllObjects();
  host.AddObject("Stage", {600, 300, 400, 200});
  host.AddObject("Frame", {0, 400, 400, 200});
  host.AddObject("Piece2", {200, 480, 80, 40});  // the old Right, by its centre
  host.AddObject("Piece1", {20, 420, 40, 40});   // the old Left
  ASSERT_EQ(Register({"Stage"}), 1);
  ASSERT_EQ(Group({"Frame", "Stage", "FIT", ""}), 1);
  ASSERT_EQ(Apply(), 1);
  // The remembered design rectangles, mapped into the stage.
  EXPECT_EQ(host.ObjectBox("Frame"), (Box{600, 300, 400, 200}));
  EXPECT_EQ(host.ObjectBox("Piece1"), (Box{620, 320, 40, 40}));
  EXPECT_EQ(host.ObjectBox("Piece2"), (Box{800, 380, 80, 40}));
}

TEST_F(GroupPage, ARegisteredMemberKeepsItsObjectPassPlace) {
  WorkedExample();
  host.AddObject("Loose", {30, 70, 50, 20});
  ASSERT_EQ(Register({"M", "FIXED", "FIXED"}), 1);
  ASSERT_EQ(Group({"Frame", "Target", "FILL", "M;Loose"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("M"), (Box{45, 60, 50, 20}));
  // Target at (150, 75, 600, 450): factors 3 and 4.5 from the bounds 200 x 100.
  EXPECT_EQ(host.ObjectBox("Frame"), (Box{150, 75, 600, 450}));
  EXPECT_EQ(host.ObjectBox("Loose"), (Box{210, 300, 150, 90}));
}

}  // namespace
}  // namespace apply_test
