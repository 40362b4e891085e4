#include "plugin/actions.h"

namespace duduve {

// Placeholder until this action is built.
int RegisterGroup(Context&, ParamTexts) { return 0; }

}  // namespace duduve
