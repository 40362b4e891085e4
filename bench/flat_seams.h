#pragma once
// The cheapest window system and host the engine can run over: windows live in a flat
// array indexed by handle, names in one hash table, and only counts are recorded. With
// every seam call O(1), what callgrind counts per object is the engine's own work.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/host_services.h"
#include "core/window_system.h"

namespace duduve::bench {

class FlatWindowSystem : public WindowSystem {
 public:
  static constexpr WindowHandle kHostWindow = 1;

  // A child window of the host window at a rectangle of its client area.
  WindowHandle AddChild(const Rect& rect);
  Rect RectOf(WindowHandle window) const;
  void SetClientSize(std::int32_t width, std::int32_t height);

  // What was asked of it since the last ResetCounts.
  int MoveNowCount = 0;
  int BatchAddCount = 0;
  int RedrawOffCount = 0;
  int RedrawOnCount = 0;
  int RepaintCount = 0;
  void ResetCounts();

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
  static constexpr WindowHandle kFirstChild = 0x100;
  static constexpr WindowHandle kHandleStep = 4;
  // The slot of a child handle, or rects_.size() when it names none.
  std::size_t Slot(WindowHandle window) const;

  std::int32_t clientWidth_ = 1280;
  std::int32_t clientHeight_ = 720;
  std::vector<Rect> rects_;
  static constexpr Batch kBatch = 0x9000;
  std::vector<std::pair<WindowHandle, Rect>> queued_;
};

// A host that names page objects by their exact spelling and counts what it is asked.
class FlatHost : public HostServices {
 public:
  void Name(const std::wstring& name, WindowHandle window) { names_[name] = window; }

  int InterfaceCalls = 0;
  int VariableCalls = 0;

  std::wstring CallInterface(int command, std::wstring_view request) override;
  void SetVariable(std::wstring_view name, std::wstring_view value) override;

 private:
  std::unordered_map<std::wstring, WindowHandle> names_;
};

}  // namespace duduve::bench
