// The editor of Duduve_PinObject: which object follows which, the point of each that
// the pin joins, and a nudge.
#include <array>

#include "core/casing.h"
#include "editor/dialog_toolkit.h"
#include "editor/editor_frame.h"
#include "editor/editors.h"
#include "layout/attach_points.h"

namespace duduve {

namespace {

constexpr int kNameBox = 400;
constexpr int kNamePick = 401;
constexpr int kTargetBox = 402;
constexpr int kTargetPick = 403;
constexpr int kSourcePointList = 404;
constexpr int kTargetPointList = 405;
constexpr int kOffsetXBox = 406;
constexpr int kOffsetYBox = 407;
constexpr int kOkButton = 408;
constexpr int kCancelButton = 409;

constexpr std::wstring_view kIntroduction =
    L"Pin one object to another so it tracks that object at every\r\n"
    L"resolution (e.g. a flame that stays on its torch).";
constexpr std::wstring_view kExample =
    L"Example: to seat a flame on a torch bowl, set the flame's point to\r\n"
    L"Bottom-Center and the torch's point to Top-Center. Nudge moves the\r\n"
    L"flame a few design-pixels (scaled) for fine adjustment. Register\r\n"
    L"BOTH objects before pinning; call this before Duduve_Apply.";

}  // namespace

int PinObjectDialog(char** params, WindowHandle hostWindow) {
  const auto name = ParamOr(params, 0, L"");
  const auto target = ParamOr(params, 1, L"");
  const auto sourcePoint = ParamOr(params, 2, L"BC");
  const auto targetPoint = ParamOr(params, 3, L"TC");
  const auto offsetX = ParamOr(params, 4, L"0");
  const auto offsetY = ParamOr(params, 5, L"0");

  const auto& points = AttachPointLabels();
  EditorFrame frame(hostWindow, L"Duduve - Pin Object", 470, 330);
  const auto layout = std::to_array<ControlSpec>({
      {Widget::Label, 0, 14, 12, 442, 32, kIntroduction},
      {Widget::Label, 0, 14, 52, 90, 20, L"Object to pin:"},
      {Widget::TextBox, kNameBox, 110, 50, 270, 24, name},
      {Widget::Button, kNamePick, 386, 50, 66, 24, L"Pick"},
      {Widget::Label, 0, 14, 84, 90, 20, L"Pin it to:"},
      {Widget::TextBox, kTargetBox, 110, 82, 270, 24, target},
      {Widget::Button, kTargetPick, 386, 82, 66, 24, L"Pick"},
      {Widget::Label, 0, 14, 120, 180, 20, L"This object's point:"},
      {Widget::DropDown,
       kSourcePointList,
       200,
       118,
       252,
       24,
       {},
       points,
       ParseAttachPoint(sourcePoint)},
      {Widget::Label, 0, 14, 152, 180, 20, L"...sits on target's point:"},
      {Widget::DropDown,
       kTargetPointList,
       200,
       150,
       252,
       24,
       {},
       points,
       ParseAttachPoint(targetPoint)},
      {Widget::Label, 0, 14, 186, 90, 20, L"Nudge X:"},
      {Widget::TextBox, kOffsetXBox, 110, 184, 70, 24, offsetX},
      {Widget::Label, 0, 200, 186, 70, 20, L"Nudge Y:"},
      {Widget::TextBox, kOffsetYBox, 272, 184, 70, 24, offsetY},
      {Widget::Label, 0, 14, 222, 442, 60, kExample},
      {Widget::Button, kOkButton, 290, 292, 80, 26, L"OK"},
      {Widget::Button, kCancelButton, 376, 292, 80, 26, L"Cancel"},
  });
  frame.Add(layout);

  const auto confirm = []() -> EditorFrame::OkAnswer {
    const auto chosenName = TrimmedText(kNameBox);
    const auto chosenTarget = TrimmedText(kTargetBox);
    if (chosenName.empty() || chosenTarget.empty()) {
      return L"Both the object and the target are required.";
    }
    if (LowerCase(chosenName) == LowerCase(chosenTarget)) {
      return L"An object cannot be pinned to itself.";
    }
    return std::vector{chosenName,
                       chosenTarget,
                       AttachPointCode(GetDropDownIndex(kSourcePointList)),
                       AttachPointCode(GetDropDownIndex(kTargetPointList)),
                       NormalisedNumber(kOffsetXBox),
                       NormalisedNumber(kOffsetYBox)};
  };
  const auto onControl = [](int control) {
    if (control == kNamePick) PickInto(kNameBox);
    if (control == kTargetPick) PickInto(kTargetBox);
  };
  return frame.Run(params, kOkButton, kCancelButton, confirm, onControl);
}

}  // namespace duduve
