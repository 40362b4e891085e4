#pragma once
// The moves of one apply pass and how they reach the window system: the object pass in one
// deferred batch, the pins at once before the batch commits, the groups at once after it.
#include <cstdint>
#include <vector>

#include "core/context.h"
#include "core/window_moves.h"

namespace duduve {

struct PassMoves {
  std::vector<WindowMove> Objects;
  std::vector<WindowMove> Pins;
  std::vector<WindowMove> Groups;
};

// Converts every move into its window's parent, then carries them out. `generation` is the
// registry's at the start of the pass: once host code empties the registry, nothing more moves.
void CommitPassMoves(Context& context, PassMoves& moves, std::uint64_t generation);

}  // namespace duduve
