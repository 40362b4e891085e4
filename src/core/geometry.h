#pragma once
// Pixel geometry shared by the layout engine and the group code.
#include <cstdint>

namespace duduve {

// An opaque window handle; 0 names no window. Host handles arrive as 32-bit values
// and are sign-extended to the pointer width.
using WindowHandle = std::uintptr_t;

// Converts the low 32 bits of a host number into a window handle.
inline WindowHandle HandleFromLow32(std::int64_t value) {
  return static_cast<WindowHandle>(static_cast<std::intptr_t>(
      static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)))));
}

struct Rect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Records keep each rectangle as four named fields; this writes the four as one Rect.
inline void StoreRect(const Rect& rect, std::int32_t& left, std::int32_t& top, std::int32_t& width,
                      std::int32_t& height) {
  left = rect.Left;
  top = rect.Top;
  width = rect.Width;
  height = rect.Height;
}

// Rounds to nearest with halves to even, whatever the thread's rounding mode; values beyond
// 32 bits saturate, NaN gives 0.
std::int32_t RoundToInt32(double value);

// Narrows a 64-bit intermediate to 32 bits, saturating instead of overflowing.
std::int32_t SaturateToInt32(std::int64_t value);

// Integer halving that truncates toward zero (C++ division already does).
inline std::int32_t HalveTowardZero(std::int64_t value) {
  return SaturateToInt32(value / 2);
}

inline std::int32_t AtLeastOne(std::int32_t value) {
  return value < 1 ? 1 : value;
}

}  // namespace duduve
