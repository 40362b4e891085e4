#include "groups/group_placement.h"

#include "core/float_settings.h"

namespace duduve {

namespace {

GroupPlacement GroupArithmetic(Rect bounds, Rect target, GroupMode mode) {
  GroupPlacement placement;
  placement.ScaleX = static_cast<float>(static_cast<double>(target.Width) / bounds.Width);
  placement.ScaleY = static_cast<float>(static_cast<double>(target.Height) / bounds.Height);
  placement.Frame = target;
  if (mode != GroupMode::Fit) return placement;

  float scale = placement.ScaleY < placement.ScaleX ? placement.ScaleY : placement.ScaleX;
  if (!(scale > 0.0f)) scale = 1.0f;
  placement.ScaleX = scale;
  placement.ScaleY = scale;
  const auto width = AtLeastOne(RoundToInt32(static_cast<double>(bounds.Width) * scale));
  const auto height = AtLeastOne(RoundToInt32(static_cast<double>(bounds.Height) * scale));
  placement.Frame = {
      SaturateToInt32(target.Left +
                      std::int64_t{HalveTowardZero(std::int64_t{target.Width} - width)}),
      SaturateToInt32(target.Top +
                      std::int64_t{HalveTowardZero(std::int64_t{target.Height} - height)}),
      width, height};
  return placement;
}

Rect MemberArithmetic(Rect design, Rect bounds, GroupPlacement placement) {
  const double sx = placement.ScaleX;
  const double sy = placement.ScaleY;
  const double dx = static_cast<double>(design.Left) - bounds.Left;
  const double dy = static_cast<double>(design.Top) - bounds.Top;
  return {RoundToInt32(dx * sx + placement.Frame.Left), RoundToInt32(dy * sy + placement.Frame.Top),
          AtLeastOne(RoundToInt32(design.Width * sx)),
          AtLeastOne(RoundToInt32(design.Height * sy))};
}

}  // namespace

GroupPlacement PlaceGroup(const Rect& bounds, const Rect& target, GroupMode mode) {
  return WithPluginFloatSettings(GroupArithmetic, bounds, target, mode);
}

Rect PlaceMember(const Rect& design, const Rect& bounds, const GroupPlacement& placement) {
  return WithPluginFloatSettings(MemberArithmetic, design, bounds, placement);
}

}  // namespace duduve
