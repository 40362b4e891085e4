#pragma once
// Where a page object's window is, in the client coordinates of the host window.
#include <functional>
#include <string>

#include "core/context.h"
#include "core/geometry.h"

namespace duduve {

// The window's current rectangle with width and height raised to at least 1; left and
// top may be negative. False, with `out` untouched, for a null window, before the host
// window is known, or when the rectangle cannot be read.
bool QueryObjectRect(Context& context, WindowHandle window, Rect& out);

// The first measurement of a name: the rectangle DesignRectCache remembers under `key`, else
// the rectangle of the window `findWindow` answers, measured now and remembered from then on,
// even after the window moves. `findWindow` runs only when nothing is remembered. False for a
// blank key, no window or an unreadable one.
bool FirstMeasurement(Context& context, const std::wstring& key,
                      const std::function<WindowHandle()>& findWindow, Rect& out);

}  // namespace duduve
