#pragma once
// The arithmetic of the object pass: the factors of one pass and the rectangle each
// registered object's own rule gives it.
#include <cstdint>

#include "core/geometry.h"
#include "core/object_record.h"

namespace duduve {

// The factors and the uniform frame of one pass.
struct PassFactors {
  std::int32_t CanvasWidth = 0;
  std::int32_t CanvasHeight = 0;
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  float ScaleX = 0.0f;
  float ScaleY = 0.0f;
  float Uniform = 0.0f;
  std::int32_t UniformWidth = 0;
  std::int32_t UniformHeight = 0;
  std::int32_t OffsetX = 0;
  std::int32_t OffsetY = 0;
};

// Canvas and client sizes are at least 1.
PassFactors ComputeFactors(std::int32_t canvasWidth, std::int32_t canvasHeight,
                           std::int32_t clientWidth, std::int32_t clientHeight);

// Where a captured, unpinned record goes under its policies, anchors and nudges.
Rect ResolveObject(const ObjectRecord& record, const PassFactors& factors);

}  // namespace duduve
