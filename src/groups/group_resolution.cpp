// Group resolution, the last positioning step of the apply pass: each group's design
// bounding box is mapped into its target's new rectangle and the frame and members
// follow. Objects under per-object layout are never moved here. Nothing moves yet: the
// moves are handed back to the pass, which carries them out after every measurement.
//
// Host look-ups can run host scripts that change Groups, so records are reached by
// position after every such call and never held across one.
#include "core/host_calls.h"
#include "groups/group_actions.h"
#include "groups/group_operations.h"
#include "groups/group_placement.h"
#include "groups/object_snapshot.h"

namespace duduve {

namespace {

GroupRecord* GroupAt(LayoutRegistry& registry, std::size_t group) {
  return group < registry.Groups.size() ? &registry.Groups[group] : nullptr;
}

GroupMember* MemberAt(LayoutRegistry& registry, std::size_t group, std::size_t member) {
  auto* record = GroupAt(registry, group);
  return record != nullptr && member < record->Members.size() ? &record->Members[member] : nullptr;
}

// Named members whose rectangle was unknown so far get their first measurement.
void CaptureLateMembers(Context& context, std::size_t group) {
  auto& registry = context.Registry;
  for (std::size_t m = 0;; ++m) {
    const auto* member = MemberAt(registry, group, m);
    if (member == nullptr) return;
    if (member->Captured || member->Name.empty()) continue;
    const auto name = member->Name;
    Rect design;
    if (!LookupDesignRect(context, name, design)) continue;
    auto* again = MemberAt(registry, group, m);
    if (again == nullptr) return;
    again->SetDesign(design);
    again->Captured = true;
  }
}

// Bounds from the frame object's rectangle, else from the captured members (then
// remembered). False when the group is gone.
bool CompleteBounds(Context& context, std::size_t group) {
  auto& registry = context.Registry;
  auto* record = GroupAt(registry, group);
  if (record == nullptr) return false;
  if (record->HasBounds) return true;
  const auto name = record->GroupName;
  Rect frame;
  const bool found = LookupDesignRect(context, name, frame);
  record = GroupAt(registry, group);
  if (record == nullptr) return false;
  if (found) {
    record->SetBounds(frame);
  } else if (Rect united; CapturedMembersUnion(*record, united)) {
    record->SetBounds(united);
    SaveGroupToCache(registry, *record);
  }
  return true;
}

// A stored window that is gone is forgotten; a missing one is asked of the host by name.
WindowHandle CurrentWindow(Context& context, WindowHandle stored, const std::wstring& name) {
  if (stored != 0 && !context.Windows.IsWindow(stored)) stored = 0;
  if (stored == 0 && !name.empty()) stored = ObjectWindow(context.Host, name);
  return stored;
}

void ResolveGroup(Context& context, const ObjectSnapshot& snapshot, std::size_t group,
                  std::vector<WindowMove>& moves) {
  auto& registry = context.Registry;
  CaptureLateMembers(context, group);
  if (!CompleteBounds(context, group)) return;

  auto* record = GroupAt(registry, group);
  if (record == nullptr || !record->HasBounds) return;
  const Rect bounds = record->Bounds();
  if (bounds.Width < 1 || bounds.Height < 1) return;
  const auto* target = snapshot.FindName(record->TargetKey);
  if (target == nullptr || !target->Placed || target->Resolved.Width < 1 ||
      target->Resolved.Height < 1) {
    return;
  }
  const auto placement = PlaceGroup(bounds, target->Resolved, record->Mode);

  const auto groupName = record->GroupName;
  const bool frameRegistered = snapshot.HasName(record->Key);
  const WindowHandle frame = CurrentWindow(context, record->FrameWindow, groupName);
  record = GroupAt(registry, group);
  if (record == nullptr) return;
  record->FrameWindow = frame;
  if (frame != 0 && !snapshot.HasWindow(frame) && !frameRegistered) {
    moves.push_back({frame, placement.Frame, {}});
  }

  for (std::size_t m = 0;; ++m) {
    auto* member = MemberAt(registry, group, m);
    if (member == nullptr) return;
    if (!member->Captured) continue;
    WindowHandle window = member->Window;
    if (window != 0 && !context.Windows.IsWindow(window)) window = 0;
    if (window == 0 && !member->Name.empty()) {
      const auto name = member->Name;
      window = ObjectWindow(context.Host, name);
      member = MemberAt(registry, group, m);
      if (member == nullptr) return;
    }
    member->Window = window;
    if (window == 0 || window == frame) continue;
    if (snapshot.HasWindow(window) || (!member->Name.empty() && snapshot.HasName(member->Key))) {
      continue;
    }
    moves.push_back({window, PlaceMember(member->Design(), bounds, placement), {}});
  }
}

}  // namespace

void ResolveGroups(Context& context, std::vector<WindowMove>& moves) {
  if (context.Registry.Groups.empty()) return;
  const ObjectSnapshot snapshot(context.Registry.Objects);
  for (std::size_t group = 0; group < context.Registry.Groups.size(); ++group) {
    ResolveGroup(context, snapshot, group, moves);
  }
}

}  // namespace duduve
