#pragma once
// Pins: an object's attach point held to an attach point of another object.
#include <vector>

#include "core/context.h"
#include "core/param_texts.h"
#include "core/window_moves.h"

namespace duduve {

// Action 6, Duduve_PinObject.
int PinObject(Context& context, ParamTexts params);
// Inside the apply pass: places every pinned record whose target is placed and adds its
// move to `moves`.
void RunPinPass(Context& context, float uniform, std::vector<WindowMove>& moves);

}  // namespace duduve
