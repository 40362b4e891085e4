#pragma once
// The seam through which the engine moves windows, with the host window's painting held
// off while it does.
#include <cstdint>

#include "core/geometry.h"

namespace duduve {

class WindowMover {
 public:
  // A deferred-positioning batch; 0 names none.
  using Batch = std::uintptr_t;

  virtual ~WindowMover() = default;

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
};

}  // namespace duduve
