#pragma once
// In-memory stand-ins for the window system and the host, for native tests, fuzzers
// and benchmarks. They record what the engine asks for and can fail on demand.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/host_services.h"
#include "core/window_system.h"

namespace duduve::testing {

// How far a window's client area lies inside its window rectangle on each side.
struct Border {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
};

// Windows nest as real ones do: each keeps its rectangle in its parent's client area, and a
// mirrored window counts its children's x from its right edge. Rectangles given to and read
// from the fake are in the host window's client coordinates unless a name says otherwise.
class FakeWindowSystem : public WindowSystem {
 public:
  static constexpr WindowHandle kHostWindow = 1;
  static constexpr WindowHandle kDesktop = 2;  // the parent of top-level windows

  FakeWindowSystem();

  // A child window of the host window at a rectangle of its client area.
  WindowHandle AddChild(const Rect& rect);
  // A child of `parent` (the host window, another window or the desktop) that appears at
  // `rect` in host-client coordinates.
  WindowHandle AddChildOf(WindowHandle parent, const Rect& rect, const Border& border = {},
                          bool mirrored = false);
  // Destroys the window and everything inside it.
  void Destroy(WindowHandle window);
  // Moves a window behind the engine's back (for example the host itself).
  void Place(WindowHandle window, const Rect& rect);
  Rect RectOf(WindowHandle window) const;
  // The rectangle as its parent keeps it, in the parent's client coordinates.
  Rect RectInParent(WindowHandle window) const;
  bool Alive(WindowHandle window) const;
  std::size_t LiveChildCount() const;
  void SetClientSize(std::int32_t width, std::int32_t height);
  // The host window laid out right to left: host-client x counts from its right edge.
  void SetHostMirrored(bool mirrored) { hostMirrored_ = mirrored; }
  // Where the host window's client area lies on the screen.
  void SetHostOnScreen(std::int32_t left, std::int32_t top);

  // Failure injection.
  bool FailClientRect = false;
  bool FailBeginBatch = false;
  int FailBatchAddNumber = -1;  // the n-th AddToBatch of a batch (0-based) returns 0
  std::int32_t Dpi = 96;
  bool ProcessDpiAware = false;
  bool DpiAwarenessSucceeds = true;
  // Called after every move of a window, immediate or at the end of a batch.
  std::function<void(WindowHandle)> OnMove;

  // What was asked of it.
  int RedrawOffCount = 0;
  int RedrawOnCount = 0;
  int RepaintCount = 0;
  int MoveNowCount = 0;
  int BatchAddCount = 0;
  int BatchEndCount = 0;
  int DrainCount = 0;
  int CloseEditorCount = 0;
  int EnableAwarenessCount = 0;
  int BeginBatchReserved = -1;
  std::vector<std::pair<WindowHandle, Rect>> Moves;  // every move carried out, in order

  // WindowSystem
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
  struct Window {
    WindowHandle Parent = kHostWindow;
    Rect InParent;
    Border ClientBorder;
    bool Mirrored = false;
  };
  // Screen rectangles: left, top, right, bottom.
  struct Edges {
    std::int64_t Left, Top, Right, Bottom;
  };
  void Apply(WindowHandle window, const Rect& to);
  bool MirroredWindow(WindowHandle window) const;
  Edges ClientOnScreen(WindowHandle window) const;
  Edges FrameOnScreen(WindowHandle window) const;
  Rect InHost(const Edges& screen) const;
  Edges OnScreen(const Rect& inHost) const;
  Rect RelativeToParent(WindowHandle parent, const Edges& screen) const;

  std::int32_t clientWidth_ = 1280;
  std::int32_t clientHeight_ = 720;
  std::int32_t hostScreenLeft_ = 0;
  std::int32_t hostScreenTop_ = 0;
  bool hostMirrored_ = false;
  WindowHandle nextHandle_ = 0x100;
  std::map<WindowHandle, Window> windows_;  // live windows in creation (z) order by handle
  Batch nextBatch_ = 0x9000;
  Batch openBatch_ = 0;
  int batchAdds_ = 0;
  std::vector<std::pair<WindowHandle, Rect>> queued_;
};

// A host that names page objects (case-insensitively) and records variables.
class FakeHost : public HostServices {
 public:
  void Name(const std::wstring& name, WindowHandle window);
  void Forget(const std::wstring& name);

  std::wstring PickAnswer;
  // When set, command 7 is answered with this text whatever the name.
  std::wstring* ForcedAnswer = nullptr;
  int InterfaceCalls = 0;
  std::vector<std::pair<std::wstring, std::wstring>> Variables;
  std::function<void()> OnSetVariable;  // runs inside each publication

  std::wstring CallInterface(int command, std::wstring_view request) override;
  void SetVariable(std::wstring_view name, std::wstring_view value) override;

 private:
  std::unordered_map<std::wstring, WindowHandle> names_;
};

}  // namespace duduve::testing
