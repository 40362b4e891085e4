#include "plugin/dispatch.h"

#include "layout/restore.h"
#include "plugin/actions.h"

namespace duduve {

int ExecuteAction(Context& context, int actionId, ParamTexts params) {
  const auto* action = FindRunnableAction(actionId);
  return action == nullptr ? 0 : action->Run(context, params);
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
