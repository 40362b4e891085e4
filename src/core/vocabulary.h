#pragma once
// The words authors write for sizing policies, anchors and group modes, and the
// values behind them. All conversions are pure and never fail: unknown words fall
// to a documented default.
#include <cstdint>
#include <string>
#include <string_view>

namespace duduve {

enum class AxisPolicy : std::int32_t { Stretch = 0, Fixed = 1, Uniform = 2 };
enum class HorizontalAnchor : std::int32_t { Left = 0, Center = 1, Right = 2 };
enum class VerticalAnchor : std::int32_t { Top = 0, Center = 1, Bottom = 2 };
enum class GroupMode : std::int32_t { Fit = 0, Fill = 1 };

// An anchor as one axis sees it, whichever axis that is: the near edge (left or top), the
// middle, or the far edge (right or bottom).
enum class AxisAnchor { Near, Middle, Far };

constexpr AxisAnchor OnAxis(HorizontalAnchor anchor) {
  if (anchor == HorizontalAnchor::Right) return AxisAnchor::Far;
  if (anchor == HorizontalAnchor::Center) return AxisAnchor::Middle;
  return AxisAnchor::Near;
}

constexpr AxisAnchor OnAxis(VerticalAnchor anchor) {
  if (anchor == VerticalAnchor::Bottom) return AxisAnchor::Far;
  if (anchor == VerticalAnchor::Center) return AxisAnchor::Middle;
  return AxisAnchor::Near;
}

AxisPolicy ParseAxisPolicy(std::wstring_view text, AxisPolicy fallback);
std::wstring AxisPolicyWord(std::int32_t policy);
HorizontalAnchor ParseHorizontalAnchor(std::wstring_view text);
VerticalAnchor ParseVerticalAnchor(std::wstring_view text);
std::wstring HorizontalAnchorCode(std::int32_t anchor);
std::wstring VerticalAnchorCode(std::int32_t anchor);
// 1 and 2 stay; anything else (0, -1 for no selection, larger numbers) becomes 0.
std::int32_t ClampChoice(std::int32_t choice);
GroupMode ParseGroupMode(std::wstring_view text);
std::wstring GroupModeWord(std::int32_t mode);

}  // namespace duduve
