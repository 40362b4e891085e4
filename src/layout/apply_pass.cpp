#include "plugin/actions.h"

namespace duduve {

// Placeholder until this action is built.
int ApplyPass(Context&) { return 0; }

}  // namespace duduve
