#pragma once
// Every kind of move, and where its window must end whatever contains it: one table for the
// native and the Windows-side tests of nested pages. Rectangles are left, top, width and height
// in host-client pixels, worked out by hand for a window that is a direct child of the host.
namespace nested_moves {

enum class Kind { Object, Pinned, GroupFrame, ListedMember, CollectedMember, Clear, Release };
// Which containers around the window are registered (and so move by their own rule).
enum class Moving { None, Parent, Outermost };

struct Size {
  int Width, Height;
};
inline constexpr Size kSizes[] = {{800, 600}, {1600, 1200}, {1200, 600}};

// The page, designed at 800 x 600: the window, the containers it may sit in (Outer at depth 2
// only; Inner, also the frame of the member kinds), the target of pins and groups, and the
// member of the frame kind.
struct Box {
  int Left, Top, Width, Height;
};
inline constexpr Box kWindow{100, 100, 200, 100};
inline constexpr Box kOuter{40, 30, 600, 500};
inline constexpr Box kInner{90, 90, 300, 200};
inline constexpr Box kTarget{500, 450, 100, 60};
inline constexpr Box kMember{120, 110, 50, 30};

struct Expected {
  Kind What;
  const char* Name;
  Box At[3];  // at each of kSizes
};
inline constexpr Expected kExpected[] = {
    {Kind::Object, "object", {{100, 100, 200, 100}, {200, 200, 400, 200}, {150, 100, 300, 100}}},
    // Bottom centre on the target's top centre; the target is STRETCH from (500, 450, 100, 60).
    {Kind::Pinned, "pinned", {{450, 350, 200, 100}, {900, 700, 400, 200}, {725, 350, 200, 100}}},
    // FIT of the frame's own rectangle into the target.
    {Kind::GroupFrame, "frame", {{500, 455, 100, 50}, {1000, 910, 200, 100}, {765, 450, 120, 60}}},
    // FIT of the container's rectangle (90, 90, 300, 200) into the target; factor 0.3 or 0.6.
    {Kind::ListedMember, "listed", {{508, 453, 60, 30}, {1016, 906, 120, 60}, {783, 453, 60, 30}}},
    {Kind::CollectedMember,
     "collected",
     {{508, 453, 60, 30}, {1016, 906, 120, 60}, {783, 453, 60, 30}}},
    {Kind::Clear, "clear", {{100, 100, 200, 100}, {100, 100, 200, 100}, {100, 100, 200, 100}}},
    {Kind::Release, "release", {{100, 100, 200, 100}, {100, 100, 200, 100}, {100, 100, 200, 100}}},
};

struct Nesting {
  int Depth;
  Moving Containers;
};
inline constexpr Nesting kNestings[] = {{0, Moving::None},   {1, Moving::None},
                                        {1, Moving::Parent}, {2, Moving::None},
                                        {2, Moving::Parent}, {2, Moving::Outermost}};

}  // namespace nested_moves
