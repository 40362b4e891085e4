#include "fake_windows.h"

#include <cwctype>
#include <iterator>

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

namespace {
constexpr std::int64_t kScreenExtent = 1 << 20;

std::int32_t Narrow(std::int64_t value) {
  return static_cast<std::int32_t>(value);
}
}  // namespace

WindowHandle FakeWindowSystem::AddChild(const Rect& rect) {
  return AddChildOf(kHostWindow, rect);
}

WindowHandle FakeWindowSystem::AddChildOf(WindowHandle parent, const Rect& rect,
                                          const Border& border, bool mirrored) {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 4;
  windows_[handle] = {parent, RelativeToParent(parent, OnScreen(rect)), border, mirrored};
  return handle;
}

void FakeWindowSystem::Destroy(WindowHandle window) {
  std::vector<WindowHandle> doomed{window};
  for (std::size_t i = 0; i < doomed.size(); ++i) {
    for (const auto& [handle, record] : windows_) {
      if (record.Parent == doomed[i]) doomed.push_back(handle);
    }
  }
  for (const auto handle : doomed) windows_.erase(handle);
}

void FakeWindowSystem::Place(WindowHandle window, const Rect& rect) {
  if (!Alive(window)) return;
  auto& record = windows_[window];
  record.InParent = RelativeToParent(record.Parent, OnScreen(rect));
}

Rect FakeWindowSystem::RectOf(WindowHandle window) const {
  return Alive(window) ? InHost(FrameOnScreen(window)) : Rect{};
}

Rect FakeWindowSystem::RectInParent(WindowHandle window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? Rect{} : found->second.InParent;
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

void FakeWindowSystem::SetHostOnScreen(std::int32_t left, std::int32_t top) {
  hostScreenLeft_ = left;
  hostScreenTop_ = top;
}

bool FakeWindowSystem::MirroredWindow(WindowHandle window) const {
  if (window == kHostWindow) return hostMirrored_;
  const auto found = windows_.find(window);
  return found != windows_.end() && found->second.Mirrored;
}

FakeWindowSystem::Edges FakeWindowSystem::ClientOnScreen(WindowHandle window) const {
  if (window == kHostWindow) {
    return {hostScreenLeft_, hostScreenTop_, std::int64_t{hostScreenLeft_} + clientWidth_,
            std::int64_t{hostScreenTop_} + clientHeight_};
  }
  if (window == kDesktop) return {0, 0, kScreenExtent, kScreenExtent};
  const auto frame = FrameOnScreen(window);
  const auto& border = windows_.at(window).ClientBorder;
  return {frame.Left + border.Left, frame.Top + border.Top, frame.Right - border.Right,
          frame.Bottom - border.Bottom};
}

FakeWindowSystem::Edges FakeWindowSystem::FrameOnScreen(WindowHandle window) const {
  if (window == kHostWindow || window == kDesktop) return ClientOnScreen(window);
  const auto& record = windows_.at(window);
  const auto parent = ClientOnScreen(record.Parent);
  const auto& r = record.InParent;
  const std::int64_t left =
      MirroredWindow(record.Parent) ? parent.Right - r.Left - r.Width : parent.Left + r.Left;
  const std::int64_t top = parent.Top + r.Top;
  return {left, top, left + r.Width, top + r.Height};
}

Rect FakeWindowSystem::InHost(const Edges& screen) const {
  const auto host = ClientOnScreen(kHostWindow);
  const std::int64_t left = hostMirrored_ ? host.Right - screen.Right : screen.Left - host.Left;
  return {Narrow(left), Narrow(screen.Top - host.Top), Narrow(screen.Right - screen.Left),
          Narrow(screen.Bottom - screen.Top)};
}

FakeWindowSystem::Edges FakeWindowSystem::OnScreen(const Rect& inHost) const {
  const auto host = ClientOnScreen(kHostWindow);
  const std::int64_t left =
      hostMirrored_ ? host.Right - inHost.Left - inHost.Width : host.Left + inHost.Left;
  const std::int64_t top = host.Top + inHost.Top;
  return {left, top, left + inHost.Width, top + inHost.Height};
}

Rect FakeWindowSystem::RelativeToParent(WindowHandle parent, const Edges& screen) const {
  const auto client = ClientOnScreen(parent);
  const std::int64_t left =
      MirroredWindow(parent) ? client.Right - screen.Right : screen.Left - client.Left;
  return {Narrow(left), Narrow(screen.Top - client.Top), Narrow(screen.Right - screen.Left),
          Narrow(screen.Bottom - screen.Top)};
}

bool FakeWindowSystem::ClientSize(WindowHandle host, std::int32_t& width, std::int32_t& height) {
  if (host != kHostWindow || FailClientRect) return false;
  width = clientWidth_;
  height = clientHeight_;
  return true;
}

bool FakeWindowSystem::WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) {
  if (host != kHostWindow || !Alive(window)) return false;
  out = RectOf(window);
  return true;
}

bool FakeWindowSystem::ParentAreaOf(WindowHandle host, WindowHandle window, ParentArea& out) {
  if (host != kHostWindow || !Alive(window)) return false;
  const WindowHandle parent = windows_.at(window).Parent;
  out.Parent = parent;
  if (parent == kHostWindow) return true;
  out.Client = InHost(ClientOnScreen(parent));
  out.Frame = InHost(FrameOnScreen(parent));
  out.Mirrored = MirroredWindow(parent) != hostMirrored_;
  return true;
}

void FakeWindowSystem::Apply(WindowHandle window, const Rect& to) {
  if (!Alive(window)) return;
  windows_[window].InParent = to;
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
  return window == kHostWindow || window == kDesktop || Alive(window);
}

WindowHandle FakeWindowSystem::FirstChild(WindowHandle parent) {
  for (const auto& [handle, record] : windows_) {
    if (record.Parent == parent) return handle;
  }
  return 0;
}

WindowHandle FakeWindowSystem::NextSibling(WindowHandle window) {
  const auto self = windows_.find(window);
  if (self == windows_.end()) return 0;
  for (auto next = std::next(self); next != windows_.end(); ++next) {
    if (next->second.Parent == self->second.Parent) return next->first;
  }
  return 0;
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
