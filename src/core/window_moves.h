#pragma once
// Moves worked out in the host window's client coordinates and carried out in each window's
// own parent: a window inside a container or panel is placed against where that parent will
// be once every move of the same step is done, so it ends at its rectangle in the host window
// whatever moves around it.
#include <initializer_list>
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

// Sets `InParent` of every move of `lists`, taken in the order they are carried out (a window
// moved twice ends at its last move). Reads the parents as they are now, so it runs before
// the first of these windows moves. A direct child of the host window, and a window whose
// parent cannot be read, keep `To` as it is.
void ConvertToParents(Context& context, std::initializer_list<std::vector<WindowMove>*> lists);

// Moves each window at once, in order, after converting the whole list. Stops when host code
// run by a move empties the registry (a clear or a reset from a window's script).
void MoveEachNow(Context& context, std::vector<WindowMove>& moves);

}  // namespace duduve
