#include "plugin/actions.h"

namespace duduve {

// Placeholder until this action is built.
int PinObject(Context&, ParamTexts) { return 0; }
void RunPinPass(Context&, float) {}

}  // namespace duduve
