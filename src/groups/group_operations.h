#pragma once
// The pieces of group registration that resolution reuses, and the ones tests reach.
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "core/geometry.h"
#include "core/group_record.h"

namespace duduve {

// A window found inside a frame, with its rectangle as read.
struct CollectedWindow {
  WindowHandle Window = 0;
  Rect Area;
};

// The first measured rectangle of a named object: from DesignRectCache, else read from
// its window now and remembered there. False for a blank name or an unknown window.
bool LookupDesignRect(Context& context, std::wstring_view name, Rect& out);

// The host window's direct children, then the frame window's own children (at most 1024
// examined in all), that lie inside `area` with one pixel of tolerance, skipping the
// frame, the target and every registered window.
std::vector<CollectedWindow> CollectInside(Context& context, const Rect& area, WindowHandle frame,
                                           WindowHandle target);

// Appends one unnamed, captured member per window found inside the group's bounds.
void CollectMembers(Context& context, GroupRecord& group);

// The names of a member list: "," and ";" separate, fields are trimmed, and blank
// fields, the group's own name, the target's name and repeats (ignoring case) dropped.
std::vector<std::wstring> ParseMemberNames(std::wstring_view members, const std::wstring& groupKey,
                                           const std::wstring& targetKey);

// Remembers the group's bounds and members (without windows) under its name.
void SaveGroupToCache(LayoutRegistry& registry, const GroupRecord& group);
// Gives a new record the remembered bounds and members; member windows start at 0.
void RestoreGroupFromCache(GroupRecord& group, const GroupCacheEntry& entry);

// Finds the current windows of remembered unnamed members by their centres relative to
// the frame's current rectangle.
void RebindMembers(Context& context, GroupRecord& group);

// The normalised squared distance below which a window counts as a member's (0.15 of
// the frame's width and height).
inline constexpr float kRebindThreshold = 0.0225f;

}  // namespace duduve
