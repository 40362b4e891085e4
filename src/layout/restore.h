#pragma once
// Putting objects and groups back to their design geometry.
#include "core/context.h"

namespace duduve {

// Action 4, Duduve_Clear: restore every object and group, then forget them.
int ClearAction(Context& context);
// Host message 2, once the plug-in has closed an open editor, and unload: restore, forget
// everything but the published factors, and let the host window handle its pending
// messages; at unload only the forgetting.
void ReleasePass(Context& context);

}  // namespace duduve
