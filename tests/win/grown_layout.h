#pragma once
// Where an editor's controls belong once their texts are measured in the editor's own font:
// every rectangle is its layout table's, in pixels at the screen's DPI, except that a label
// whose word-wrapped text needs more height grows to it and every control wholly below it
// moves down by as much (stacked growths add up), a list whose widest entry does not fit
// its item area grows to the right where no control stands, and the client area grows by
// the most any control moved or grew.
#include <windows.h>

#include <vector>

#include "editor_layouts.h"

namespace editor_test {

struct Expectation {
  std::vector<RECT> Rects;  // in the layout's order, in the editor's client pixels
  SIZE Client{};
};

// The control of `editor` a table row names: by its number, a label by its text.
HWND FindControl(HWND editor, const Placed& placed);
Expectation Expect(HWND editor, const EditorLayout& layout, int dpi);

}  // namespace editor_test
