#include "core/group_record.h"

#include <algorithm>

namespace duduve {

bool CapturedMembersUnion(const GroupRecord& group, Rect& out) {
  bool any = false;
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
  for (const auto& member : group.Members) {
    if (!member.Captured) continue;
    const Rect design = member.Design();
    const std::int64_t memberRight = std::int64_t{design.Left} + design.Width;
    const std::int64_t memberBottom = std::int64_t{design.Top} + design.Height;
    if (!any) {
      left = design.Left;
      top = design.Top;
      right = memberRight;
      bottom = memberBottom;
      any = true;
      continue;
    }
    left = std::min<std::int64_t>(left, design.Left);
    top = std::min<std::int64_t>(top, design.Top);
    right = std::max(right, memberRight);
    bottom = std::max(bottom, memberBottom);
  }
  if (!any) return false;
  out = {SaturateToInt32(left), SaturateToInt32(top), AtLeastOne(SaturateToInt32(right - left)),
         AtLeastOne(SaturateToInt32(bottom - top))};
  return true;
}

}  // namespace duduve
