// The editor of Duduve_InitDPI: whether the process becomes DPI-aware.
#include <array>

#include "core/casing.h"
#include "editor/dialog_toolkit.h"
#include "editor/editor_frame.h"
#include "editor/editors.h"

namespace duduve {

namespace {

constexpr int kModeList = 300;
constexpr int kOkButton = 301;
constexpr int kCancelButton = 302;
constexpr int kUnawarePosition = 0;
constexpr int kAwarePosition = 1;

constexpr std::array<std::wstring_view, 2> kModeEntries = {
    L"Unaware (default -- matches VNW + overlays/particles)",
    L"Aware (crisp high-DPI -- only if ALL plugins are aware)"};

constexpr std::wstring_view kIntroduction =
    L"Set process DPI awareness. Call this ONCE in StartupAction,\r\n"
    L"before any page loads. Awareness is a one-time process latch --\r\n"
    L"it cannot be changed once set.";
constexpr std::wstring_view kExplanation =
    L"Unaware: the whole process shares one coordinate space, so\r\n"
    L"torch/flame overlays stay aligned at any resolution. Choose\r\n"
    L"Aware only for Duduve-only pubs, or once Dazevide and\r\n"
    L"Zidizovir are also made DPI-aware.";

int ModePosition(std::wstring_view mode) {
  const auto word = LowerCase(mode);
  return word == L"aware" || word == L"1" ? kAwarePosition : kUnawarePosition;
}

}  // namespace

int DpiAwarenessDialog(char** params, WindowHandle hostWindow) {
  const auto mode = ParamOr(params, 0, L"");

  EditorFrame frame(hostWindow, L"Duduve - DPI Awareness", 440, 230);
  const auto layout = std::to_array<ControlSpec>({
      {Widget::Label, 0, 14, 12, 412, 48, kIntroduction},
      {Widget::Label, 0, 14, 70, 70, 20, L"Mode:"},
      {Widget::DropDown, kModeList, 90, 68, 336, 24, {}, kModeEntries, ModePosition(mode)},
      {Widget::Label, 0, 14, 104, 412, 64, kExplanation},
      {Widget::Button, kOkButton, 260, 192, 80, 26, L"OK"},
      {Widget::Button, kCancelButton, 346, 192, 80, 26, L"Cancel"},
  });
  frame.Add(layout);

  return frame.Run(params, kOkButton, kCancelButton, []() -> EditorFrame::OkAnswer {
    const bool aware = GetDropDownIndex(kModeList) == kAwarePosition;
    return std::vector<std::wstring>{aware ? L"aware" : L"unaware"};
  });
}

}  // namespace duduve
