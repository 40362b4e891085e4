// Where the live window and its script lines go on the screen: the lines beside the page,
// never over it, and the page's sizes within the room the lines leave.
#include <algorithm>

#include "live_window.h"

namespace preview {

RECT LiveWindow::WorkArea() const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

void LiveWindow::KeepLinesBeside(bool movePage) {
  RECT page{};
  GetWindowRect(Window(), &page);
  const Arrangement arranged = ArrangeBeside(page, WorkArea(), LineListWindow::kWidth);
  if (movePage && !IsZoomed(Window()) && !EqualRect(&arranged.Page, &page)) {
    SetWindowPos(Window(), nullptr, arranged.Page.left, arranged.Page.top,
                 arranged.Page.right - arranged.Page.left, arranged.Page.bottom - arranged.Page.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  lines_.ShowAt(arranged.Lines);
}

int LiveWindow::LinesRoom() const {
  return lines_.Shown() ? LineListWindow::kWidth + kBesideGap : 0;
}

void LiveWindow::LeaveRoomWhenMaximised(MINMAXINFO& limits) const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  limits.ptMaxPosition = {work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
  limits.ptMaxSize = {work.right - work.left - LinesRoom(), work.bottom - work.top};
}

void LiveWindow::ShowShape(const Shape& shape) {
  const RECT work = WorkArea();
  const SIZE frame = standin::StandInHost::FrameSize(Window(), 0, 0);
  const WindowSize room{work.right - work.left - frame.cx - LinesRoom(),
                        work.bottom - work.top - frame.cy};
  SetClientSize(FitShape(shape, room), true);
}

void LiveWindow::SetClientSize(const WindowSize& size, bool fitToScreen) {
  if (IsZoomed(Window()) || IsIconic(Window())) ShowWindow(Window(), SW_RESTORE);
  if (!fitToScreen) {
    host_->Resize(size.Width, size.Height);
    return;
  }
  const RECT work = WorkArea();
  const SIZE outer = standin::StandInHost::FrameSize(Window(), size.Width, size.Height);
  // Centred in the room the script lines leave beside it.
  const LONG left =
      work.left + std::max<LONG>(work.right - work.left - LinesRoom() - outer.cx, 0) / 2;
  SetWindowPos(Window(), nullptr, left, work.top, outer.cx, outer.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace preview
