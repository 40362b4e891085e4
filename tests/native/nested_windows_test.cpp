// Every kind of move lands a window at its rule's rectangle in host-client pixels, whether
// the window is a direct child of the host window or sits in containers that move too, in
// hosts laid out either way.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "layout_fixture.h"
#include "nested_moves_table.h"

namespace duduve::testing {
namespace {

using nested_moves::Kind;
using nested_moves::Moving;

Rect AsRect(const nested_moves::Box& box) {
  return {box.Left, box.Top, box.Width, box.Height};
}

// One page: the window at `depth` inside the containers, and what its kind needs around it.
class NestedPage {
 public:
  NestedPage(Kind kind, int depth, Moving moving, bool mirroredHost) : kind_(kind) {
    context_.HostWindow = FakeWindowSystem::kHostWindow;
    windows_.SetHostMirrored(mirroredHost);
    windows_.SetHostOnScreen(300, 200);
    WindowHandle parent = FakeWindowSystem::kHostWindow;
    std::vector<std::wstring> containers;
    if (depth == 2) {
      parent =
          Add(L"Outer", windows_.AddChildOf(parent, AsRect(nested_moves::kOuter), {2, 3, 4, 5}));
      containers.push_back(L"Outer");
    }
    const bool memberKind = kind == Kind::ListedMember || kind == Kind::CollectedMember;
    if (depth >= 1) {
      // Counts its children's x from its right edge.
      parent = Add(L"Inner",
                   windows_.AddChildOf(parent, AsRect(nested_moves::kInner), {1, 2, 1, 2}, true));
      containers.push_back(L"Inner");
    } else if (memberKind) {
      Add(L"Inner",
          windows_.AddChild(AsRect(nested_moves::kInner)));  // the frame beside the window
    }
    window_ = Add(L"Window", windows_.AddChildOf(parent, AsRect(nested_moves::kWindow)));
    Add(L"Target", windows_.AddChild(AsRect(nested_moves::kTarget)));
    if (kind == Kind::GroupFrame) Add(L"Member", windows_.AddChild(AsRect(nested_moves::kMember)));

    Run(SetDesignSize(context_, Texts({L"800", L"600"})));
    if (moving == Moving::Parent && !containers.empty()) Stretch(containers.back());
    if (moving == Moving::Outermost && !containers.empty()) Stretch(containers.front());
    Run(RegisterObject(context_, Texts({L"Target", L"STRETCH", L"STRETCH"}, 7)));
    switch (kind) {
      case Kind::Object:
      case Kind::Clear:
      case Kind::Release:
        Stretch(L"Window");
        break;
      case Kind::Pinned:
        Run(RegisterObject(context_, Texts({L"Window", L"FIXED", L"FIXED"}, 7)));
        Run(PinObject(context_, Texts({L"Window", L"Target"}, 6)));
        break;
      case Kind::GroupFrame:
        Run(RegisterGroup(context_, Texts({L"Window", L"Target", L"FIT", L"Member"})));
        break;
      case Kind::ListedMember:
        Run(RegisterGroup(context_, Texts({L"Inner", L"Target", L"FIT", L"Window"})));
        break;
      case Kind::CollectedMember:
        Run(RegisterGroup(context_, Texts({L"Inner", L"Target", L"FIT", L""})));
        break;
    }
  }

  // The window's rectangle in host-client pixels after an apply at `size` (and the clear or
  // release that the kind names).
  Rect At(nested_moves::Size size) {
    windows_.SetClientSize(size.Width, size.Height);
    EXPECT_EQ(ApplyPass(context_), 1);
    if (kind_ == Kind::Clear) {
      EXPECT_EQ(ClearAction(context_), 1);
    }
    if (kind_ == Kind::Release) ReleasePass(context_);
    return windows_.RectOf(window_);
  }

 private:
  static std::vector<std::wstring> Texts(std::vector<std::wstring> texts, std::size_t count = 4) {
    texts.resize(count);
    return texts;
  }
  static void Run(int result) { ASSERT_EQ(result, 1); }
  WindowHandle Add(const std::wstring& name, WindowHandle window) {
    host_.Name(name, window);
    return window;
  }
  void Stretch(const std::wstring& name) {
    Run(RegisterObject(context_, Texts({name, L"STRETCH", L"STRETCH", L"L", L"T"}, 7)));
  }

