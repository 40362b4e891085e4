#pragma once
// Everything the plug-in logic works on: its state and the seams to the outside, one per job.
#include <concepts>

#include "core/dpi_action_state.h"
#include "core/dpi_system.h"
#include "core/geometry.h"
#include "core/host_services.h"
#include "core/layout_registry.h"
#include "core/message_drain.h"
#include "core/window_mover.h"
#include "core/window_tree.h"

namespace duduve {

// One object that plays every part of the window system, as the in-memory ones do.
template <typename Windows>
concept WholeWindowSystem =
    std::derived_from<Windows, WindowTree> && std::derived_from<Windows, WindowMover> &&
    std::derived_from<Windows, MessageDrain> && std::derived_from<Windows, DpiSystem>;

struct Context {
  Context(WindowTree& windows, WindowMover& mover, MessageDrain& messages, DpiSystem& dpi,
          HostServices& host)
      : Windows(windows), Mover(mover), Messages(messages), Dpi(dpi), Host(host) {}
  template <WholeWindowSystem Whole>
  Context(Whole& windows, HostServices& host) : Context(windows, windows, windows, windows, host) {}

  WindowTree& Windows;
  WindowMover& Mover;
  MessageDrain& Messages;
  DpiSystem& Dpi;
  HostServices& Host;
  WindowHandle HostWindow = 0;  // the host's main window; 0 before initialisation
  bool UnloadingFlag = false;   // set at process detach: the release pass touches no window
  LayoutRegistry Registry;
  DpiActionState DpiAction;
};

}  // namespace duduve
