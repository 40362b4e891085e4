#pragma once
// Groups as the actions and the apply pass see them.
#include <vector>

#include "core/context.h"
#include "core/param_texts.h"
#include "core/window_moves.h"

namespace duduve {

// Action 7, Duduve_RegisterGroup.
int RegisterGroup(Context& context, ParamTexts params);
// Inside the apply pass: every group scaled into its target's new rectangle; the frames'
// and members' moves are added to `moves`.
void ResolveGroups(Context& context, std::vector<WindowMove>& moves);

}  // namespace duduve
