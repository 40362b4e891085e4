#pragma once
// The seam through which the engine reads the window system: which windows there are, how
// they nest and where they are. The DLL implements it over Win32; native tests, fuzzers and
// benchmarks in memory.
#include <cstdint>

#include "core/geometry.h"

namespace duduve {

// Where a window's parent lays its children out, in the host window's client coordinates.
struct ParentArea {
  WindowHandle Parent = 0;  // the host window, a container, or the desktop
  Rect Client;              // the parent's client area
  Rect Frame;               // the parent's window rectangle
  bool Mirrored = false;    // the parent's x axis runs against the host window's
};

class WindowTree {
 public:
  virtual ~WindowTree() = default;

  // GetClientRect of the host window: width and height, false when the call fails.
  virtual bool ClientSize(WindowHandle host, std::int32_t& width, std::int32_t& height) = 0;
  // The window's rectangle in the client coordinates of the host window, as read
  // (GetWindowRect mapped as a rectangle, so a mirrored host keeps widths positive), not
  // clamped; false when unreadable.
  virtual bool WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) = 0;
  // The window's parent as it is now; false when the window has none. When the parent is
  // the host window only `Parent` is set.
  virtual bool ParentAreaOf(WindowHandle host, WindowHandle window, ParentArea& out) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // GetWindow with GW_CHILD and GW_HWNDNEXT; 0 when there is none.
  virtual WindowHandle FirstChild(WindowHandle parent) = 0;
  virtual WindowHandle NextSibling(WindowHandle window) = 0;
};

}  // namespace duduve
