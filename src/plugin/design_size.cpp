#include "plugin/design_size.h"

#include "core/text_rules.h"

namespace duduve {

namespace {
constexpr std::int32_t kMaxCanvas = 8192;

bool InCanvasRange(std::int32_t value) {
  return value >= 1 && value <= kMaxCanvas;
}
}  // namespace

int SetDesignSize(Context& context, ParamTexts params) {
  // Both are read before either is judged; a refusal changes neither.
  const auto width = Low32(TextToInt(TrimSpaces(ParamAt(params, 0))));
  const auto height = Low32(TextToInt(TrimSpaces(ParamAt(params, 1))));
  if (!InCanvasRange(width) || !InCanvasRange(height)) return 0;
  context.Registry.CanvasWidth = width;
  context.Registry.CanvasHeight = height;
  return 1;
}

}  // namespace duduve
