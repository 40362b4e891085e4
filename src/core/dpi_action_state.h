#pragma once

namespace duduve {

// The two once-per-process flags of the DPI-awareness action; never set back.
struct DpiActionState {
  bool InitDpiLatch = false;
  bool AwarenessAttempted = false;
};

}  // namespace duduve
