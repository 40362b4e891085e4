#pragma once
// Makes an editor's controls show all of their text in the font in use.
#include <windows.h>

#include <memory>
#include <span>

#include "editor/controls.h"

namespace duduve {

// Pixels a list draws its entries in from each side of its item area (a little more than
// any Windows version uses).
inline constexpr int kListEntryInset = 3;

// A label whose word-wrapped text needs more height than it has grows to its text, and
// every control below it moves down by the growth; a list whose widest entry does not fit
// its item area grows to the right when no control stands there. Every dropped list is made
// wide enough for its widest entry. Where every text fits, nothing moves. `droppedHeight` is
// the room below each list, in pixels. Answers how much the dialog's client area must grow
// for what its controls grew.
SIZE FitControlsToText(std::span<const std::unique_ptr<Control>> controls, int droppedHeight);

}  // namespace duduve
