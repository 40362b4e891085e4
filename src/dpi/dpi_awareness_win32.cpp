#include "dpi/dpi_awareness_win32.h"

namespace duduve {

// Placeholder until the awareness action is built.
bool EnableDpiAwareness() { return false; }
bool IsProcessDpiAware() { return false; }

}  // namespace duduve
