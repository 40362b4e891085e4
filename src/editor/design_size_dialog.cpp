// The editor of Duduve_SetDesignSize: the design canvas's width and height.
#include <array>

#include "core/text_rules.h"
#include "editor/editor_frame.h"
#include "editor/editors.h"

namespace duduve {

namespace {

constexpr int kWidthBox = 100;
constexpr int kHeightBox = 101;
constexpr int kOkButton = 102;
constexpr int kCancelButton = 103;
constexpr std::int32_t kSmallestSide = 1;
constexpr std::int32_t kLargestSide = 8192;

bool IsSideInRange(std::int32_t side) {
  return side >= kSmallestSide && side <= kLargestSide;
}

}  // namespace

int DesignSizeDialog(char** params, WindowHandle hostWindow) {
  const auto width = ParamOr(params, 0, L"1280");
  const auto height = ParamOr(params, 1, L"720");

  EditorFrame frame(hostWindow, L"Duduve - Design Size", 300, 140);
  const auto layout = std::to_array<ControlSpec>({
      {Widget::Label, 0, 14, 14, 272, 32,
       L"The window size you laid the page out at\r\n(the design canvas)."},
      {Widget::Label, 0, 14, 56, 60, 20, L"Width:"},
      {Widget::TextBox, kWidthBox, 80, 54, 90, 24, width},
      {Widget::Label, 0, 14, 86, 60, 20, L"Height:"},
      {Widget::TextBox, kHeightBox, 80, 84, 90, 24, height},
      // The buttons' own row, below the Height box and inside the client area.
      {Widget::Button, kOkButton, 120, 112, 80, 26, L"OK"},
      {Widget::Button, kCancelButton, 206, 112, 80, 26, L"Cancel"},
  });
  frame.Add(layout);

  return frame.Run(params, kOkButton, kCancelButton, [&]() -> EditorFrame::OkAnswer {
    const std::int32_t newWidth = Low32(TextToInt(TrimmedText(kWidthBox)));
    const std::int32_t newHeight = Low32(TextToInt(TrimmedText(kHeightBox)));
    if (!IsSideInRange(newWidth) || !IsSideInRange(newHeight)) {
      return L"Width and height must be 1..8192.";
    }
    return std::vector{DecimalText(newWidth), DecimalText(newHeight)};
  });
}

}  // namespace duduve
