// Duduve_RegisterObject and the registry look-ups it is built on.
#include "layout/registration.h"

#include "core/casing.h"
#include "core/host_calls.h"
#include "core/object_rect.h"
#include "core/text_rules.h"

namespace duduve {

ObjectRecord* FindObject(LayoutRegistry& registry, std::wstring_view name) {
  return registry.Objects.Find(NameKey(name));
}

bool CaptureDesignRect(Context& context, ObjectRecord& record) {
  Rect design;
  const auto window = [&record] { return record.Window; };
  if (!FirstMeasurement(context, record.Key, window, design)) return false;
  record.SetDesign(design);
  record.Captured = true;
  return true;
}

int RegisterObject(Context& context, ParamTexts params) {
  const auto name = TrimSpaces(ParamAt(params, 0));
  if (name.empty()) return 0;
  const auto widthMode = ParseAxisPolicy(TrimSpaces(ParamAt(params, 1)), AxisPolicy::Stretch);
  const auto heightMode = ParseAxisPolicy(TrimSpaces(ParamAt(params, 2)), AxisPolicy::Stretch);
  const auto horizontal = ParseHorizontalAnchor(TrimSpaces(ParamAt(params, 3)));
  const auto vertical = ParseVerticalAnchor(TrimSpaces(ParamAt(params, 4)));
  const auto nudgeX = Low32(TextToInt(TrimSpaces(ParamAt(params, 5))));
  const auto nudgeY = Low32(TextToInt(TrimSpaces(ParamAt(params, 6))));

  // The host is asked before the record is touched: its answer may run host code, and
  // no reference into the registry is held across that call.
  const WindowHandle window = ObjectWindow(context.Host, name);

  auto& objects = context.Registry.Objects;
  auto key = NameKey(name);
  ObjectRecord* record = objects.Find(key);
  if (record != nullptr) {
    record->WMode = widthMode;
    record->HMode = heightMode;
    record->HAnchor = horizontal;
    record->VAnchor = vertical;
    record->NudgeX = nudgeX;
    record->NudgeY = nudgeY;
    // A lookup that fails now keeps the window found earlier.
    if (window != 0) record->Window = window;
  } else {
    ObjectRecord fresh;
    fresh.Name = name;
    fresh.Key = std::move(key);
    fresh.WMode = widthMode;
    fresh.HMode = heightMode;
    fresh.HAnchor = horizontal;
    fresh.VAnchor = vertical;
    fresh.NudgeX = nudgeX;
    fresh.NudgeY = nudgeY;
    fresh.Window = window;
    record = &objects.Append(std::move(fresh));
  }
  CaptureDesignRect(context, *record);
  return 1;
}

}  // namespace duduve
