#include "grown_layout.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "editor_session.h"
#include "text_measure.h"

namespace editor_test {

namespace {

int Pixels(int units, int dpi) {
  return MulDiv(units, dpi, 96);
}

// A table rectangle in pixels, as the toolkit converts it (position and size each).
RECT InPixels(const RECT& units, int dpi) {
  const int x = Pixels(units.left, dpi);
  const int y = Pixels(units.top, dpi);
  return {x, y, x + Pixels(units.right - units.left, dpi),
          y + Pixels(units.bottom - units.top, dpi)};
}

}  // namespace

HWND FindControl(HWND editor, const Placed& placed) {
  return placed.Number != 0 ? Item(editor, placed.Number) : LabelWithText(editor, placed.Text);
}

Expectation Expect(HWND editor, const EditorLayout& layout, int dpi) {
  const std::size_t count = layout.Controls.size();
  std::vector<RECT> given(count);
  std::vector<int> taller(count, 0);
  std::vector<int> wider(count, 0);
  std::vector<int> lower(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const auto& placed = layout.Controls[i];
    given[i] = InPixels(placed.Rect, dpi);
    const int width = given[i].right - given[i].left;
    HWND control = FindControl(editor, placed);
    if (placed.Number == 0) {
      const int need = LabelTextNeed(control, placed.Text, width).cy;
      taller[i] = std::max(0, need - static_cast<int>(given[i].bottom - given[i].top));
    } else if (std::wstring(placed.Class) == L"ComboBox") {
      const RECT shown = ChildRect(control);
      const int itemArea = ListItemWidth(control) - (shown.right - shown.left - width);
      for (const auto& entry : Entries(editor, placed.Number)) {
        wider[i] = std::max(wider[i], ListEntryNeed(control, entry) - itemArea);
      }
    }
  }
  // A list grows only where no other control stands.
  for (std::size_t i = 0; i < count; ++i) {
    const RECT band{given[i].right, given[i].top, given[i].right + wider[i], given[i].bottom};
    for (std::size_t j = 0; j < count; ++j) {
      RECT overlap{};
      if (wider[i] > 0 && j != i && IntersectRect(&overlap, &band, &given[j])) wider[i] = 0;
    }
  }
  std::vector<std::size_t> byTop(count);
  std::iota(byTop.begin(), byTop.end(), std::size_t{0});
  std::stable_sort(byTop.begin(), byTop.end(),
                   [&](std::size_t a, std::size_t b) { return given[a].top < given[b].top; });
  Expectation expected{{}, {Pixels(layout.ClientWidth, dpi), Pixels(layout.ClientHeight, dpi)}};
  int extraHeight = 0;
  for (std::size_t i : byTop) {
    for (std::size_t j = 0; j < count; ++j) {
      if (taller[j] > 0 && given[j].bottom <= given[i].top) {
        lower[i] = std::max(lower[i], lower[j] + taller[j]);
      }
    }
    extraHeight = std::max(extraHeight, lower[i] + taller[i]);
  }
  for (std::size_t i = 0; i < count; ++i) {
    expected.Rects.push_back({given[i].left, given[i].top + lower[i], given[i].right + wider[i],
                              given[i].bottom + lower[i] + taller[i]});
  }
  expected.Client.cx += *std::max_element(wider.begin(), wider.end());
  expected.Client.cy += extraHeight;
  return expected;
}

}  // namespace editor_test
