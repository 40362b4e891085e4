#pragma once

namespace duduve {

// Tries SetProcessDpiAwarenessContext, shcore's SetProcessDpiAwareness and
// SetProcessDPIAware in turn; true once the process is DPI-aware.
bool EnableDpiAwareness();
// What the system reports about the process now (IsProcessDPIAware, looked up at run time).
bool IsProcessDpiAware();

}  // namespace duduve
