#pragma once
// Duduve_InitDPI: the process's DPI awareness, decided once.
#include "core/context.h"
#include "core/param_texts.h"

namespace duduve {

// Action 5.
int InitDpi(Context& context, ParamTexts params);

}  // namespace duduve
