#pragma once

namespace duduve {

// Tries SetProcessDpiAwarenessContext, shcore's SetProcessDpiAwareness and
// SetProcessDPIAware in turn; true only when the process is DPI-aware afterwards.
bool EnableDpiAwareness();
// What the system reports about the process now (IsProcessDPIAware, looked up at run time).
bool IsProcessDpiAware();

}  // namespace duduve
