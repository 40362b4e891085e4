#pragma once
// Duduve_SetDesignSize: the canvas the page was laid out at.
#include "core/context.h"
#include "core/param_texts.h"

namespace duduve {

// Action 1.
int SetDesignSize(Context& context, ParamTexts params);

}  // namespace duduve
