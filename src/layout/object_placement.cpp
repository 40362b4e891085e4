#include "layout/object_placement.h"

#include "core/float_settings.h"

namespace duduve {

namespace {

PassFactors FactorsArithmetic(std::int32_t canvasWidth, std::int32_t canvasHeight,
                              std::int32_t clientWidth, std::int32_t clientHeight) {
  PassFactors f;
  f.CanvasWidth = canvasWidth;
  f.CanvasHeight = canvasHeight;
  f.ClientWidth = clientWidth;
  f.ClientHeight = clientHeight;
  f.ScaleX = static_cast<float>(clientWidth) / static_cast<float>(canvasWidth);
  f.ScaleY = static_cast<float>(clientHeight) / static_cast<float>(canvasHeight);
  f.Uniform = f.ScaleX > f.ScaleY ? f.ScaleY : f.ScaleX;
  f.UniformWidth = RoundToInt32(static_cast<double>(canvasWidth) * f.Uniform);
  f.UniformHeight = RoundToInt32(static_cast<double>(canvasHeight) * f.Uniform);
  const auto offsetX = HalveTowardZero(std::int64_t{clientWidth} - f.UniformWidth);
  const auto offsetY = HalveTowardZero(std::int64_t{clientHeight} - f.UniformHeight);
  f.OffsetX = offsetX < 0 ? 0 : offsetX;
  f.OffsetY = offsetY < 0 ? 0 : offsetY;
  return f;
}

std::int32_t AxisSize(AxisPolicy policy, std::int32_t design, float axisFactor, float uniform) {
  if (policy == AxisPolicy::Fixed) return design;
  const float factor = policy == AxisPolicy::Uniform ? uniform : axisFactor;
  return RoundToInt32(static_cast<double>(design) * factor);
}

// The stretch of client area one axis of an object is laid out in, and its factor.
struct AxisFrame {
  std::int64_t Origin = 0;
  std::int64_t Extent = 0;
  float Factor = 0.0f;
};

// Where an object of `size` starts on one axis. `anchor` is 0 (Left/Top), 1 (Center)
// or 2 (Right/Bottom); anything else counts as 0.
std::int32_t PlaceOnAxis(std::int32_t anchor, std::int32_t designStart, std::int32_t designSize,
                         std::int32_t canvas, const AxisFrame& frame, std::int32_t size) {
  if (anchor == 2) {
    // The design margin on the far side, scaled, is kept from the frame's far edge.
    const std::int64_t margin = canvas - (std::int64_t{designStart} + designSize);
    return RoundToInt32(static_cast<double>(frame.Origin + frame.Extent) -
                        static_cast<double>(margin) * frame.Factor - static_cast<double>(size));
  }
  if (anchor == 1) return SaturateToInt32(frame.Origin + (frame.Extent - size) / 2);
  return RoundToInt32(static_cast<double>(designStart) * frame.Factor +
                      static_cast<double>(frame.Origin));
}

Rect ResolveArithmetic(const ObjectRecord* recordAt, const PassFactors* factorsAt) {
  const ObjectRecord& record = *recordAt;
  const PassFactors& f = *factorsAt;
  const auto width = AtLeastOne(AxisSize(record.WMode, record.DesignWidth, f.ScaleX, f.Uniform));
  const auto height = AtLeastOne(AxisSize(record.HMode, record.DesignHeight, f.ScaleY, f.Uniform));

  // Each axis's own policy alone decides whether it lives in the uniform frame.
  const AxisFrame horizontal = record.WMode == AxisPolicy::Uniform
                                   ? AxisFrame{f.OffsetX, f.UniformWidth, f.Uniform}
                                   : AxisFrame{0, f.ClientWidth, f.ScaleX};
  const AxisFrame vertical = record.HMode == AxisPolicy::Uniform
                                 ? AxisFrame{f.OffsetY, f.UniformHeight, f.Uniform}
                                 : AxisFrame{0, f.ClientHeight, f.ScaleY};

  const auto x = PlaceOnAxis(static_cast<std::int32_t>(record.HAnchor), record.DesignLeft,
                             record.DesignWidth, f.CanvasWidth, horizontal, width);
  const auto y = PlaceOnAxis(static_cast<std::int32_t>(record.VAnchor), record.DesignTop,
                             record.DesignHeight, f.CanvasHeight, vertical, height);
  // Nudges are plain pixels, added after rounding.
  return {SaturateToInt32(std::int64_t{x} + record.NudgeX),
          SaturateToInt32(std::int64_t{y} + record.NudgeY), width, height};
}

}  // namespace

PassFactors ComputeFactors(std::int32_t canvasWidth, std::int32_t canvasHeight,
                           std::int32_t clientWidth, std::int32_t clientHeight) {
  return WithPluginFloatSettings(FactorsArithmetic, canvasWidth, canvasHeight, clientWidth,
                                 clientHeight);
}

Rect ResolveObject(const ObjectRecord& record, const PassFactors& factors) {
  return WithPluginFloatSettings(ResolveArithmetic, &record, &factors);
}

}  // namespace duduve
