#pragma once
// Groups as the actions and the apply pass see them.
#include "core/context.h"
#include "core/param_texts.h"

namespace duduve {

// Action 7, Duduve_RegisterGroup.
int RegisterGroup(Context& context, ParamTexts params);
// Inside the apply pass: every group scaled into its target's new rectangle.
void ResolveGroups(Context& context);

}  // namespace duduve
