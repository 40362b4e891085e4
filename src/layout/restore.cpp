#include "plugin/actions.h"

namespace duduve {

int ClearAction(Context& context) {
  context.Registry.Objects.Clear();
  context.Registry.Groups.clear();
  return 1;
}

void ReleasePass(Context& context) {
  auto& registry = context.Registry;
  registry.Objects.Clear();
  registry.DesignRectCache.clear();
  registry.Groups.clear();
  registry.GroupCache.clear();
  registry.ApplyInProgress = false;
  registry.CanvasWidth = 0;
  registry.CanvasHeight = 0;
}

}  // namespace duduve
