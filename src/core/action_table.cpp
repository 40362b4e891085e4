#include "core/action_table.h"

#include <array>

namespace duduve {

namespace {

constexpr std::uint8_t T = kTextParam;
constexpr std::uint8_t N = kNumberParam;

constexpr ParamSpec kDesignSizeParams[] = {{L"W", N}, {L"H", N}};
constexpr ParamSpec kRegisterObjectParams[] = {
    {L"Name", T},    {L"WMode", T},  {L"HMode", T},  {L"HAnchor", T},
    {L"VAnchor", T}, {L"NudgeX", N}, {L"NudgeY", N},
};
constexpr std::span<const ParamSpec> kNoParams;
constexpr ParamSpec kInitDpiParams[] = {{L"Mode", T}};
constexpr ParamSpec kPinObjectParams[] = {
    {L"Name", T},     {L"Target", T},  {L"SrcPoint", T},
    {L"TgtPoint", T}, {L"OffsetX", N}, {L"OffsetY", N},
};
constexpr ParamSpec kRegisterGroupParams[] = {
    {L"GroupName", T}, {L"TargetName", T}, {L"Mode", T}, {L"Members", T}};

constexpr std::array<ActionSpec, kActionCount> kActions = {{
    {ActionId::SetDesignSize, L"Duduve_SetDesignSize",
     L"Declare the design canvas size you laid the page out at (e.g. 1280 720). Call once in "
     L"Page Enter, first.",
     kDesignSizeParams},
    {ActionId::RegisterObject, L"Duduve_RegisterObject",
     L"Register an object. WMode/HMode: STRETCH (scale with window) | FIXED (keep size) | "
     L"UNIFORM (aspect factor; use on both axes to keep shape). Blank inherits default policy. "
     L"HAnchor L|C|R, VAnchor T|C|B. NudgeX/NudgeY: constant pixel fine-tune. Call after "
     L"SetDesignSize, before Apply.",
     kRegisterObjectParams},
    {ActionId::Apply, L"Duduve_Apply",
     L"Resolve every registered object to the current window size. Call at the end of Page "
     L"Enter and from the Resized event.",
     kNoParams},
    {ActionId::Clear, L"Duduve_Clear",
     L"Restore objects to design-time geometry and empty the registry. Call at the top of Page "
     L"Enter for safe re-entry.",
     kNoParams},
    {ActionId::InitDpi, L"Duduve_InitDPI",
     L"Set process DPI awareness. Mode = 'aware' (crisp high-DPI; only if ALL companion plugins "
     L"are also aware) or 'unaware' (default; matches VNW/overlays). Call ONCE in StartupAction, "
     L"before any page loads. Awareness is a one-time process latch and cannot change at "
     L"runtime. Result in [Duduve.DPIAware] / [Duduve.DPIError].",
     kInitDpiParams},
    {ActionId::PinObject, L"Duduve_PinObject",
     L"Pin a registered object to another object so it tracks that object at all resolutions. "
     L"Name=object to pin, Target=object to pin to. SrcPoint=point on this object (e.g. "
     L"BC=bottom-center), TgtPoint=point on target (e.g. TC=top-center). OffsetX/Y=design-pixel "
     L"nudge (scaled). Call after both objects are registered, before Apply.",
     kPinObjectParams},
    {ActionId::RegisterGroup, L"Duduve_RegisterGroup",
     L"Scale a set of objects as ONE unit into a registered target object's rect. "
     L"GroupName=frame object (or a label when Members is given), TargetName=registered "
     L"container, Mode=FIT (uniform, centered, no distortion) or FILL (stretches to fill). "
     L"Members=object names separated by ';' (recommended), or blank to auto-collect everything "
     L"inside the frame object's rect. Call after the target's RegisterObject, before Apply.",
     kRegisterGroupParams},
}};

// Lookups index by number, so the rows must stand in ActionId order.
constexpr bool InActionIdOrder() {
  for (std::size_t i = 0; i < kActions.size(); ++i) {
    if (Number(kActions[i].Id) != static_cast<std::int32_t>(i) + 1) return false;
  }
  return true;
}
static_assert(InActionIdOrder());

}  // namespace

std::span<const ActionSpec> ActionTable() {
  return kActions;
}

const ActionSpec* FindAction(std::int32_t number) {
  if (number < 1 || number > kActionCount) return nullptr;
  return &kActions[static_cast<std::size_t>(number - 1)];
}

}  // namespace duduve
