#include "plugin/actions.h"

namespace duduve {

// Placeholder until this action is built.
void ResolveGroups(Context&) {}

}  // namespace duduve
