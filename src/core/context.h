#pragma once
// Everything the plug-in logic works on: its state and the two seams to the outside.
#include "core/dpi_action_state.h"
#include "core/geometry.h"
#include "core/host_services.h"
#include "core/layout_registry.h"
#include "core/window_system.h"

namespace duduve {

struct Context {
  Context(WindowSystem& windows, HostServices& host) : Windows(windows), Host(host) {}

  WindowSystem& Windows;
  HostServices& Host;
  WindowHandle HostWindow = 0;  // the host's main window; 0 before initialisation
  bool UnloadingFlag = false;   // set at process detach: the release pass touches no window
  LayoutRegistry Registry;
  DpiActionState Dpi;
};

}  // namespace duduve
