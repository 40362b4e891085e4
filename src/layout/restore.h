#pragma once
// Putting objects and groups back to their design geometry.
#include "core/context.h"

namespace duduve {

// Action 4, Duduve_Clear: restore every object and group, then forget them.
int ClearAction(Context& context);
// Host message 2 and unload: restore (unless unloading) and forget everything.
void ReleasePass(Context& context);

}  // namespace duduve
