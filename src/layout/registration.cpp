#include "plugin/actions.h"

namespace duduve {

// Placeholder until this action is built.
int RegisterObject(Context&, ParamTexts) { return 0; }

}  // namespace duduve
