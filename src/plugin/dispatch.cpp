#include "plugin/dispatch.h"

#include "dpi/dpi_action.h"
#include "groups/group_actions.h"
#include "layout/apply_pass.h"
#include "layout/pins.h"
#include "layout/registration.h"
#include "layout/restore.h"
#include "plugin/design_size.h"

namespace duduve {

int ExecuteAction(Context& context, int actionId, ParamTexts params) {
  switch (actionId) {
    case 1:
      return SetDesignSize(context, params);
    case 2:
      return RegisterObject(context, params);
    case 3:
      return ApplyPass(context);
    case 4:
      return ClearAction(context);
    case 5:
      return InitDpi(context, params);
    case 6:
      return PinObject(context, params);
    case 7:
      return RegisterGroup(context, params);
    default:
      return 0;
  }
}

void ResetMessage(Context& context) {
  auto& registry = context.Registry;
  registry.Objects.Clear();
  registry.Groups.clear();
  registry.DesignRectCache.clear();
  registry.GroupCache.clear();
  registry.ApplyInProgress = false;
  registry.CanvasWidth = 0;
  registry.CanvasHeight = 0;
  registry.LastScaleX = -1.0f;
  registry.LastScaleY = -1.0f;
  registry.LastDpi = -1;
}

void HandleMessage(Context& context, int code) {
  if (code == 1) {
    ResetMessage(context);
  } else if (code == 2) {
    ReleasePass(context);
  }
}

}  // namespace duduve
