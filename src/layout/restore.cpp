// The clear action and the release pass: windows go back to their design rectangles and
// the registry is emptied. Host look-ups can run host scripts that change the registry, so
// records are reached by position after every such call.
#include "layout/restore.h"

#include <cstddef>
#include <vector>

#include "core/host_calls.h"
#include "core/window_moves.h"

namespace duduve {

namespace {

constexpr int kMostMessagesDrained = 32;

// A captured object goes back to its design rectangle; a handle found now is kept.
void RestoreObject(Context& context, std::size_t index, std::vector<WindowMove>& moves) {
  auto& objects = context.Registry.Objects;
  if (index >= objects.size() || !objects[index].Captured) return;
  WindowHandle window = objects[index].Window;
  const Rect design = objects[index].Design();
  if (window == 0) {
    const auto name = objects[index].Name;
    window = ObjectWindow(context.Host, name);
    if (index < objects.size()) objects[index].Window = window;
  }
  if (window != 0) moves.push_back({window, design, {}});
}

// Group windows are checked before use and looked up by name when gone; what is found
// here is not kept.
WindowHandle LiveOrNamed(Context& context, WindowHandle stored, const std::wstring& name) {
  if (stored != 0 && !context.Windows.IsWindow(stored)) stored = 0;
  if (stored == 0 && !name.empty()) stored = ObjectWindow(context.Host, name);
  return stored;
}

void RestoreGroup(Context& context, std::size_t group, std::vector<WindowMove>& moves) {
  auto& groups = context.Registry.Groups;
  for (std::size_t m = 0; group < groups.size() && m < groups[group].Members.size(); ++m) {
    const auto member = groups[group].Members[m];
    if (!member.Captured) continue;
    const auto window = LiveOrNamed(context, member.Window, member.Name);
    if (window != 0) moves.push_back({window, member.Design(), {}});
  }
  if (group >= groups.size() || !groups[group].HasBounds) return;
  const auto name = groups[group].GroupName;
  const auto bounds = groups[group].Bounds();
  // Empty bounds were remembered before anything was measured: the frame never had
  // them, and moving it there would collapse it.
  if (bounds.Width < 1 || bounds.Height < 1) return;
  const auto frame = LiveOrNamed(context, groups[group].FrameWindow, name);
  if (frame != 0) moves.push_back({frame, bounds, {}});
}

// Every window is found before the first one moves, so that a window inside a container
// that goes back too lands against where the container ends.
void RestoreEverything(Context& context) {
  std::vector<WindowMove> moves;
  for (std::size_t i = 0; i < context.Registry.Objects.size(); ++i) {
    RestoreObject(context, i, moves);
  }
  for (std::size_t g = 0; g < context.Registry.Groups.size(); ++g) {
    RestoreGroup(context, g, moves);
  }
  MoveEachNow(context, moves);
}

}  // namespace

int ClearAction(Context& context) {
  RestoreEverything(context);
  context.Registry.Objects.Clear();
  context.Registry.Groups.clear();
  return 1;
}

void ReleasePass(Context& context) {
  // At unload the windows may be gone with the host: nothing here touches one.
  const bool touchWindows = !context.UnloadingFlag;
  if (touchWindows) {
    context.Windows.CloseEditorWindow();
    RestoreEverything(context);
  }
  auto& registry = context.Registry;
  registry.Objects.Clear();
  registry.DesignRectCache.clear();
  registry.Groups.clear();
  registry.GroupCache.clear();
  if (touchWindows && context.HostWindow != 0 && context.Windows.IsWindow(context.HostWindow)) {
    context.Windows.DrainMessages(context.HostWindow, kMostMessagesDrained);
  }
  registry.ApplyInProgress = false;
  registry.CanvasWidth = 0;
  registry.CanvasHeight = 0;
}

}  // namespace duduve
