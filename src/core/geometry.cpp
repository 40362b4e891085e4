#include "core/geometry.h"

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
  if (value != value) return 0;  // NaN
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  // Truncation and the exact fraction it leaves do not depend on the rounding mode, unlike
  // nearbyint, which follows the calling thread's.
  const std::int64_t whole = static_cast<std::int32_t>(value);
  const double fraction = value - static_cast<double>(whole);
  const bool odd = (whole & 1) != 0;
  if (fraction > 0.5 || (fraction == 0.5 && odd)) return SaturateToInt32(whole + 1);
  if (fraction < -0.5 || (fraction == -0.5 && odd)) return SaturateToInt32(whole - 1);
  return static_cast<std::int32_t>(whole);
}

}  // namespace duduve
