#include "core/window_moves.h"

#include <cstdint>
#include <unordered_map>

namespace duduve {

namespace {

// Containers deeper than this are taken to stay where they are.
constexpr int kDeepestAncestor = 64;

std::int64_t RightOf(const Rect& rect) {
  return std::int64_t{rect.Left} + rect.Width;
}

// `rect`, given in host-client coordinates inside a parent whose client area is `client`,
// relative to that client area. A mirrored parent counts x from its right edge.
Rect RelativeTo(const Rect& rect, const Rect& client, bool mirrored) {
  const std::int64_t left =
      mirrored ? RightOf(client) - RightOf(rect) : std::int64_t{rect.Left} - client.Left;
  return {SaturateToInt32(left), SaturateToInt32(std::int64_t{rect.Top} - client.Top), rect.Width,
          rect.Height};
}

// The inverse: a rectangle relative to a parent's client area back in host-client coordinates.
Rect AbsoluteIn(const Rect& relative, const Rect& client, bool mirrored) {
  const std::int64_t left = mirrored ? RightOf(client) - relative.Left - relative.Width
                                     : std::int64_t{client.Left} + relative.Left;
  return {SaturateToInt32(left), SaturateToInt32(std::int64_t{client.Top} + relative.Top),
          relative.Width, relative.Height};
}

// The client area of a window moved to `frame`, its borders as they are now.
Rect ClientWithin(const Rect& frame, const Rect& frameNow, const Rect& clientNow) {
  const std::int64_t left = std::int64_t{clientNow.Left} - frameNow.Left;
  const std::int64_t top = std::int64_t{clientNow.Top} - frameNow.Top;
  const std::int64_t right = RightOf(frameNow) - RightOf(clientNow);
  const std::int64_t bottom = (std::int64_t{frameNow.Top} + frameNow.Height) -
                              (std::int64_t{clientNow.Top} + clientNow.Height);
  return {SaturateToInt32(frame.Left + left), SaturateToInt32(frame.Top + top),
          SaturateToInt32(frame.Width - left - right),
          SaturateToInt32(frame.Height - top - bottom)};
}

// Places nested windows against where their parents end once every move is done.
class ParentPlacement {
 public:
  ParentPlacement(WindowSystem& windows, WindowHandle host) : windows_(windows), host_(host) {}

  // The window ends at `move.To`; a later announcement of the same window wins.
  void Expect(const WindowMove& move) { finalFrames_[move.Window] = move.To; }
  // `move.To` relative to its parent's client area as that will be.
  Rect InParent(const WindowMove& move, const ParentArea& parent) {
    return RelativeTo(move.To, FinalClient(parent, 0), parent.Mirrored);
  }

 private:
  // The parent's client area once the step is done, in host-client coordinates.
  Rect FinalClient(const ParentArea& parent, int depth);

  WindowSystem& windows_;
  WindowHandle host_;
  std::unordered_map<WindowHandle, Rect> finalFrames_;
  std::unordered_map<WindowHandle, Rect> finalClients_;
};

Rect ParentPlacement::FinalClient(const ParentArea& parent, int depth) {
  if (const auto known = finalClients_.find(parent.Parent); known != finalClients_.end()) {
    return known->second;
  }
  Rect frame = parent.Frame;
  if (const auto moved = finalFrames_.find(parent.Parent); moved != finalFrames_.end()) {
    frame = moved->second;
  } else if (ParentArea outer; depth < kDeepestAncestor &&
                               windows_.ParentAreaOf(host_, parent.Parent, outer) &&
                               outer.Parent != host_) {
    // Not moved itself: it keeps its place in its own parent, which may move.
    frame = AbsoluteIn(RelativeTo(parent.Frame, outer.Client, outer.Mirrored),
                       FinalClient(outer, depth + 1), outer.Mirrored);
  }
  const Rect client = ClientWithin(frame, parent.Frame, parent.Client);
  finalClients_.emplace(parent.Parent, client);
  return client;
}

}  // namespace

void ConvertToParents(Context& context, std::initializer_list<std::vector<WindowMove>*> lists) {
  // Direct children of the host window, most page objects, keep their rectangle at the cost
  // of one question each; the others wait until every final rectangle is known.
  struct Nested {
    WindowMove* Move;
    ParentArea Parent;
  };
  std::vector<Nested> nested;
  const WindowHandle host = context.HostWindow;
  for (auto* list : lists) {
    for (auto& move : *list) {
      move.InParent = move.To;
      ParentArea parent;
      if (context.Windows.ParentAreaOf(host, move.Window, parent) && parent.Parent != host) {
        nested.push_back({&move, parent});
      }
    }
  }
  if (nested.empty()) return;
  ParentPlacement placement(context.Windows, host);
  for (const auto* list : lists) {
    for (const auto& move : *list) placement.Expect(move);
  }
  for (auto& [move, parent] : nested) move->InParent = placement.InParent(*move, parent);
}

void MoveEachNow(Context& context, std::vector<WindowMove>& moves) {
  ConvertToParents(context, {&moves});
  const auto generation = context.Registry.Objects.Generation();
  for (const auto& move : moves) {
    if (context.Registry.Objects.Generation() != generation) return;
    context.Windows.MoveNow(move.Window, move.InParent);
  }
}

}  // namespace duduve
