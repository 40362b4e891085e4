#include "layout/attach_points.h"

#include "core/casing.h"
#include "core/text_rules.h"

namespace duduve {

namespace {

constexpr std::array<std::wstring_view, 9> kCodes = {L"TL", L"TC", L"TR", L"CL", L"CC",
                                                     L"CR", L"BL", L"BC", L"BR"};
constexpr std::array<std::wstring_view, 9> kLabels = {
    L"Top-Left",     L"Top-Center",  L"Top-Right",     L"Center-Left", L"Center",
    L"Center-Right", L"Bottom-Left", L"Bottom-Center", L"Bottom-Right"};
constexpr std::int32_t kCenterIndex = 4;

}  // namespace

AttachAxes AttachPointAxes(std::wstring_view text) {
  const auto upper = UpperCase(text);
  const auto has = [&upper](wchar_t letter) { return upper.find(letter) != std::wstring::npos; };
  AttachAxes axes;
  axes.Vertical = has(L'T')   ? VerticalAnchor::Top
                  : has(L'B') ? VerticalAnchor::Bottom
                              : VerticalAnchor::Center;
  axes.Horizontal = has(L'L')   ? HorizontalAnchor::Left
                    : has(L'R') ? HorizontalAnchor::Right
                                : HorizontalAnchor::Center;
  return axes;
}

std::int32_t ParseAttachPoint(std::wstring_view text) {
  const auto code = UpperCase(TrimSpaces(text));
  for (std::size_t i = 0; i < kCodes.size(); ++i) {
    if (code == kCodes[i]) return static_cast<std::int32_t>(i);
  }
  return kCenterIndex;
}

std::wstring AttachPointCode(std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(kCodes.size())) {
    return std::wstring(kCodes[kCenterIndex]);
  }
  return std::wstring(kCodes[static_cast<std::size_t>(index)]);
}

const std::array<std::wstring_view, 9>& AttachPointLabels() {
  return kLabels;
}

}  // namespace duduve
