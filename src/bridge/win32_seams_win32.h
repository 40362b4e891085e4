#pragma once
// The engine's seams implemented over Win32 and the host bridge.
#include "core/host_services.h"
#include "core/window_system.h"

namespace duduve {

class Win32WindowSystem final : public WindowSystem {
 public:
  // The editors sit above this edge: whoever owns them says how to close an open one.
  explicit Win32WindowSystem(void (*closeEditor)()) : closeEditor_(closeEditor) {}

  bool ClientSize(WindowHandle host, std::int32_t& width, std::int32_t& height) override;
  bool WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) override;
  bool ParentAreaOf(WindowHandle host, WindowHandle window, ParentArea& out) override;
  void MoveNow(WindowHandle window, const Rect& to) override;
  Batch BeginBatch(int count) override;
  Batch AddToBatch(Batch batch, WindowHandle window, const Rect& to) override;
  void EndBatch(Batch batch) override;
  void SetRedraw(WindowHandle host, bool enabled) override;
  void RepaintAll(WindowHandle host) override;
  bool IsWindow(WindowHandle window) override;
  WindowHandle FirstChild(WindowHandle parent) override;
  WindowHandle NextSibling(WindowHandle window) override;
  std::int32_t WindowDpi(WindowHandle window) override;
  void DrainMessages(WindowHandle host, int limit) override;
  void CloseEditorWindow() override;
  bool EnableDpiAwareness() override;
  bool IsProcessDpiAware() override;

 private:
  void (*closeEditor_)();
};

class BridgeHostServices final : public HostServices {
 public:
  std::wstring CallInterface(int command, std::wstring_view request) override;
  void SetVariable(std::wstring_view name, std::wstring_view value) override;
};

}  // namespace duduve
