// The editor of Duduve_SetDesignSize: the design canvas's width and height.
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

  EditorFrame frame(params, hostWindow, L"Duduve - Design Size", 300, 140);
  frame.AddLabel({14, 14, 272, 32},
                 L"The window size you laid the page out at\r\n(the design canvas).");
  frame.AddLabel({14, 56, 60, 20}, L"Width:");
  const auto& widthBox = frame.AddTextBox(kWidthBox, {80, 54, 90, 24}, width);
  frame.AddLabel({14, 86, 60, 20}, L"Height:");
  const auto& heightBox = frame.AddTextBox(kHeightBox, {80, 84, 90, 24}, height);
  // The buttons' own row, below the Height box and inside the client area.
  frame.AddOkAndCancel(kOkButton, kCancelButton, 112, [&]() -> EditorFrame::OkAnswer {
    const std::int32_t newWidth = Low32(TextToInt(TrimmedText(widthBox)));
    const std::int32_t newHeight = Low32(TextToInt(TrimmedText(heightBox)));
    if (!IsSideInRange(newWidth) || !IsSideInRange(newHeight)) {
      return L"Width and height must be 1..8192.";
    }
    return std::vector{DecimalText(newWidth), DecimalText(newHeight)};
  });
  return frame.Run();
}

}  // namespace duduve
