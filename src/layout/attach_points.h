#pragma once
// The nine attach points of a rectangle that pins join.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/vocabulary.h"

namespace duduve {

struct AttachAxes {
  HorizontalAnchor Horizontal = HorizontalAnchor::Center;
  VerticalAnchor Vertical = VerticalAnchor::Center;
};

// The pin action's reading of a point text: single letters of the upper-cased text.
AttachAxes AttachPointAxes(std::wstring_view text);
// Whole-code match after trimming and upper-casing: index 0..8, anything else 4 ("CC").
std::int32_t ParseAttachPoint(std::wstring_view text);
// Codes "TL" .. "BR" for 0..8; anything else "CC".
std::wstring AttachPointCode(std::int32_t index);
// "Top-Left" .. "Bottom-Right" in index order.
const std::array<std::wstring_view, 9>& AttachPointLabels();

}  // namespace duduve
