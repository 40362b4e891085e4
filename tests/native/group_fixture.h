#pragma once
// Helpers for group tests on top of the layout fixture: register groups as scripts do and
// read back what the registry holds.
#include <string>
#include <vector>

#include "groups/group_operations.h"
#include "layout_fixture.h"

namespace duduve::testing {

class GroupFixture : public LayoutFixture {
 protected:
  // Group name, target name, mode, members.
  int RegisterGroupWith(std::vector<std::wstring> params) {
    params.resize(4);
    return RegisterGroup(context, params);
  }

  int Apply() { return ApplyPass(context); }

  const GroupRecord* Group(const std::wstring& name) const {
    for (const auto& group : context.Registry.Groups) {
      if (group.GroupName == name) return &group;
    }
    return nullptr;
  }

  std::vector<std::wstring> GroupNames() const {
    std::vector<std::wstring> names;
    for (const auto& group : context.Registry.Groups) names.push_back(group.GroupName);
    return names;
  }

  std::vector<std::wstring> MemberNames(const std::wstring& group) const {
    std::vector<std::wstring> names;
    if (const auto* record = Group(group)) {
      for (const auto& member : record->Members) names.push_back(member.Name);
    }
    return names;
  }

  std::vector<WindowHandle> MemberWindows(const std::wstring& group) const {
    std::vector<WindowHandle> handles;
    if (const auto* record = Group(group)) {
      for (const auto& member : record->Members) handles.push_back(member.Window);
    }
    return handles;
  }
};

}  // namespace duduve::testing
