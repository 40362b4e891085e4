// The editor of Duduve_PinObject: which object follows which, the point of each that
// the pin joins, and a nudge.
#include "core/casing.h"
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
  EditorFrame frame(params, hostWindow, L"Duduve - Pin Object", 470, 330);
  frame.AddLabel({14, 12, 442, 32}, kIntroduction);
  const auto& nameBox = frame.AddNameWithPick(kNameBox, kNamePick, 50, L"Object to pin:", name);
  const auto& targetBox = frame.AddNameWithPick(kTargetBox, kTargetPick, 82, L"Pin it to:", target);
  frame.AddLabel({14, 120, 180, 20}, L"This object's point:");
  const auto& sourcePointList = frame.AddDropDown(kSourcePointList, {200, 118, 252, 24}, points,
                                                  ParseAttachPoint(sourcePoint));
  frame.AddLabel({14, 152, 180, 20}, L"...sits on target's point:");
  const auto& targetPointList = frame.AddDropDown(kTargetPointList, {200, 150, 252, 24}, points,
                                                  ParseAttachPoint(targetPoint));
  frame.AddLabel({14, 186, 90, 20}, L"Nudge X:");
  const auto& offsetXBox = frame.AddTextBox(kOffsetXBox, {110, 184, 70, 24}, offsetX);
  frame.AddLabel({200, 186, 70, 20}, L"Nudge Y:");
  const auto& offsetYBox = frame.AddTextBox(kOffsetYBox, {272, 184, 70, 24}, offsetY);
  frame.AddLabel({14, 222, 442, 60}, kExample);
  frame.AddOkAndCancel(kOkButton, kCancelButton, 292, [&]() -> EditorFrame::OkAnswer {
    const auto chosenName = TrimmedText(nameBox);
    const auto chosenTarget = TrimmedText(targetBox);
    if (chosenName.empty() || chosenTarget.empty()) {
      return L"Both the object and the target are required.";
    }
    if (LowerCase(chosenName) == LowerCase(chosenTarget)) {
      return L"An object cannot be pinned to itself.";
    }
    return std::vector{chosenName,
                       chosenTarget,
                       AttachPointCode(sourcePointList.Selected()),
                       AttachPointCode(targetPointList.Selected()),
                       NormalisedNumber(offsetXBox),
                       NormalisedNumber(offsetYBox)};
  });
  return frame.Run();
}

}  // namespace duduve
