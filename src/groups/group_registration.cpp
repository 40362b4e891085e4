// Duduve_RegisterGroup: declares a group with listed or automatically collected members.
#include <algorithm>
#include <unordered_set>

#include "core/casing.h"
#include "core/host_calls.h"
#include "core/text_rules.h"
#include "groups/group_actions.h"
#include "groups/group_operations.h"

namespace duduve {

namespace {

// Removes the group of that key and answers where it stood; a new name goes at the end.
std::size_t RemoveGroup(std::vector<GroupRecord>& groups, const std::wstring& key) {
  for (std::size_t i = 0; i < groups.size(); ++i) {
    if (groups[i].Key == key) {
      groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(i));
      return i;
    }
  }
  return groups.size();
}

// Builds listed members; false when the list names none.
bool AddListedMembers(Context& context, GroupRecord& group, std::wstring_view members) {
  for (auto& name : ParseMemberNames(members, group.Key, group.TargetKey)) {
    GroupMember member;
    member.Window = ObjectWindow(context.Host, name);
    Rect design;
    if (LookupDesignRect(context, name, design)) {
      member.SetDesign(design);
      member.Captured = true;
    }
    member.Key = NameKey(name);
    member.Name = std::move(name);
    group.Members.push_back(std::move(member));
  }
  if (group.Members.empty()) return false;
  Rect united;
  if (!group.HasBounds && CapturedMembersUnion(group, united)) group.SetBounds(united);
  return true;
}

}  // namespace

std::vector<std::wstring> ParseMemberNames(std::wstring_view members, const std::wstring& groupKey,
                                           const std::wstring& targetKey) {
  std::vector<std::wstring> names;
  std::unordered_set<std::wstring> seen;
  std::size_t start = 0;
  while (start <= members.size()) {
    std::size_t end = members.find_first_of(L";,", start);
    if (end == std::wstring_view::npos) end = members.size();
    auto name = TrimSpaces(members.substr(start, end - start));
    start = end + 1;
    if (name.empty()) continue;
    auto key = LowerCase(name);
    if (key == groupKey || key == targetKey || !seen.insert(std::move(key)).second) continue;
    names.push_back(std::move(name));
  }
  return names;
}

int RegisterGroup(Context& context, ParamTexts params) {
  auto groupName = TrimSpaces(ParamAt(params, 0));
  auto targetName = TrimSpaces(ParamAt(params, 1));
  const auto modeWord = UpperCase(TrimSpaces(ParamAt(params, 2)));
  const auto members = TrimSpaces(ParamAt(params, 3));
  if (groupName.empty() || targetName.empty()) return 0;

  GroupRecord group;
  group.Key = LowerCase(groupName);
  group.TargetKey = LowerCase(targetName);
  if (group.Key == group.TargetKey) return 0;
  group.GroupName = std::move(groupName);
  group.TargetName = std::move(targetName);
  group.Mode = ParseGroupMode(modeWord);

  // A group registered again keeps its place; a failed registration leaves none.
  const std::size_t place = RemoveGroup(context.Registry.Groups, group.Key);

  group.FrameWindow = ObjectWindow(context.Host, group.GroupName);
  Rect frame;
  if (LookupDesignRect(context, group.GroupName, frame)) group.SetBounds(frame);

  if (!members.empty()) {
    if (!AddListedMembers(context, group, members)) return 0;
    SaveGroupToCache(context.Registry, group);
  } else if (const auto remembered = context.Registry.GroupCache.find(group.Key);
             remembered != context.Registry.GroupCache.end()) {
    RestoreGroupFromCache(group, remembered->second);
    RebindMembers(context, group);
  } else {
    if (!group.HasBounds || group.FrameWindow == 0) return 0;
    CollectMembers(context, group);
    SaveGroupToCache(context.Registry, group);
  }

  // The host may have run scripts during the look-ups: one record per name still, at a
  // place the list still reaches.
  auto& groups = context.Registry.Groups;
  const auto at = std::min(place, RemoveGroup(groups, group.Key));
  groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(at), std::move(group));
  return 1;
}

}  // namespace duduve
