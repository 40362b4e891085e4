// Duduve_Apply: resolves every registered object to the host window's current size,
// moves the windows, places pins and groups, repaints once and publishes the factors.
#include "layout/apply_pass.h"

#include <cstddef>
#include <cstdint>

#include "core/float_settings.h"
#include "core/host_calls.h"
#include "core/text_rules.h"
#include "groups/group_actions.h"
#include "layout/object_placement.h"
#include "layout/pass_moves.h"
#include "layout/pins.h"
#include "layout/registration.h"

namespace duduve {

namespace {

// Holds ApplyInProgress and the host window's suspended painting for one pass, and gives
// both back even when the pass is cut short by an exception.
class RunningPass {
 public:
  RunningPass(Context& context, WindowHandle host) : context_(context), host_(host) {
    context_.Registry.ApplyInProgress = true;
    context_.Windows.SetRedraw(host_, false);
  }
  RunningPass(const RunningPass&) = delete;
  RunningPass& operator=(const RunningPass&) = delete;

  // Painting back on, then one repaint of the window and all its children.
  void ResumePainting() {
    painting_ = true;
    context_.Windows.SetRedraw(host_, true);
    context_.Windows.RepaintAll(host_);
  }

  ~RunningPass() {
    if (!painting_) {
      try {
        ResumePainting();
      } catch (...) {
        // Nothing may leave a destructor.
      }
    }
    context_.Registry.ApplyInProgress = false;
  }

 private:
  Context& context_;
  WindowHandle host_;
  bool painting_ = false;
};

// One object of the object pass: its window and design rectangle found, then its
// rectangle worked out. Host calls may run host code that changes the registry, so the
// record is fetched again by index after each.
void PlaceObject(Context& context, std::size_t index, const PassFactors& factors,
                 std::vector<WindowMove>& moves) {
  auto& objects = context.Registry.Objects;
  if (objects[index].Window == 0) {
    const WindowHandle window = ObjectWindow(context.Host, objects[index].Name);
    if (index >= objects.size()) return;
    objects[index].Window = window;
  }
  auto& record = objects[index];
  if (!record.Captured) CaptureDesignRect(context, record);
  // Not yet measurable: left as it is and tried again on the next pass.
  if (!record.Captured || record.Window == 0) return;
  if (record.Pinned) {
    record.Placed = false;  // the pin pass places it
    return;
  }
  const Rect to = ResolveObject(record, factors);
  record.ResolvedLeft = to.Left;
  record.ResolvedTop = to.Top;
  record.ResolvedWidth = to.Width;
  record.ResolvedHeight = to.Height;
  record.Placed = true;
  moves.push_back({record.Window, to, {}});
}

// The six published texts, in their order.
struct PublishedTexts {
  std::wstring ScaleX, ScaleY, Uniform, Dpi, DpiScale;
};

PublishedTexts FormatFactors(const PassFactors& factors, std::int32_t dpi) {
  const float dpiScale =
      WithPluginFloatSettings([](std::int32_t d) { return static_cast<float>(d) / 96.0f; }, dpi);
  // FourDecimals reads a float's bits with integer arithmetic: no settings needed.
  return {FourDecimals(factors.ScaleX), FourDecimals(factors.ScaleY), FourDecimals(factors.Uniform),
          DecimalText(dpi), FourDecimals(dpiScale)};
}

void Publish(Context& context, const PassFactors& factors, std::int32_t dpi) {
  auto& registry = context.Registry;
  // Exact comparison: any change of the stored single-precision values republishes.
  if (factors.ScaleX == registry.LastScaleX && factors.ScaleY == registry.LastScaleY &&
      dpi == registry.LastDpi) {
    return;
  }
  const auto texts = FormatFactors(factors, dpi);
  auto& host = context.Host;
  host.SetVariable(L"[Duduve.ScaleX]", texts.ScaleX);
  host.SetVariable(L"[Duduve.ScaleY]", texts.ScaleY);
  host.SetVariable(L"[Duduve.Uniform]", texts.Uniform);
  host.SetVariable(L"[Duduve.FontScale]", texts.Uniform);
  host.SetVariable(L"[Duduve.DPI]", texts.Dpi);
  host.SetVariable(L"[Duduve.DPIScale]", texts.DpiScale);
  registry.LastScaleX = factors.ScaleX;
  registry.LastScaleY = factors.ScaleY;
  registry.LastDpi = dpi;
}

}  // namespace

int ApplyPass(Context& context) {
  auto& registry = context.Registry;
  const WindowHandle host = context.HostWindow;
  if (host == 0 || registry.ApplyInProgress || registry.Objects.empty()) return 0;
  if (registry.CanvasWidth <= 0 || registry.CanvasHeight <= 0) return 0;
  std::int32_t clientWidth = 0;
  std::int32_t clientHeight = 0;
  if (!context.Windows.ClientSize(host, clientWidth, clientHeight)) return 0;
  if (clientWidth < 1 || clientHeight < 1) return 0;

  const auto factors =
      ComputeFactors(registry.CanvasWidth, registry.CanvasHeight, clientWidth, clientHeight);

  RunningPass pass(context, host);
  const auto generation = registry.Objects.Generation();
  // Everything is found and measured before the first window moves.
  PassMoves moves;
  moves.Objects.reserve(registry.Objects.size());
  for (std::size_t i = 0; i < registry.Objects.size(); ++i) {
    PlaceObject(context, i, factors, moves.Objects);
  }
  RunPinPass(context, factors.Uniform, moves.Pins);
  ResolveGroups(context, moves.Groups);
  CommitPassMoves(context, moves, generation);
  pass.ResumePainting();
  Publish(context, factors, context.Windows.WindowDpi(host));
  return 1;
}

}  // namespace duduve
