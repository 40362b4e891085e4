#include "plugin/dispatch.h"

#include "layout/restore.h"
#include "plugin/actions.h"

namespace duduve {

int ExecuteAction(Context& context, int actionId, ParamTexts params) {
  const auto* action = FindRunnableAction(actionId);
  return action == nullptr ? 0 : action->Run(context, params);
}

void HandleMessage(Context& context, int code) {
  if (code == 1) {
    // Forgets the layout without touching any window.
    context.Registry.ForgetEverything();
  } else if (code == 2) {
    ReleasePass(context);
  }
}

}  // namespace duduve
