// Duduve_PinObject and the pin pass: a pinned object's own attach point follows an
// attach point of its target, plus an offset that scales with the uniform factor.
#include "layout/pins.h"

#include "core/casing.h"
#include "core/float_settings.h"
#include "core/text_rules.h"
#include "layout/attach_points.h"
#include "layout/registration.h"

namespace duduve {

namespace {

// Distance from a rectangle's left (top) edge to the attach coordinate: 1 is the middle,
// 2 the far edge, anything else the near edge.
std::int64_t AttachOffset(std::int32_t coordinate, std::int32_t extent) {
  if (coordinate == 1) return extent / 2;
  if (coordinate == 2) return extent;
  return 0;
}

// The rectangle of a pinned object whose target has been placed in this pass. Its own
// policies and anchors play no part: it keeps its shape and scales by the uniform factor.
Rect PinnedArithmetic(const ObjectRecord* pinnedAt, const ObjectRecord* targetAt, float uniform) {
  const ObjectRecord& pin = *pinnedAt;
  const ObjectRecord& target = *targetAt;
  const auto width = AtLeastOne(RoundToInt32(static_cast<double>(pin.DesignWidth) * uniform));
  const auto height = AtLeastOne(RoundToInt32(static_cast<double>(pin.DesignHeight) * uniform));
  // The target's rectangle comes from its record: its own move may still be queued.
  const std::int64_t targetX =
      target.ResolvedLeft + AttachOffset(pin.TgtPointH, target.ResolvedWidth);
  const std::int64_t targetY =
      target.ResolvedTop + AttachOffset(pin.TgtPointV, target.ResolvedHeight);
  const std::int64_t ownX = AttachOffset(pin.SrcPointH, width);
  const std::int64_t ownY = AttachOffset(pin.SrcPointV, height);
  const auto x =
      RoundToInt32(static_cast<double>(targetX - ownX) + static_cast<double>(pin.NudgeX) * uniform);
  const auto y =
      RoundToInt32(static_cast<double>(targetY - ownY) + static_cast<double>(pin.NudgeY) * uniform);
  return {x, y, width, height};
}

Rect PinnedRect(const ObjectRecord& pinned, const ObjectRecord& target, float uniform) {
  return WithPluginFloatSettings(PinnedArithmetic, &pinned, &target, uniform);
}

}  // namespace

int PinObject(Context& context, ParamTexts params) {
  const auto name = TrimSpaces(ParamAt(params, 0));
  const auto target = TrimSpaces(ParamAt(params, 1));
  auto ownPoint = UpperCase(TrimSpaces(ParamAt(params, 2)));
  auto targetPoint = UpperCase(TrimSpaces(ParamAt(params, 3)));
  const auto offsetX = Low32(TextToInt(TrimSpaces(ParamAt(params, 4))));
  const auto offsetY = Low32(TextToInt(TrimSpaces(ParamAt(params, 5))));
  if (name.empty() || target.empty()) return 0;
  ObjectRecord* record = FindObject(context.Registry, name);
  if (record == nullptr) return 0;
  // By default the pinned object's bottom centre sits on the target's top centre.
  if (ownPoint.empty()) ownPoint = L"BC";
  if (targetPoint.empty()) targetPoint = L"TC";
  const auto own = AttachPointAxes(ownPoint);
  const auto onTarget = AttachPointAxes(targetPoint);
  record->Pinned = true;
  record->PinTarget = target;
  record->PinTargetKey = NameKey(target);
  record->SrcPointH = static_cast<std::int32_t>(own.Horizontal);
  record->SrcPointV = static_cast<std::int32_t>(own.Vertical);
  record->TgtPointH = static_cast<std::int32_t>(onTarget.Horizontal);
  record->TgtPointV = static_cast<std::int32_t>(onTarget.Vertical);
  record->NudgeX = offsetX;
  record->NudgeY = offsetY;
  return 1;
}

void RunPinPass(Context& context, float uniform, std::vector<WindowMove>& moves) {
  auto& objects = context.Registry.Objects;
  // In registration order, once: a pin on a pinned target resolves only when the target
  // comes first.
  for (auto& record : objects) {
    if (!record.Pinned || !record.Captured || record.Window == 0) continue;
    const ObjectRecord* target = objects.Find(record.PinTargetKey);
    // Unknown or not yet placed (itself, a later pin, a cycle): stays where it is.
    if (target == nullptr || !target->Placed) continue;
    const Rect to = PinnedRect(record, *target, uniform);
    record.ResolvedLeft = to.Left;
    record.ResolvedTop = to.Top;
    record.ResolvedWidth = to.Width;
    record.ResolvedHeight = to.Height;
    record.Placed = true;
    moves.push_back({record.Window, to, {}});
  }
}

}  // namespace duduve
