#pragma once
// The seam to the system's DPI: a window's, and whether the process is DPI-aware.
#include <cstdint>

#include "core/geometry.h"

namespace duduve {

class DpiSystem {
 public:
  virtual ~DpiSystem() = default;

  // The DPI of a window: the per-window DPI when the system has it, else the
  // screen's LOGPIXELSX, else 96. Always positive.
  virtual std::int32_t WindowDpi(WindowHandle window) = 0;
  // Tries the system functions that make the process DPI-aware, in order.
  virtual bool EnableDpiAwareness() = 0;
  // Whether the system reports the process as DPI-aware now.
  virtual bool IsProcessDpiAware() = 0;
};

}  // namespace duduve
