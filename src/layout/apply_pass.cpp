// Duduve_Apply: resolves every registered object to the host window's current size,
// moves the windows, places pins and groups, repaints once and publishes the factors.
#include "layout/apply_pass.h"

#include <cstddef>
#include <limits>
#include <vector>

#include "core/float_settings.h"
#include "core/host_calls.h"
#include "core/text_rules.h"
#include "groups/group_actions.h"
#include "layout/pins.h"
#include "layout/registration.h"

namespace duduve {

namespace {

// The factors and the uniform frame of one pass.
struct PassFactors {
  std::int32_t CanvasWidth = 0;
  std::int32_t CanvasHeight = 0;
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  float ScaleX = 0.0f;
  float ScaleY = 0.0f;
  float Uniform = 0.0f;
  std::int32_t UniformWidth = 0;
  std::int32_t UniformHeight = 0;
  std::int32_t OffsetX = 0;
  std::int32_t OffsetY = 0;
};

PassFactors FactorsArithmetic(std::int32_t canvasWidth, std::int32_t canvasHeight,
                              std::int32_t clientWidth, std::int32_t clientHeight) {
  PassFactors f;
  f.CanvasWidth = canvasWidth;
  f.CanvasHeight = canvasHeight;
  f.ClientWidth = clientWidth;
  f.ClientHeight = clientHeight;
  f.ScaleX = static_cast<float>(clientWidth) / static_cast<float>(canvasWidth);
  f.ScaleY = static_cast<float>(clientHeight) / static_cast<float>(canvasHeight);
  f.Uniform = f.ScaleX > f.ScaleY ? f.ScaleY : f.ScaleX;
  f.UniformWidth = RoundToInt32(static_cast<double>(canvasWidth) * f.Uniform);
  f.UniformHeight = RoundToInt32(static_cast<double>(canvasHeight) * f.Uniform);
  const auto offsetX = HalveTowardZero(std::int64_t{clientWidth} - f.UniformWidth);
  const auto offsetY = HalveTowardZero(std::int64_t{clientHeight} - f.UniformHeight);
  f.OffsetX = offsetX < 0 ? 0 : offsetX;
  f.OffsetY = offsetY < 0 ? 0 : offsetY;
  return f;
}

PassFactors ComputeFactors(std::int32_t canvasWidth, std::int32_t canvasHeight,
                           std::int32_t clientWidth, std::int32_t clientHeight) {
  return WithPluginFloatSettings(FactorsArithmetic, canvasWidth, canvasHeight, clientWidth,
                                 clientHeight);
}

std::int32_t AxisSize(AxisPolicy policy, std::int32_t design, float axisFactor, float uniform) {
  if (policy == AxisPolicy::Fixed) return design;
  const float factor = policy == AxisPolicy::Uniform ? uniform : axisFactor;
  return RoundToInt32(static_cast<double>(design) * factor);
}

// The stretch of client area one axis of an object is laid out in, and its factor.
struct AxisFrame {
  std::int64_t Origin = 0;
  std::int64_t Extent = 0;
  float Factor = 0.0f;
};

// Where an object of `size` starts on one axis. `anchor` is 0 (Left/Top), 1 (Center)
// or 2 (Right/Bottom); anything else counts as 0.
std::int32_t PlaceOnAxis(std::int32_t anchor, std::int32_t designStart, std::int32_t designSize,
                         std::int32_t canvas, const AxisFrame& frame, std::int32_t size) {
  if (anchor == 2) {
    // The design margin on the far side, scaled, is kept from the frame's far edge.
    const std::int64_t margin = canvas - (std::int64_t{designStart} + designSize);
    return RoundToInt32(static_cast<double>(frame.Origin + frame.Extent) -
                        static_cast<double>(margin) * frame.Factor - static_cast<double>(size));
  }
  if (anchor == 1) return SaturateToInt32(frame.Origin + (frame.Extent - size) / 2);
  return RoundToInt32(static_cast<double>(designStart) * frame.Factor +
                      static_cast<double>(frame.Origin));
}

Rect ResolveArithmetic(const ObjectRecord* recordAt, const PassFactors* factorsAt) {
  const ObjectRecord& record = *recordAt;
  const PassFactors& f = *factorsAt;
  const auto width = AtLeastOne(AxisSize(record.WMode, record.DesignWidth, f.ScaleX, f.Uniform));
  const auto height = AtLeastOne(AxisSize(record.HMode, record.DesignHeight, f.ScaleY, f.Uniform));

  // Each axis's own policy alone decides whether it lives in the uniform frame.
  const AxisFrame horizontal = record.WMode == AxisPolicy::Uniform
                                   ? AxisFrame{f.OffsetX, f.UniformWidth, f.Uniform}
                                   : AxisFrame{0, f.ClientWidth, f.ScaleX};
  const AxisFrame vertical = record.HMode == AxisPolicy::Uniform
                                 ? AxisFrame{f.OffsetY, f.UniformHeight, f.Uniform}
                                 : AxisFrame{0, f.ClientHeight, f.ScaleY};

  const auto x = PlaceOnAxis(static_cast<std::int32_t>(record.HAnchor), record.DesignLeft,
                             record.DesignWidth, f.CanvasWidth, horizontal, width);
  const auto y = PlaceOnAxis(static_cast<std::int32_t>(record.VAnchor), record.DesignTop,
                             record.DesignHeight, f.CanvasHeight, vertical, height);
  // Nudges are plain pixels, added after rounding.
  return {SaturateToInt32(std::int64_t{x} + record.NudgeX),
          SaturateToInt32(std::int64_t{y} + record.NudgeY), width, height};
}

Rect ResolveObject(const ObjectRecord& record, const PassFactors& factors) {
  return WithPluginFloatSettings(ResolveArithmetic, &record, &factors);
}

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

// The object pass's deferred moves. When the system refuses a move it throws the whole
// batch away, so every move queued so far is carried out at once instead, and the rest
// of the pass moves windows at once.
class MoveBatch {
 public:
  MoveBatch(Context& context, std::size_t count) : context_(context) {
    constexpr auto kMaxCount = static_cast<std::size_t>(std::numeric_limits<int>::max());
    batch_ = context_.Windows.BeginBatch(static_cast<int>(count < kMaxCount ? count : kMaxCount));
    if (batch_ != 0) queued_.reserve(count);
  }

