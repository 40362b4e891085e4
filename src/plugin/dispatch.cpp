#include "plugin/dispatch.h"

#include "layout/restore.h"
#include "plugin/actions.h"

namespace duduve {

int ExecuteAction(Context& context, int actionId, ParamTexts params) {
  const auto* action = FindRunnableAction(actionId);
  return action == nullptr ? 0 : action->Run(context, params);
}

void HandleMessage(Context& context, int code, const std::function<void()>& closeEditor) {
  if (code == 1) {
    context.Registry.ForgetEverything();
  } else if (code == 2) {
    // An editor left open would edit a page the host is leaving: it closes before anything
    // moves.
    closeEditor();
    ReleasePass(context);
  }
}

}  // namespace duduve
