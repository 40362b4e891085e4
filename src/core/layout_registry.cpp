#include "core/layout_registry.h"

namespace duduve {

void LayoutRegistry::ForgetRegistrations() {
  // A new generation of objects: a pass running below this call stops moving windows.
  Objects.Clear();
  Groups.clear();
}

void LayoutRegistry::ForgetAllButThePublishedFactors() {
  ForgetRegistrations();
  DesignRectCache.clear();
  GroupCache.clear();
  ApplyInProgress = false;
  CanvasWidth = 0;
  CanvasHeight = 0;
}

void LayoutRegistry::ForgetEverything() {
  ForgetAllButThePublishedFactors();
  LastScaleX = kUnpublishedScale;
  LastScaleY = kUnpublishedScale;
  LastDpi = kUnpublishedDpi;
}

}  // namespace duduve
