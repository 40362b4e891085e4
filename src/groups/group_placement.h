#pragma once
// The arithmetic that maps a group's design bounding box into its target's rectangle.
#include "core/geometry.h"
#include "core/vocabulary.h"

namespace duduve {

struct GroupPlacement {
  float ScaleX = 1.0f;
  float ScaleY = 1.0f;
  Rect Frame;  // where the bounding box lands
};

// FILL stretches the bounds over the whole target; FIT scales them by one factor and
// centres them, the leftover halved toward zero. `bounds` and `target` are at least 1x1.
GroupPlacement PlaceGroup(const Rect& bounds, const Rect& target, GroupMode mode);

// A member's rectangle under a placement: its offset from the bounds scaled, sizes at least 1.
Rect PlaceMember(const Rect& design, const Rect& bounds, const GroupPlacement& placement);

}  // namespace duduve