  Kind kind_;
  FakeWindowSystem windows_;
  FakeHost host_;
  Context context_{windows_, host_};
  WindowHandle window_ = 0;
};

TEST(NestedWindows, EveryKindOfMoveLandsAtItsRuleWhateverContainsTheWindow) {
  for (const auto& expected : nested_moves::kExpected) {
    for (const auto& nesting : nested_moves::kNestings) {
      for (const bool mirroredHost : {false, true}) {
        SCOPED_TRACE(::testing::Message()
                     << expected.Name << " at depth " << nesting.Depth << ", containers moving "
                     << static_cast<int>(nesting.Containers) << ", mirrored host " << mirroredHost);
        // One page through all three sizes, each apply starting where the last one left;
        // a clear or a release empties the registry, so those start afresh at each size.
        const bool afresh = expected.What == Kind::Clear || expected.What == Kind::Release;
        std::optional<NestedPage> page;
        for (int s = 0; s < 3; ++s) {
          if (afresh || !page)
            page.emplace(expected.What, nesting.Depth, nesting.Containers, mirroredHost);
          const auto size = nested_moves::kSizes[s];
          EXPECT_EQ(page->At(size), AsRect(expected.At[s])) << size.Width << " x " << size.Height;
        }
      }
    }
  }
}

// A container and the object inside it, both registered: the container's own move carries
// the object, so the object is placed against where the container ends, not twice.
TEST_F(LayoutFixture, AnObjectInsideAMovingContainerIsNotCarriedTwice) {
  const auto card =
      windows.AddChildOf(FakeWindowSystem::kHostWindow, {100, 100, 400, 300}, {3, 3, 3, 3});
  host.Name(L"Card", card);
  const auto button = windows.AddChildOf(card, {150, 300, 100, 40});
  host.Name(L"Button", button);
  Canvas(1000, 800);
  ASSERT_EQ(Register({L"Card"}), 1);
  ASSERT_EQ(Register({L"Button", L"FIXED", L"FIXED", L"R", L"B"}), 1);
  windows.SetClientSize(2000, 1600);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(card), (Rect{200, 200, 800, 600}));
  // Right and bottom margins of the page scaled: 2000 - 750 * 2 - 100, 1600 - 460 * 2 - 40.
  EXPECT_EQ(windows.RectOf(button), (Rect{400, 640, 100, 40}));
  // What the window system was told: the card's client area starts at (203, 203).
  EXPECT_EQ(windows.RectInParent(button), (Rect{197, 437, 100, 40}));
}

// A window the host names outside the host window is placed in screen coordinates.
TEST_F(LayoutFixture, AWindowOutsideTheHostWindowIsPlacedOnTheScreen) {
  windows.SetHostOnScreen(300, 200);
  const auto palette = windows.AddChildOf(FakeWindowSystem::kDesktop, {900, 10, 100, 50});
  host.Name(L"Palette", palette);
  Canvas(1000, 800);
  ASSERT_EQ(Register({L"Palette"}), 1);
  windows.SetClientSize(2000, 1600);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(windows.RectOf(palette), (Rect{1800, 20, 200, 100}));
  EXPECT_EQ(windows.RectInParent(palette), (Rect{2100, 220, 200, 100}));
}

// Every measurement of a pass comes before its first move: a group member inside a
// container that the same pass moves keeps its design rectangle for good.
TEST_F(LayoutFixture, AMemberMeasuredLateIsMeasuredBeforeAnythingMoves) {
  const auto panel = windows.AddChildOf(FakeWindowSystem::kHostWindow, {0, 40, 800, 560});
  host.Name(L"Panel", panel);
  host.Name(L"Target", windows.AddChild({500, 0, 200, 40}));
  Canvas(800, 600);
  ASSERT_EQ(Register({L"Panel"}), 1);
  ASSERT_EQ(Register({L"Target", L"FIXED", L"FIXED"}), 1);
  // The member's window appears only after registration, so the pass measures it.
  std::vector<std::wstring> group = {L"Icons", L"Target", L"FILL", L"Icon"};
  ASSERT_EQ(RegisterGroup(context, group), 1);
  const auto icon = windows.AddChildOf(panel, {520, 50, 40, 40});
  host.Name(L"Icon", icon);
  windows.SetClientSize(1600, 1200);
  ASSERT_EQ(ApplyPass(context), 1);
  EXPECT_EQ(context.Registry.DesignRectCache.at(L"icon"), (Rect{520, 50, 40, 40}));
  // Bounds are the icon's own rectangle, filled into the target at (1000, 0, 200, 40).
  EXPECT_EQ(windows.RectOf(icon), (Rect{1000, 0, 200, 40}));
}

}  // namespace
}  // namespace duduve::testing
