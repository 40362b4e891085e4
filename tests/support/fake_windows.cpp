#include "fake_windows.h"

#include <cwctype>

#include "core/text_rules.h"

namespace duduve::testing {

namespace {
std::wstring Folded(std::wstring_view text) {
  std::wstring result(text);
  for (auto& c : result) c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
  return result;
}
}  // namespace

FakeWindowSystem::FakeWindowSystem() = default;

WindowHandle FakeWindowSystem::AddChild(const Rect& rect) {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 4;
  windows_[handle] = rect;
  return handle;
}

void FakeWindowSystem::Destroy(WindowHandle window) {
  windows_.erase(window);
}

void FakeWindowSystem::Place(WindowHandle window, const Rect& rect) {
  if (Alive(window)) windows_[window] = rect;
}

Rect FakeWindowSystem::RectOf(WindowHandle window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? Rect{} : found->second;
}

bool FakeWindowSystem::Alive(WindowHandle window) const {
  return windows_.count(window) != 0;
}

std::size_t FakeWindowSystem::LiveChildCount() const {
  return windows_.size();
}

void FakeWindowSystem::SetClientSize(std::int32_t width, std::int32_t height) {
  clientWidth_ = width;
  clientHeight_ = height;
}

bool FakeWindowSystem::ClientSize(WindowHandle host, std::int32_t& width, std::int32_t& height) {
  if (host != kHostWindow || FailClientRect) return false;
  width = clientWidth_;
  height = clientHeight_;
  return true;
}

bool FakeWindowSystem::WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) {
  if (host != kHostWindow || !Alive(window)) return false;
  out = windows_.at(window);
  return true;
}

void FakeWindowSystem::Apply(WindowHandle window, const Rect& to) {
  if (!Alive(window)) return;
  windows_[window] = to;
  Moves.emplace_back(window, to);
  if (OnMove) OnMove(window);
}

void FakeWindowSystem::MoveNow(WindowHandle window, const Rect& to) {
  ++MoveNowCount;
  Apply(window, to);
}

WindowSystem::Batch FakeWindowSystem::BeginBatch(int count) {
  BeginBatchReserved = count;
  if (FailBeginBatch) return 0;
  openBatch_ = nextBatch_++;
  batchAdds_ = 0;
  queued_.clear();
  return openBatch_;
}

WindowSystem::Batch FakeWindowSystem::AddToBatch(Batch batch, WindowHandle window, const Rect& to) {
  ++BatchAddCount;
  const int number = batchAdds_++;
  // As Windows does: a failed add destroys the batch and drops what it held.
  if (batch != openBatch_ || batch == 0 || !Alive(window) || number == FailBatchAddNumber) {
    openBatch_ = 0;
    queued_.clear();
    return 0;
  }
  queued_.emplace_back(window, to);
  return batch;
}

void FakeWindowSystem::EndBatch(Batch batch) {
  ++BatchEndCount;
  if (batch == 0 || batch != openBatch_) return;
  auto moves = std::move(queued_);
  queued_.clear();
  openBatch_ = 0;
  for (const auto& [window, rect] : moves) Apply(window, rect);
}

void FakeWindowSystem::SetRedraw(WindowHandle, bool enabled) {
  ++(enabled ? RedrawOnCount : RedrawOffCount);
}

void FakeWindowSystem::RepaintAll(WindowHandle) {
  ++RepaintCount;
}

bool FakeWindowSystem::IsWindow(WindowHandle window) {
  return window == kHostWindow || Alive(window);
}

WindowHandle FakeWindowSystem::FirstChild(WindowHandle parent) {
  if (parent != kHostWindow || windows_.empty()) return 0;
  return windows_.begin()->first;
}

WindowHandle FakeWindowSystem::NextSibling(WindowHandle window) {
  auto found = windows_.upper_bound(window);
  return found == windows_.end() ? 0 : found->first;
}

std::int32_t FakeWindowSystem::WindowDpi(WindowHandle) {
  return Dpi;
}

void FakeWindowSystem::DrainMessages(WindowHandle, int) {
  ++DrainCount;
}

void FakeWindowSystem::CloseEditorWindow() {
  ++CloseEditorCount;
}

bool FakeWindowSystem::EnableDpiAwareness() {
  ++EnableAwarenessCount;
  if (DpiAwarenessSucceeds) ProcessDpiAware = true;
  return DpiAwarenessSucceeds;
}

bool FakeWindowSystem::IsProcessDpiAware() {
  return ProcessDpiAware;
}

void FakeHost::Name(const std::wstring& name, WindowHandle window) {
  names_[Folded(name)] = window;
}

void FakeHost::Forget(const std::wstring& name) {
  names_.erase(Folded(name));
}

std::wstring FakeHost::CallInterface(int command, std::wstring_view request) {
  ++InterfaceCalls;
  if (command == 1) return PickAnswer;
  if (command != 7) return {};
  if (ForcedAnswer != nullptr) return *ForcedAnswer;
  const auto found = names_.find(Folded(request));
  if (found == names_.end()) return {};
  return DecimalText(static_cast<std::int64_t>(found->second));
}

void FakeHost::SetVariable(std::wstring_view name, std::wstring_view value) {
  Variables.emplace_back(std::wstring(name), std::wstring(value));
  if (OnSetVariable) OnSetVariable();
}

}  // namespace duduve::testing
