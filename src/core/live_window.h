#pragma once
// A remembered window checked before use, and found again by name when it is gone.
#include <string_view>

#include "core/context.h"
#include "core/geometry.h"

namespace duduve {

// `stored` while it is still a window, else the window the host names `name` now; 0 when
// neither gives one. `name` is read before the host is asked (host code may then change the
// record it comes from), and a blank name asks nothing.
WindowHandle LiveOrNamed(Context& context, WindowHandle stored, std::wstring_view name);

}  // namespace duduve
