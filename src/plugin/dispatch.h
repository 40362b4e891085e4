#pragma once
// The seven actions and the host's messages, dispatched by number over a Context.
#include <functional>

#include "core/context.h"
#include "core/param_texts.h"

namespace duduve {

// Runs action `actionId` (1..7) and returns its result; 0 for any other number.
int ExecuteAction(Context& context, int actionId, ParamTexts params);
// The host's messages: 1 forgets the layout without touching any window; 2 closes an open
// editor with `closeEditor`, then runs the release pass; anything else does nothing.
void HandleMessage(Context& context, int code, const std::function<void()>& closeEditor);

}  // namespace duduve
