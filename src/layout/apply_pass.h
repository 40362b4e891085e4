#pragma once
// Duduve_Apply: every registered object resolved to the host window's current size.
#include "core/context.h"

namespace duduve {

// Action 3: 1 when a pass ran, 0 when a guard stopped it.
int ApplyPass(Context& context);

}  // namespace duduve
