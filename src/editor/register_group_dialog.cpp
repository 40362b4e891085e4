// The editor of Duduve_RegisterGroup: the group or frame object, its target, the
// scaling mode and the member list, which "Add" builds by picking objects.
#include <array>

#include "core/casing.h"
#include "core/vocabulary.h"
#include "editor/editor_frame.h"
#include "editor/editors.h"

namespace duduve {

namespace {

constexpr int kGroupBox = 500;
constexpr int kGroupPick = 501;
constexpr int kTargetBox = 502;
constexpr int kTargetPick = 503;
constexpr int kModeList = 504;
constexpr int kMembersBox = 505;
constexpr int kAddButton = 506;
constexpr int kOkButton = 507;
constexpr int kCancelButton = 508;

// In GroupMode value order.
constexpr std::array<std::wstring_view, 2> kModeEntries = {
    L"FIT (uniform scale, centered -- no distortion)",
    L"FILL (independent X/Y -- fills the whole target)"};

constexpr std::wstring_view kIntroduction =
    L"Scale a set of objects as ONE unit into a registered target\r\n"
    L"object's rectangle (FIT keeps the shape; FILL stretches).";
constexpr std::wstring_view kHelp =
    L"Members: object names separated by ';' (recommended -- survives\r\n"
    L"page changes). Leave BLANK to auto-collect every object drawn\r\n"
    L"fully inside the Group object's rectangle; the Group must then\r\n"
    L"be a real object such as a Rectangle behind the set. (VNW's\r\n"
    L"editor Group command is design-time only -- it does not create\r\n"
    L"a runtime object you can name here.) Register the Target with\r\n"
    L"RegisterObject first; call this before Duduve_Apply.";

// Appends a picked name to the member list, separated by ";".
void AddPickedMember(const TextBox& membersBox) {
  const auto picked = PickObjectName();
  if (picked.empty()) return;
  const auto members = TrimmedText(membersBox);
  membersBox.SetText(members.empty() ? picked : members + L";" + picked);
}

}  // namespace

int RegisterGroupDialog(char** params, WindowHandle hostWindow) {
  const auto group = ParamOr(params, 0, L"");
  const auto target = ParamOr(params, 1, L"");
  const auto mode = ParamOr(params, 2, L"");
  const auto members = ParamOr(params, 3, L"");

  EditorFrame frame(params, hostWindow, L"Duduve - Register Group", 470, 350);
  frame.AddLabel({14, 12, 442, 32}, kIntroduction);
  const auto& groupBox = frame.AddNameWithPick(kGroupBox, kGroupPick, 50, L"Group / frame:", group);
  const auto& targetBox = frame.AddNameWithPick(kTargetBox, kTargetPick, 82, L"Target:", target);
  frame.AddLabel({14, 118, 90, 20}, L"Mode:");
  const auto& modeList = frame.AddDropDown(kModeList, {110, 116, 342, 24}, kModeEntries,
                                           static_cast<int>(ParseGroupMode(mode)));
  frame.AddLabel({14, 152, 90, 20}, L"Members:");
  const auto& membersBox = frame.AddTextBox(kMembersBox, {110, 150, 270, 24}, members);
  frame.AddButton(kAddButton, {386, 150, 66, 24}, L"Add", [&] { AddPickedMember(membersBox); });
  frame.AddLabel({14, 186, 442, 96}, kHelp);
  frame.AddOkAndCancel(kOkButton, kCancelButton, 312, [&]() -> EditorFrame::OkAnswer {
    const auto chosenGroup = TrimmedText(groupBox);
    const auto chosenTarget = TrimmedText(targetBox);
    if (chosenGroup.empty() || chosenTarget.empty()) {
      return L"Group and Target names are both required.";
    }
    if (LowerCase(chosenGroup) == LowerCase(chosenTarget)) return L"A group cannot target itself.";
    return std::vector{chosenGroup, chosenTarget, GroupModeWord(modeList.Selected()),
                       TrimmedText(membersBox)};
  });
  return frame.Run();
}

}  // namespace duduve
