// The editor of Duduve_RegisterObject: the object, its sizing policy per axis, its
// anchors and its nudge, written back as canonical words and numbers.
#include <array>

#include "core/text_rules.h"
#include "core/vocabulary.h"
#include "editor/dialog_toolkit.h"
#include "editor/editor_frame.h"
#include "editor/editors.h"

namespace duduve {

namespace {

constexpr int kNameBox = 200;
constexpr int kPickButton = 201;
constexpr int kWidthList = 202;
constexpr int kHeightList = 203;
constexpr int kHorizontalList = 204;
constexpr int kVerticalList = 205;
constexpr int kNudgeXBox = 206;
constexpr int kNudgeYBox = 207;
constexpr int kOkButton = 208;
constexpr int kCancelButton = 209;

// Entries in value order, so a list position is the value it stands for.
constexpr std::array<std::wstring_view, 3> kWidthEntries = {L"STRETCH (scale width with window)",
                                                            L"FIXED (keep design width)",
                                                            L"UNIFORM (scale by aspect factor)"};
constexpr std::array<std::wstring_view, 3> kHeightEntries = {L"STRETCH (scale height with window)",
                                                             L"FIXED (keep design height)",
                                                             L"UNIFORM (scale by aspect factor)"};
constexpr std::array<std::wstring_view, 3> kHorizontalEntries = {
    L"Left (track left edge)", L"Center (stay horizontally centered)",
    L"Right (snug to right edge)"};
constexpr std::array<std::wstring_view, 3> kVerticalEntries = {
    L"Top (track top edge)", L"Center (stay vertically centered)", L"Bottom (snug to bottom edge)"};

constexpr std::wstring_view kHelp =
    L"Per axis: STRETCH fills that axis (can distort). FIXED keeps the\r\n"
    L"design pixel size. UNIFORM scales by min(Xscale,Yscale) -- use it on\r\n"
    L"BOTH axes to keep an object's shape. Anchor picks the edge/point the\r\n"
    L"object stays pinned to. Nudge = constant pixel fine-tune.";

int PolicyPosition(std::wstring_view word) {
  return ClampChoice(static_cast<std::int32_t>(ParseAxisPolicy(word, AxisPolicy::Stretch)));
}

}  // namespace

int RegisterObjectDialog(char** params, WindowHandle hostWindow) {
  const auto name = ParamOr(params, 0, L"");
  const auto widthMode = ParamOr(params, 1, L"");
  const auto heightMode = ParamOr(params, 2, L"");
  const auto horizontal = ParamOr(params, 3, L"");
  const auto vertical = ParamOr(params, 4, L"");
  const auto nudgeX = ParamOr(params, 5, L"0");
  const auto nudgeY = ParamOr(params, 6, L"0");

  EditorFrame frame(hostWindow, L"Duduve - Register Object", 440, 330);
  const auto layout = std::to_array<ControlSpec>({
      {Widget::Label, 0, 14, 16, 56, 20, L"Object:"},
      {Widget::TextBox, kNameBox, 74, 12, 280, 24, name},
      {Widget::Button, kPickButton, 360, 12, 66, 24, L"Pick"},
      {Widget::Label, 0, 14, 54, 96, 20, L"Width:"},
      {Widget::DropDown,
       kWidthList,
       116,
       52,
       310,
       24,
       {},
       kWidthEntries,
       PolicyPosition(widthMode)},
      {Widget::Label, 0, 14, 86, 96, 20, L"Height:"},
      {Widget::DropDown,
       kHeightList,
       116,
       84,
       310,
       24,
       {},
       kHeightEntries,
       PolicyPosition(heightMode)},
      {Widget::Label, 0, 14, 120, 96, 20, L"H anchor:"},
      {Widget::DropDown,
       kHorizontalList,
       116,
       118,
       310,
       24,
       {},
       kHorizontalEntries,
       static_cast<int>(ParseHorizontalAnchor(horizontal))},
      {Widget::Label, 0, 14, 152, 96, 20, L"V anchor:"},
      {Widget::DropDown,
       kVerticalList,
       116,
       150,
       310,
       24,
       {},
       kVerticalEntries,
       static_cast<int>(ParseVerticalAnchor(vertical))},
      {Widget::Label, 0, 14, 186, 96, 20, L"Nudge X:"},
      {Widget::TextBox, kNudgeXBox, 116, 184, 70, 24, nudgeX},
      {Widget::Label, 0, 206, 186, 70, 20, L"Nudge Y:"},
      {Widget::TextBox, kNudgeYBox, 278, 184, 70, 24, nudgeY},
      {Widget::Label, 0, 14, 220, 412, 64, kHelp},
      {Widget::Button, kOkButton, 260, 292, 80, 26, L"OK"},
      {Widget::Button, kCancelButton, 346, 292, 80, 26, L"Cancel"},
  });
  frame.Add(layout);

  const auto confirm = []() -> EditorFrame::OkAnswer {
    const auto chosenName = TrimmedText(kNameBox);
    if (chosenName.empty()) return L"Object name required.";
    return std::vector{chosenName,
                       AxisPolicyWord(ClampChoice(GetDropDownIndex(kWidthList))),
                       AxisPolicyWord(ClampChoice(GetDropDownIndex(kHeightList))),
                       HorizontalAnchorCode(GetDropDownIndex(kHorizontalList)),
                       VerticalAnchorCode(GetDropDownIndex(kVerticalList)),
                       NormalisedNumber(kNudgeXBox),
                       NormalisedNumber(kNudgeYBox)};
  };
  const auto onControl = [](int control) {
    if (control == kPickButton) PickInto(kNameBox);
  };
  return frame.Run(params, kOkButton, kCancelButton, confirm, onControl);
}

}  // namespace duduve
