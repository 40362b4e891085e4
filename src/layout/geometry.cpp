#include "layout/geometry.h"

#include <cmath>
#include <limits>

namespace duduve {

std::int32_t SaturateToInt32(std::int64_t value) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (value < kMin) return static_cast<std::int32_t>(kMin);
  if (value > kMax) return static_cast<std::int32_t>(kMax);
  return static_cast<std::int32_t>(value);
}

std::int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  // nearbyint honours the default rounding mode: to nearest, halves to even.
  const double rounded = std::nearbyint(value);
  if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace duduve
