#pragma once
// Moves worked out in the host window's client coordinates and carried out in each window's
// own parent: a window inside a container or panel is placed against where that parent will
// be once every move of the same step is done, so it ends at its rectangle in the host window
// whatever moves around it.
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "core/context.h"
#include "core/geometry.h"
#include "core/window_system.h"

namespace duduve {

struct WindowMove {
  WindowHandle Window = 0;
  Rect To;        // where the window ends, in host-client coordinates
  Rect InParent;  // the same place in its parent's client coordinates, once converted
};

// Converts moves into parent coordinates. Every move of the step is announced with Expect
// before the first conversion, and every conversion is made before the first window moves:
// it reads the parents as they are now.
class ParentPlacement {
 public:
  ParentPlacement(WindowSystem& windows, WindowHandle host) : windows_(windows), host_(host) {}

  // The window ends at `move.To`; a window announced twice ends at its last move.
  void Expect(const WindowMove& move) { finalFrames_[move.Window] = move.To; }
  // Sets `move.InParent`. A direct child of the host window, and a window whose parent
  // cannot be read, keep `To` as it is.
  void Convert(WindowMove& move);

 private:
  // The parent's client area once the step is done, in host-client coordinates.
  Rect FinalClient(const ParentArea& parent, int depth);

  WindowSystem& windows_;
  WindowHandle host_;
  std::unordered_map<WindowHandle, Rect> finalFrames_;
  std::unordered_map<WindowHandle, Rect> finalClients_;
};

// Announces and converts every move of `lists`, in the order given.
void ConvertToParents(Context& context, std::initializer_list<std::vector<WindowMove>*> lists);

// Moves each window at once, in order, after converting the whole list. Stops when host code
// run by a move empties the registry (a clear or a reset from a window's script).
void MoveEachNow(Context& context, std::vector<WindowMove>& moves);

}  // namespace duduve
