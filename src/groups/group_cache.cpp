// The group memory that survives the clear action: bounds and members by group name.
#include "groups/group_operations.h"

namespace duduve {

void SaveGroupToCache(LayoutRegistry& registry, const GroupRecord& group) {
  if (group.Key.empty()) return;
  auto& entry = registry.GroupCache[group.Key];
  entry.SetBounds(group.Bounds());
  entry.Members.assign(group.Members.begin(), group.Members.end());
  for (auto& member : entry.Members) member.Window = 0;
}

void RestoreGroupFromCache(GroupRecord& group, const GroupCacheEntry& entry) {
  const Rect bounds = entry.Bounds();
  group.SetBounds(bounds);
  // Bounds remembered before the frame or any member had a rectangle are empty: they stay
  // unset, so that resolution works them out once something can be measured.
  group.HasBounds = bounds.Width >= 1 && bounds.Height >= 1;
  for (const auto& remembered : entry.Members) {
    group.Members.push_back(remembered);
    group.Members.back().Window = 0;
  }
}

}  // namespace duduve
