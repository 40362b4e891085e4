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
int LabelTextHeight(const Control& label, int width) {
  const auto text = label.Text();
  if (text.empty()) return 0;
  ControlDc dc(label.Handle());
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

// One control as the editor placed it, and what its text asks of it.
struct Fitting {
  const Control* Placed = nullptr;
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
    return other.Placed != list.Placed && Overlaps(band, other.Given);
  });
}

std::vector<Fitting> Measure(std::span<const std::unique_ptr<Control>> controls) {
  std::vector<Fitting> fittings;
  for (const auto& control : controls) {
    if (control->Handle() == nullptr) continue;
    Fitting fitting{control.get(), PlacedRect(control->Handle())};
    const int width = fitting.Given.right - fitting.Given.left;
    const int height = fitting.Given.bottom - fitting.Given.top;
    if (dynamic_cast<const Label*>(control.get()) != nullptr) {
      fitting.Taller = std::max(0, LabelTextHeight(*control, width) - height);
    } else if (const auto* list = dynamic_cast<const DropDown*>(control.get())) {
      fitting.Widest = WidestItem(*list);
      fitting.Wider = std::max(0, fitting.Widest + 2 * kListEntryInset - list->ItemAreaWidth());
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

SIZE FitControlsToText(std::span<const std::unique_ptr<Control>> controls, int droppedHeight) {
  auto fittings = Measure(controls);
  const int extraHeight = PushDown(fittings);
  int extraWidth = 0;
  for (const auto& fitting : fittings) {
    const int width = fitting.Given.right - fitting.Given.left;
    const int height = fitting.Given.bottom - fitting.Given.top;
    if (fitting.Lower > 0 || fitting.Taller > 0) {
      const UINT keepSize = fitting.Taller > 0 ? 0 : SWP_NOSIZE;
      SetWindowPos(fitting.Placed->Handle(), nullptr, fitting.Given.left,
                   fitting.Given.top + fitting.Lower, width, height + fitting.Taller,
                   keepSize | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const auto* list = dynamic_cast<const DropDown*>(fitting.Placed);
    if (list == nullptr) continue;
    if (fitting.Wider > 0) list->Widen(width + fitting.Wider, droppedHeight);
    DropWideEnough(*list, fitting.Widest, width + fitting.Wider);
    extraWidth = std::max(extraWidth, fitting.Wider);
  }
  return {extraWidth, extraHeight};
}

}  // namespace duduve
