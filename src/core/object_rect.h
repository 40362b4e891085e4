#pragma once
// Where a page object's window is, in the client coordinates of the host window.
#include "core/context.h"
#include "core/geometry.h"

namespace duduve {

// The window's current rectangle with width and height raised to at least 1; left and
// top may be negative. False, with `out` untouched, for a null window, before the host
// window is known, or when the rectangle cannot be read.
bool QueryObjectRect(Context& context, WindowHandle window, Rect& out);

}  // namespace duduve
