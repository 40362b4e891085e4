#pragma once
// The engine's seams implemented over Win32 and the host bridge, one class per seam.
#include "core/dpi_system.h"
#include "core/host_services.h"
#include "core/message_drain.h"
#include "core/window_mover.h"
#include "core/window_tree.h"

namespace duduve {

class Win32WindowTree final : public WindowTree {
 public:
  bool ClientSize(WindowHandle host, std::int32_t& width, std::int32_t& height) override;
  bool WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) override;
  bool ParentAreaOf(WindowHandle host, WindowHandle window, ParentArea& out) override;
  bool IsWindow(WindowHandle window) override;
  WindowHandle FirstChild(WindowHandle parent) override;
  WindowHandle NextSibling(WindowHandle window) override;
};

class Win32WindowMover final : public WindowMover {
 public:
  void MoveNow(WindowHandle window, const Rect& to) override;
  Batch BeginBatch(int count) override;
  Batch AddToBatch(Batch batch, WindowHandle window, const Rect& to) override;
  void EndBatch(Batch batch) override;
  void SetRedraw(WindowHandle host, bool enabled) override;
  void RepaintAll(WindowHandle host) override;
};

class Win32MessageDrain final : public MessageDrain {
 public:
  void DrainMessages(WindowHandle host, int limit) override;
};

class Win32DpiSystem final : public DpiSystem {
 public:
  std::int32_t WindowDpi(WindowHandle window) override;
  bool EnableDpiAwareness() override;
  bool IsProcessDpiAware() override;
};

class BridgeHostServices final : public HostServices {
 public:
  std::wstring CallInterface(int command, std::wstring_view request) override;
  void SetVariable(std::wstring_view name, std::wstring_view value) override;
};

}  // namespace duduve
