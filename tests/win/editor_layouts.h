#pragma once
// The editors' layout tables: every window's client size and every control's rectangle in
// DialogUnits, in creation order, as the editors are meant to place them when their texts fit.
#include <windows.h>

#include <string>
#include <vector>

namespace editor_test {

struct Placed {
  int Number;           // 0 for a label, found by its text
  const wchar_t* Text;  // a label's text
  const wchar_t* Class;
  RECT Rect;  // left, top, right, bottom in DialogUnits
};

struct EditorLayout {
  const char* Name;
  int Action;
  const wchar_t* Title;
  int ClientWidth;
  int ClientHeight;
  std::vector<Placed> Controls;  // in creation order
};

RECT At(int x, int y, int width, int height);
// "{left, top, right, bottom}", for comparing rectangles with readable failures.
std::string Describe(const RECT& rect);
// The five editors, in action order.
const std::vector<EditorLayout>& Layouts();

}  // namespace editor_test
