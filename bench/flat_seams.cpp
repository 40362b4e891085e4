#include "flat_seams.h"

#include "core/text_rules.h"

namespace duduve::bench {

WindowHandle FlatWindowSystem::AddChild(const Rect& rect) {
  rects_.push_back(rect);
  return kFirstChild + (rects_.size() - 1) * kHandleStep;
}

std::size_t FlatWindowSystem::Slot(WindowHandle window) const {
  if (window < kFirstChild || (window - kFirstChild) % kHandleStep != 0) return rects_.size();
  const std::size_t slot = (window - kFirstChild) / kHandleStep;
  return slot < rects_.size() ? slot : rects_.size();
}

Rect FlatWindowSystem::RectOf(WindowHandle window) const {
  const auto slot = Slot(window);
  return slot < rects_.size() ? rects_[slot] : Rect{};
}

void FlatWindowSystem::SetClientSize(std::int32_t width, std::int32_t height) {
  clientWidth_ = width;
  clientHeight_ = height;
}

void FlatWindowSystem::ResetCounts() {
  MoveNowCount = BatchAddCount = RedrawOffCount = RedrawOnCount = RepaintCount = 0;
}

bool FlatWindowSystem::ClientSize(WindowHandle host, std::int32_t& width, std::int32_t& height) {
  if (host != kHostWindow) return false;
  width = clientWidth_;
  height = clientHeight_;
  return true;
}

bool FlatWindowSystem::WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) {
  const auto slot = Slot(window);
  if (host != kHostWindow || slot == rects_.size()) return false;
  out = rects_[slot];
  return true;
}

bool FlatWindowSystem::ParentAreaOf(WindowHandle host, WindowHandle window, ParentArea& out) {
  if (host != kHostWindow || Slot(window) == rects_.size()) return false;
  out.Parent = kHostWindow;
  return true;
}

void FlatWindowSystem::MoveNow(WindowHandle window, const Rect& to) {
  ++MoveNowCount;
  if (const auto slot = Slot(window); slot < rects_.size()) rects_[slot] = to;
}

WindowSystem::Batch FlatWindowSystem::BeginBatch(int count) {
  queued_.clear();
  queued_.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
  return kBatch;
}

WindowSystem::Batch FlatWindowSystem::AddToBatch(Batch batch, WindowHandle window, const Rect& to) {
  ++BatchAddCount;
  if (batch != kBatch || Slot(window) == rects_.size()) return 0;
  queued_.emplace_back(window, to);
  return batch;
}

void FlatWindowSystem::EndBatch(Batch batch) {
  if (batch != kBatch) return;
  for (const auto& [window, rect] : queued_) rects_[Slot(window)] = rect;
  queued_.clear();
}

void FlatWindowSystem::SetRedraw(WindowHandle, bool enabled) {
  ++(enabled ? RedrawOnCount : RedrawOffCount);
}

void FlatWindowSystem::RepaintAll(WindowHandle) {
  ++RepaintCount;
}

bool FlatWindowSystem::IsWindow(WindowHandle window) {
  return window == kHostWindow || Slot(window) < rects_.size();
}

WindowHandle FlatWindowSystem::FirstChild(WindowHandle parent) {
  return parent == kHostWindow && !rects_.empty() ? kFirstChild : 0;
}

WindowHandle FlatWindowSystem::NextSibling(WindowHandle window) {
  const auto slot = Slot(window);
  return slot + 1 < rects_.size() ? window + kHandleStep : 0;
}

std::int32_t FlatWindowSystem::WindowDpi(WindowHandle) {
  return 96;
}
void FlatWindowSystem::DrainMessages(WindowHandle, int) {}
void FlatWindowSystem::CloseEditorWindow() {}
bool FlatWindowSystem::EnableDpiAwareness() {
  return false;
}
bool FlatWindowSystem::IsProcessDpiAware() {
  return false;
}

std::wstring FlatHost::CallInterface(int command, std::wstring_view request) {
  ++InterfaceCalls;
  if (command != 7) return {};
  const auto found = names_.find(std::wstring(request));
  return found == names_.end() ? std::wstring()
                               : DecimalText(static_cast<std::int64_t>(found->second));
}

void FlatHost::SetVariable(std::wstring_view, std::wstring_view) {
  ++VariableCalls;
}

}  // namespace duduve::bench
