#pragma once
// Groups: sets of objects scaled as one unit into a target's rectangle.
#include <cstdint>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/vocabulary.h"

namespace duduve {

struct GroupMember {
  std::wstring Name;  // empty for a member collected from the screen
  std::wstring Key;   // NameKey(Name), kept so that passes compare without re-casing
  WindowHandle Window = 0;
  std::int32_t DesignLeft = 0;
  std::int32_t DesignTop = 0;
  std::int32_t DesignWidth = 0;
  std::int32_t DesignHeight = 0;
  bool Captured = false;

  Rect Design() const { return {DesignLeft, DesignTop, DesignWidth, DesignHeight}; }
  void SetDesign(const Rect& rect) {
    StoreRect(rect, DesignLeft, DesignTop, DesignWidth, DesignHeight);
  }
};

struct GroupRecord {
  std::wstring GroupName;  // also the frame object's name
  std::wstring Key;        // NameKey(GroupName): the identity the group is found by
  std::wstring TargetName;
  std::wstring TargetKey;  // NameKey(TargetName)
  GroupMode Mode = GroupMode::Fit;
  WindowHandle FrameWindow = 0;
  std::int32_t BoundsLeft = 0;
  std::int32_t BoundsTop = 0;
  std::int32_t BoundsWidth = 0;
  std::int32_t BoundsHeight = 0;
  bool HasBounds = false;
  std::vector<GroupMember> Members;

  Rect Bounds() const { return {BoundsLeft, BoundsTop, BoundsWidth, BoundsHeight}; }
  void SetBounds(const Rect& rect) {
    StoreRect(rect, BoundsLeft, BoundsTop, BoundsWidth, BoundsHeight);
    HasBounds = true;
  }
};

// The remembered design geometry of a group; member windows are always 0 here.
struct GroupCacheEntry {
  std::int32_t BoundsLeft = 0;
  std::int32_t BoundsTop = 0;
  std::int32_t BoundsWidth = 0;
  std::int32_t BoundsHeight = 0;
  std::vector<GroupMember> Members;

  Rect Bounds() const { return {BoundsLeft, BoundsTop, BoundsWidth, BoundsHeight}; }
  void SetBounds(const Rect& rect) {
    StoreRect(rect, BoundsLeft, BoundsTop, BoundsWidth, BoundsHeight);
  }
};

}  // namespace duduve

namespace duduve {

// The union of the captured members' design rectangles (sizes raised to 1); false when
// no member is captured.
bool CapturedMembersUnion(const GroupRecord& group, Rect& out);

}  // namespace duduve
