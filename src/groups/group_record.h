#pragma once
// Groups: sets of objects scaled as one unit into a target's rectangle.
#include <cstdint>
#include <string>
#include <vector>

#include "layout/geometry.h"
#include "layout/vocabulary.h"

namespace duduve {

struct GroupMember {
  std::wstring Name;  // empty for a member collected from the screen
  WindowHandle Window = 0;
  std::int32_t DesignLeft = 0;
  std::int32_t DesignTop = 0;
  std::int32_t DesignWidth = 0;
  std::int32_t DesignHeight = 0;
  bool Captured = false;
};

struct GroupRecord {
  std::wstring GroupName;  // also the frame object's name
  std::wstring TargetName;
  GroupMode Mode = GroupMode::Fit;
  WindowHandle FrameWindow = 0;
  std::int32_t BoundsLeft = 0;
  std::int32_t BoundsTop = 0;
  std::int32_t BoundsWidth = 0;
  std::int32_t BoundsHeight = 0;
  bool HasBounds = false;
  std::vector<GroupMember> Members;
};

// The remembered design geometry of a group; member windows are always 0 here.
struct GroupCacheEntry {
  std::int32_t BoundsLeft = 0;
  std::int32_t BoundsTop = 0;
  std::int32_t BoundsWidth = 0;
  std::int32_t BoundsHeight = 0;
  std::vector<GroupMember> Members;
};

}  // namespace duduve
