#pragma once
// The seam through which the release pass lets the host window handle what is pending.
#include "core/geometry.h"

namespace duduve {

class MessageDrain {
 public:
  virtual ~MessageDrain() = default;

  // Dispatches up to `limit` pending messages of the host window (PeekMessageW, PM_REMOVE).
  virtual void DrainMessages(WindowHandle host, int limit) = 0;
};

}  // namespace duduve
