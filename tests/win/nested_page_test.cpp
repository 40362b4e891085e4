// Pages as hosts build them, through the real exports: objects inside bordered containers
// and panels, and host windows laid out right to left. Every rectangle is read back in the
// host window's client pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nested_moves_table.h"
#include "stand_in_host.h"

namespace {

using standin::Box;
using standin::HostLayout;
using standin::ObjectFrame;
using standin::StandInHost;

using nested_moves::Kind;
using nested_moves::Moving;

Box AsBox(const nested_moves::Box& box) {
  return {box.Left, box.Top, box.Width, box.Height};
}

// One page on a host with the plug-in started: the window at `depth` inside bordered
// containers, and what its kind needs. The host forgets the page before it is built.
class NestedPage {
 public:
  NestedPage(StandInHost& host, Kind kind, int depth, Moving moving) : host_(host), kind_(kind) {
    host_.Message(1);
    host_.RemoveAllObjects();
    host_.Resize(800, 600);
    std::string parent;
    std::vector<std::string> containers;
    if (depth == 2) {
      host_.AddObject("Outer", AsBox(nested_moves::kOuter), parent, ObjectFrame::Bordered);
      containers.push_back(parent = "Outer");
    }
    const bool memberKind = kind == Kind::ListedMember || kind == Kind::CollectedMember;
    if (depth >= 1 || memberKind) {
      // A container around the window, or the group's frame beside it.
      host_.AddObject("Inner", AsBox(nested_moves::kInner), parent, ObjectFrame::Bordered);
      if (depth >= 1) containers.push_back(parent = "Inner");
    }
    host_.AddObject("Window", AsBox(nested_moves::kWindow), parent);
    host_.AddObject("Target", AsBox(nested_moves::kTarget));
    if (kind == Kind::GroupFrame) host_.AddObject("Member", AsBox(nested_moves::kMember));
    if (moving == Moving::Parent && !containers.empty()) moving_ = containers.back();
    if (moving == Moving::Outermost && !containers.empty()) moving_ = containers.front();
    Register();
  }

  // The window's rectangle after an apply at `size` and the clear or release of its kind,
  // which forget the page: it is registered again for the next size.
  Box At(nested_moves::Size size) {
    host_.Resize(size.Width, size.Height);
    Run(3, {});
    if (kind_ == Kind::Clear) Run(4, {});
    if (kind_ == Kind::Release) host_.Message(2);
    const Box box = host_.ObjectBox("Window");
    if (kind_ == Kind::Clear || kind_ == Kind::Release) Register();
    return box;
  }

 private:
  void Register() {
    Run(1, {"800", "600"});
    if (!moving_.empty()) Run(2, Stretch(moving_));
    Run(2, Stretch("Target"));
    switch (kind_) {
      case Kind::Object:
      case Kind::Clear:
      case Kind::Release:
        Run(2, Stretch("Window"));
        break;
      case Kind::Pinned:
        Run(2, {"Window", "FIXED", "FIXED", "", "", "", ""});
        Run(6, {"Window", "Target", "", "", "", ""});
        break;
      case Kind::GroupFrame:
        Run(7, {"Window", "Target", "FIT", "Member"});
        break;
      case Kind::ListedMember:
        Run(7, {"Inner", "Target", "FIT", "Window"});
        break;
      case Kind::CollectedMember:
        Run(7, {"Inner", "Target", "FIT", ""});
        break;
    }
  }
  static std::vector<std::string> Stretch(const std::string& name) {
    return {name, "STRETCH", "STRETCH", "L", "T", "", ""};
  }
  void Run(int action, const std::vector<std::string>& texts) {
    standin::HostParams params(texts);
    EXPECT_EQ(host_.Exec(action, params), 1) << "action " << action;
  }

  StandInHost& host_;
  Kind kind_;
  std::string moving_;  // the container registered to move, if any
};

TEST(NestedPage, EveryKindOfMoveLandsAtItsRuleWhateverContainsTheWindow) {
  for (const auto layout : {HostLayout::LeftToRight, HostLayout::RightToLeft}) {
    StandInHost host(800, 600, standin::HostFrame::Popup, layout);
    host.Account().ClearFaults();
    ASSERT_TRUE(host.StartUp());
    for (const auto& expected : nested_moves::kExpected) {
      for (const auto& nesting : nested_moves::kNestings) {
        SCOPED_TRACE(::testing::Message()
                     << expected.Name << " at depth " << nesting.Depth << ", containers moving "
                     << static_cast<int>(nesting.Containers) << ", right to left "
                     << (layout == HostLayout::RightToLeft));
        // One page through all three sizes, each apply starting where the last one left.
        NestedPage page(host, expected.What, nesting.Depth, nesting.Containers);
        for (int s = 0; s < 3; ++s) {
          const auto size = nested_moves::kSizes[s];
          EXPECT_EQ(page.At(size), AsBox(expected.At[s])) << size.Width << " x " << size.Height;
        }
      }
    }
    EXPECT_TRUE(host.Unload());
    EXPECT_EQ(host.FaultReport(), "");
  }
}

// A page that sits in a panel below a toolbar, and the same page in a host window laid out
// right to left: nothing moves at the design size, and every object doubles at twice it.
TEST(NestedPage, APanelBelowAToolbarAndAMirroredHostKeepTheDesign) {
  struct Object {
    const char* Name;
    Box Design;
    Box Doubled;
  };
  const Object objects[] = {{"Title", {20, 50, 400, 40}, {40, 100, 800, 80}},
                            {"Picture", {20, 110, 300, 200}, {40, 220, 600, 400}},
                            {"Next", {680, 540, 100, 40}, {1360, 1080, 200, 80}}};
  for (const auto layout : {HostLayout::LeftToRight, HostLayout::RightToLeft}) {
    SCOPED_TRACE(layout == HostLayout::RightToLeft ? "right to left" : "left to right");
    StandInHost host(800, 600, standin::HostFrame::Popup, layout);
    host.Account().ClearFaults();
    ASSERT_TRUE(host.StartUp());
    host.AddObject("Toolbar", {0, 0, 800, 40});
    host.AddObject("Panel", {0, 40, 800, 560}, {}, ObjectFrame::Bordered);
    for (const auto& object : objects) host.AddObject(object.Name, object.Design, "Panel");
    ASSERT_EQ(host.Exec(1, {"800", "600"}), 1);
    for (const auto& object : objects) ASSERT_EQ(host.Exec(2, {object.Name}), 1);

    ASSERT_EQ(host.Exec(3, {}), 1);
    for (const auto& object : objects) {
      EXPECT_EQ(host.ObjectBox(object.Name), object.Design) << object.Name;
    }
    host.Resize(1600, 1200);
    ASSERT_EQ(host.Exec(3, {}), 1);
    for (const auto& object : objects) {
      EXPECT_EQ(host.ObjectBox(object.Name), object.Doubled) << object.Name;
    }
    EXPECT_TRUE(host.Unload());
    EXPECT_EQ(host.FaultReport(), "");
  }
}

}  // namespace
