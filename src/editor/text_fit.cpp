#include "editor/text_fit.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "editor/controls.h"
#include "editor/win32_handles.h"

namespace duduve {

namespace {

// The height a label's text needs word-wrapped at the label's width, as the label draws it.
int LabelTextHeight(HWND label, int width) {
  const auto text = Control(label).Text();
  if (text.empty()) return 0;
  ControlDc dc(label);
  RECT bounds{0, 0, width, 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &bounds,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  return bounds.bottom - bounds.top;
}

int WidestItem(const DropDown& list) {
  ControlDc dc(list.Handle());
  int widest = 0;
  for (const auto& item : list.Items()) {
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), item.c_str(), static_cast<int>(item.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
  }
  return widest;
}

// One control as the table placed it, and what its text asks of it.
struct Fitting {
  HWND Window = nullptr;
  ControlKind Kind = ControlKind::Label;
  RECT Given{};    // in the dialog's client pixels
  int Taller = 0;  // a label's growth
  int Widest = 0;  // a list's widest entry
  int Wider = 0;   // a list's growth to the right
  int Lower = 0;   // how far the labels above push it down
};

RECT PlacedRect(HWND control) {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The list may grow only into room where no other control stands.
bool RoomToTheRight(const std::vector<Fitting>& fittings, const Fitting& list) {
  const RECT band{list.Given.right, list.Given.top, list.Given.right + list.Wider,
                  list.Given.bottom};
  return std::none_of(fittings.begin(), fittings.end(), [&](const Fitting& other) {
    return other.Window != list.Window && Overlaps(band, other.Given);
  });
}

std::vector<Fitting> Measure(const DialogWindow& window) {
  std::vector<Fitting> fittings;
  for (const auto& entry : window.Controls()) {
    Fitting fitting{entry.Window, entry.Kind, PlacedRect(entry.Window)};
    const int width = fitting.Given.right - fitting.Given.left;
    const int height = fitting.Given.bottom - fitting.Given.top;
    if (entry.Kind == ControlKind::Label) {
      fitting.Taller = std::max(0, LabelTextHeight(entry.Window, width) - height);
    } else if (entry.Kind == ControlKind::DropDown) {
      const DropDown list(entry.Window);
      fitting.Widest = WidestItem(list);
      fitting.Wider = std::max(0, fitting.Widest + 2 * kListEntryInset - list.ItemAreaWidth());
    }
    fittings.push_back(fitting);
  }
  for (auto& fitting : fittings) {
    if (fitting.Wider > 0 && !RoomToTheRight(fittings, fitting)) fitting.Wider = 0;
  }
  return fittings;
}

// Each control moves down by as much as the grown labels wholly above it push it, stacked
// labels adding up; the answer is how much taller the window must be.
int PushDown(std::vector<Fitting>& fittings) {
  std::vector<std::size_t> order(fittings.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return fittings[a].Given.top < fittings[b].Given.top;
  });
  int growth = 0;
  for (std::size_t i : order) {
    auto& fitting = fittings[i];
    for (const auto& above : fittings) {
      if (above.Taller > 0 && above.Given.bottom <= fitting.Given.top) {
        fitting.Lower = std::max(fitting.Lower, above.Lower + above.Taller);
      }
    }
    growth = std::max(growth, fitting.Lower + fitting.Taller);
  }
  return growth;
}

void DropWideEnough(const DropDown& list, int widestItem, int closedWidth) {
  // The dropped part has a border on each side and may show a scroll bar.
  const int room = widestItem + 2 * kListEntryInset + 2 * GetSystemMetrics(SM_CXBORDER) +
                   GetSystemMetrics(SM_CXVSCROLL);
  list.SetDroppedWidth(std::max(room, closedWidth));
}

}  // namespace

void FitControlsToText(DialogWindow& window, int droppedHeight) {
  auto fittings = Measure(window);
  const int extraHeight = PushDown(fittings);
  int extraWidth = 0;
  for (const auto& fitting : fittings) {
    const int width = fitting.Given.right - fitting.Given.left;
    const int height = fitting.Given.bottom - fitting.Given.top;
    if (fitting.Lower > 0 || fitting.Taller > 0) {
      const UINT keepSize = fitting.Taller > 0 ? 0 : SWP_NOSIZE;
      SetWindowPos(fitting.Window, nullptr, fitting.Given.left, fitting.Given.top + fitting.Lower,
                   width, height + fitting.Taller, keepSize | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (fitting.Kind != ControlKind::DropDown) continue;
    const DropDown list(fitting.Window);
    if (fitting.Wider > 0) list.Widen(width + fitting.Wider, droppedHeight);
    DropWideEnough(list, fitting.Widest, width + fitting.Wider);
    extraWidth = std::max(extraWidth, fitting.Wider);
  }
  if (extraWidth > 0 || extraHeight > 0) window.GrowClient(extraWidth, extraHeight);
}

}  // namespace duduve
