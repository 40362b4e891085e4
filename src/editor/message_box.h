#pragma once
// The editors' refusals: a modal box that keeps the thread's other windows from input.
#include <string_view>

namespace duduve {

// A modal MB_OK box with no icon, owned by the foreground window when it is this process's.
// While it is up the thread's other visible top-level windows are disabled (topmost ones
// taken out of the topmost band), so neither the editor nor the host takes input.
void ShowMessageBox(std::wstring_view title, std::wstring_view text);

}  // namespace duduve