  // Moves the window of record `index`, whose resolved rectangle is set.
  void Move(std::size_t index) {
    auto& objects = context_.Registry.Objects;
    const WindowHandle window = objects[index].Window;
    const Rect to = objects[index].Resolved();
    if (batch_ == 0) {
      context_.Windows.MoveNow(window, to);
      return;
    }
    queued_.push_back(index);
    batch_ = context_.Windows.AddToBatch(batch_, window, to);
    if (batch_ == 0) MoveQueuedNow();
  }

  // Commits the batch, when there still is one.
  void End() {
    if (batch_ != 0) context_.Windows.EndBatch(batch_);
    batch_ = 0;
  }

 private:
  void MoveQueuedNow() {
    // Indexes are re-checked: a move may run host code that changes the registry.
    auto& objects = context_.Registry.Objects;
    for (const auto index : queued_) {
      if (index >= objects.size()) continue;
      const auto& record = objects[index];
      if (!record.Placed || record.Window == 0) continue;
      context_.Windows.MoveNow(record.Window, record.Resolved());
    }
    queued_.clear();
  }

  Context& context_;
  WindowSystem::Batch batch_ = 0;
  std::vector<std::size_t> queued_;
};

// One object of the object pass. Host calls and moves may run host code that changes
// the registry, so the record is fetched again by index after each.
void PlaceObject(Context& context, std::size_t index, const PassFactors& factors,
                 MoveBatch& batch) {
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
  batch.Move(index);
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
  MoveBatch batch(context, registry.Objects.size());
  for (std::size_t i = 0; i < registry.Objects.size(); ++i) {
    PlaceObject(context, i, factors, batch);
  }
  RunPinPass(context, factors.Uniform);
  batch.End();
  ResolveGroups(context);
  pass.ResumePainting();
  Publish(context, factors, context.Windows.WindowDpi(host));
  return 1;
}

}  // namespace duduve
