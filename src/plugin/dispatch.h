#pragma once
// The seven actions and the host's messages, dispatched by number over a Context.
#include "core/context.h"
#include "core/param_texts.h"

namespace duduve {

// Runs action `actionId` (1..7) and returns its result; 0 for any other number.
int ExecuteAction(Context& context, int actionId, ParamTexts params);
// The host's messages: 1 resets, 2 releases, anything else does nothing.
void HandleMessage(Context& context, int code);

}  // namespace duduve
