// Finding group members on the screen: first measurements by name, automatic
// collection inside a frame, and rebinding remembered members to new windows.
#include <cstdint>

#include "core/casing.h"
#include "core/float_settings.h"
#include "core/host_calls.h"
#include "core/live_window.h"
#include "core/object_rect.h"
#include "groups/group_operations.h"
#include "groups/object_snapshot.h"

namespace duduve {

namespace {

constexpr int kMostChildrenExamined = 1024;

WindowSet RegisteredWindows(const ObjectList& objects) {
  WindowSet windows(objects.size());
  for (const auto& record : objects) windows.Insert(record.Window);
  return windows;
}

// Inside with one pixel of tolerance on every side; formed in 64 bits so that extreme
// rectangles compare as numbers instead of wrapping.
bool InsideWithTolerance(const Rect& candidate, const Rect& area) {
  const std::int64_t left = area.Left;
  const std::int64_t top = area.Top;
  return candidate.Left >= left - 1 && candidate.Top >= top - 1 &&
         std::int64_t{candidate.Left} + candidate.Width <= left + area.Width + 1 &&
         std::int64_t{candidate.Top} + candidate.Height <= top + area.Height + 1;
}

// The centre of `rect` relative to `frame`, as fractions of the frame's extent.
struct Normalised {
  float U = 0.0f;
  float V = 0.0f;
};

Normalised CentreWithin(const Rect& rect, const Rect& frame) {
  const double u = (static_cast<double>(rect.Left) + rect.Width / 2.0 - frame.Left) / frame.Width;
  const double v = (static_cast<double>(rect.Top) + rect.Height / 2.0 - frame.Top) / frame.Height;
  return {static_cast<float>(u), static_cast<float>(v)};
}

float SquaredDistance(Normalised a, Normalised b) {
  const auto du = static_cast<float>(static_cast<double>(a.U) - b.U);
  const auto dv = static_cast<float>(static_cast<double>(a.V) - b.V);
  return static_cast<float>(static_cast<double>(du) * du + static_cast<double>(dv) * dv);
}

// Gives each remembered, automatically collected member the free candidate whose centre,
// relative to the frame now, lies nearest its centre relative to the bounds then.
void MatchRemembered(GroupRecord& group, const std::vector<CollectedWindow>& candidates,
                     const Rect& frame) {
  PluginFloatSettings settings;  // centres and distances; no host code runs in here
  std::vector<Normalised> candidateCentres;
  candidateCentres.reserve(candidates.size());
  for (const auto& candidate : candidates) {
    candidateCentres.push_back(CentreWithin(candidate.Area, frame));
  }
  std::vector<bool> taken(candidates.size(), false);
  // Empty bounds place every remembered centre at infinity or nowhere: nothing matches.
  const Rect bounds = group.Bounds();
  const bool boundsUsable = bounds.Width >= 1 && bounds.Height >= 1;

  for (auto& member : group.Members) {
    if (!member.Name.empty() || !member.Captured) continue;
    member.Window = 0;
    if (!boundsUsable) continue;
    const auto remembered = CentreWithin(member.Design(), bounds);
    std::size_t best = candidates.size();
    float bestDistance = kRebindThreshold;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      if (taken[i]) continue;
      const float distance = SquaredDistance(candidateCentres[i], remembered);
      // Strictly smaller: the earlier candidate keeps a tie.
      if (distance < bestDistance) {
        bestDistance = distance;
        best = i;
      }
    }
    if (best < candidates.size()) {
      taken[best] = true;
      member.Window = candidates[best].Window;
    }
  }
}

}  // namespace

bool LookupDesignRect(Context& context, std::wstring_view name, Rect& out) {
  return FirstMeasurement(
      context, NameKey(name), [&] { return ObjectWindow(context.Host, name); }, out);
}

std::vector<CollectedWindow> CollectInside(Context& context, const Rect& area, WindowHandle frame,
                                           WindowHandle target) {
  const auto registered = RegisteredWindows(context.Registry.Objects);
  std::vector<CollectedWindow> found;
  auto& windows = context.Windows;
  int examined = 0;
  // The host window's children, then the frame's own: the objects attached to a container.
  const auto examine = [&](WindowHandle parent) {
    for (WindowHandle child = windows.FirstChild(parent);
         child != 0 && examined < kMostChildrenExamined; ++examined) {
      const bool skipped = child == frame || child == target || registered.Contains(child);
      Rect rect;
      if (!skipped && QueryObjectRect(context, child, rect) && InsideWithTolerance(rect, area)) {
        found.push_back({child, rect});
      }
      child = windows.NextSibling(child);
    }
  };
  examine(context.HostWindow);
  if (frame != 0 && frame != context.HostWindow) examine(frame);
  return found;
}

void CollectMembers(Context& context, GroupRecord& group) {
  const auto target = ObjectWindow(context.Host, group.TargetName);
  for (const auto& hit : CollectInside(context, group.Bounds(), group.FrameWindow, target)) {
    GroupMember member;
    member.Window = hit.Window;
    member.SetDesign(hit.Area);
    member.Captured = true;
    group.Members.push_back(std::move(member));
  }
}

void RebindMembers(Context& context, GroupRecord& group) {
  group.FrameWindow = LiveOrNamed(context, group.FrameWindow, group.GroupName);
  if (group.FrameWindow == 0) return;

  Rect frame;
  if (!QueryObjectRect(context, group.FrameWindow, frame) || frame.Width < 1 || frame.Height < 1) {
    return;
  }
  const auto target = ObjectWindow(context.Host, group.TargetName);
  const auto candidates = CollectInside(context, frame, group.FrameWindow, target);
  if (candidates.empty()) return;

  MatchRemembered(group, candidates, frame);
}

}  // namespace duduve
