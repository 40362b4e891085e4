#include "plugin/actions.h"

#include <array>

#include "dpi/dpi_action.h"
#include "groups/group_actions.h"
#include "layout/apply_pass.h"
#include "layout/pins.h"
#include "layout/registration.h"
#include "layout/restore.h"
#include "plugin/design_size.h"

namespace duduve {

namespace {

constexpr std::array<Action, kActionCount> kActions = {{
    {ActionId::SetDesignSize, &SetDesignSize, &DesignSizeDialog},
    {ActionId::RegisterObject, &RegisterObject, &RegisterObjectDialog},
    {ActionId::Apply, [](Context& context, ParamTexts) { return ApplyPass(context); }, nullptr},
    {ActionId::Clear, [](Context& context, ParamTexts) { return ClearAction(context); }, nullptr},
    {ActionId::InitDpi, &InitDpi, &DpiAwarenessDialog},
    {ActionId::PinObject, &PinObject, &PinObjectDialog},
    {ActionId::RegisterGroup, &RegisterGroup, &RegisterGroupDialog},
}};

// Each row stands where the declared table has its action, so both are found by number.
constexpr bool MatchesTheDeclaredOrder() {
  for (std::size_t i = 0; i < kActions.size(); ++i) {
    if (Number(kActions[i].Id) != static_cast<std::int32_t>(i) + 1) return false;
  }
  return true;
}
static_assert(MatchesTheDeclaredOrder());

}  // namespace

const Action* FindRunnableAction(std::int32_t number) {
  if (FindAction(number) == nullptr) return nullptr;
  return &kActions[static_cast<std::size_t>(number - 1)];
}

}  // namespace duduve
