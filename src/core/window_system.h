#pragma once
// The seam between the layout engine and the window system. The DLL implements it
// over Win32; native tests, fuzzers and benchmarks implement it in memory.
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

class WindowSystem {
 public:
  // A deferred-positioning batch; 0 names none.
  using Batch = std::uintptr_t;

  virtual ~WindowSystem() = default;

  // GetClientRect of the host window: width and height, false when the call fails.
  virtual bool ClientSize(WindowHandle host, std::int32_t& width, std::int32_t& height) = 0;
  // The window's rectangle in the client coordinates of the host window, as read
  // (GetWindowRect mapped as a rectangle, so a mirrored host keeps widths positive), not
  // clamped; false when unreadable.
  virtual bool WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) = 0;
  // The window's parent as it is now; false when the window has none. When the parent is
  // the host window only `Parent` is set.
  virtual bool ParentAreaOf(WindowHandle host, WindowHandle window, ParentArea& out) = 0;
  // SetWindowPos with a null insert-after window and flags 0x0114, in the client
  // coordinates of the window's parent; the result is not checked.
  virtual void MoveNow(WindowHandle window, const Rect& to) = 0;
  // BeginDeferWindowPos / DeferWindowPos / EndDeferWindowPos, in parent coordinates.
  virtual Batch BeginBatch(int count) = 0;
  virtual Batch AddToBatch(Batch batch, WindowHandle window, const Rect& to) = 0;
  virtual void EndBatch(Batch batch) = 0;
  // WM_SETREDRAW on the host window.
  virtual void SetRedraw(WindowHandle host, bool enabled) = 0;
  // RedrawWindow(host, null, null, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW).
  virtual void RepaintAll(WindowHandle host) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // GetWindow with GW_CHILD and GW_HWNDNEXT; 0 when there is none.
  virtual WindowHandle FirstChild(WindowHandle parent) = 0;
  virtual WindowHandle NextSibling(WindowHandle window) = 0;
  // The DPI of a window: the per-window DPI when the system has it, else the
  // screen's LOGPIXELSX, else 96. Always positive.
  virtual std::int32_t WindowDpi(WindowHandle window) = 0;
  // Dispatches up to `limit` pending messages of the host window (PeekMessageW, PM_REMOVE).
  virtual void DrainMessages(WindowHandle host, int limit) = 0;
  // Closes the editor window if one is open.
  virtual void CloseEditorWindow() = 0;
  // Tries the system functions that make the process DPI-aware, in order.
  virtual bool EnableDpiAwareness() = 0;
  // Whether the system reports the process as DPI-aware now.
  virtual bool IsProcessDpiAware() = 0;
};

}  // namespace duduve
