// The apply pass on real windows, through the stand-in host and Duduve.dll:
//  1. for N child windows of one host window, three ways of moving them to the same
//     rectangles, each timed from the same starting rectangles:
//       floor        one BeginDeferWindowPos / N DeferWindowPos / EndDeferWindowPos batch of
//                    rectangles computed beforehand, painting off, then one repaint;
//       apply        _nbExecAction(3);
//       alternative  what a script would do without the plug-in: one SetWindowPos per object
//                    while the page keeps painting;
//     and the WM_PAINT messages the host window and the objects receive per pass;
//  2. the same for 1,000 objects split among 10 containers (bordered child windows of the
//     host window that stay where they are), the floor's batch given each object's rectangle
//     in its container;
//  3. a window drag: 120 successive sizes, an apply after each, with the passes per second and
//     the host-variable calls made at new and at repeated sizes.
// Timings are reported as medians and compared only within this run. Never fails.
//
//   duduve_apply_bench [--no-drag] [--no-containers] [N ...]      (default: 100 500 1000)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "stand_in_host.h"

namespace {

using standin::Box;
using standin::HostParams;
using standin::StandInHost;

constexpr int kDesignWidth = 1280;
constexpr int kDesignHeight = 720;
constexpr int kPairs = 11;
constexpr int kAlternativePairs = 5;
constexpr int kDrags = 3;
constexpr int kDragObjects = 500;
constexpr int kDragSteps = 120;
constexpr int kDragRepeatEvery = 6;  // every 6th step repeats the size before it
constexpr int kContainers = 10;
constexpr int kContainedObjects = 1000;
constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
constexpr UINT kRepaintFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const auto middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// WM_PAINT received by the object windows, counted by subclassing them.
WNDPROC objectProc = nullptr;
int objectPaints = 0;

LRESULT CALLBACK CountingObjectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) ++objectPaints;
  return CallWindowProcW(objectProc, window, message, wParam, lParam);
}

// A deferred-positioning batch, ended when it goes out of scope unless the system dropped it.
class DeferredBatch {
 public:
  explicit DeferredBatch(int count) : batch_(BeginDeferWindowPos(count)) {}
  ~DeferredBatch() {
    if (batch_ != nullptr) EndDeferWindowPos(batch_);
  }
  DeferredBatch(const DeferredBatch&) = delete;
  DeferredBatch& operator=(const DeferredBatch&) = delete;
  void Add(HWND window, const Box& to) {
    if (batch_ != nullptr) {
      batch_ =
          DeferWindowPos(batch_, window, nullptr, to.Left, to.Top, to.Width, to.Height, kMoveFlags);
    }
  }

 private:
  HDWP batch_;
};

// A host window with N registered page objects and the rectangles of two window sizes.
struct Page {
  std::unique_ptr<StandInHost> Host;
  std::vector<HWND> Windows;
  std::vector<Box> From;  // the objects' rectangles at the starting size
  std::vector<Box> To;    // ... at the measured size
  // The same in each window's parent, as a batch of moves takes them.
  std::vector<Box> FromInParent;
  std::vector<Box> ToInParent;
  HostParams NoParams{std::vector<std::string>{}};
  bool Ready = false;

  int Apply() { return Host->Exec(3, NoParams); }

  std::vector<Box> Boxes() const {
    std::vector<Box> boxes;
    boxes.reserve(Windows.size());
    for (HWND window : Windows) boxes.push_back(Host->WindowBox(window));
    return boxes;
  }

  std::vector<Box> BoxesInParents() const {
    std::vector<Box> boxes;
    boxes.reserve(Windows.size());
    for (HWND window : Windows) {
      RECT rect{};
      GetWindowRect(window, &rect);
      MapWindowPoints(HWND_DESKTOP, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&rect),
                      2);
      boxes.push_back({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    }
    return boxes;
  }
};

// Objects on a grid of the design canvas, with every policy and anchor in turn; with
// containers, each object lies in one of that many bordered strips side by side.
std::unique_ptr<Page> BuildPage(int count, int startWidth, int startHeight, int width, int height,
                                int containers = 0) {
  auto page = std::make_unique<Page>();
  page->Host = std::make_unique<StandInHost>(kDesignWidth, kDesignHeight);
  StandInHost& host = *page->Host;
  if (!host.StartUp() ||
      host.Exec(1, {std::to_string(kDesignWidth), std::to_string(kDesignHeight)}) != 1) {
    return page;
  }
  int columns = 1;
  while (columns * columns * 9 < count * 16) ++columns;
  const int rows = (count + columns - 1) / columns;
  const int cellWidth = kDesignWidth / columns;
  const int cellHeight = kDesignHeight / std::max(rows, 1);
  const char* modes[] = {"STRETCH", "FIXED", "UNIFORM"};
  const char* anchors[] = {"L", "C", "R"};
  const int stripWidth = containers > 0 ? kDesignWidth / containers : kDesignWidth;
  for (int c = 0; c < containers; ++c) {
    host.AddObject("Strip " + std::to_string(c), {c * stripWidth, 0, stripWidth, kDesignHeight}, {},
                   standin::ObjectFrame::Bordered);
  }
  for (int i = 0; i < count; ++i) {
    const std::string name = "Object " + std::to_string(i);
    const Box box{(i % columns) * cellWidth + 1, (i / columns) * cellHeight + 1,
                  std::max(cellWidth - 2, 1), std::max(cellHeight - 2, 1)};
    const std::string strip =
        containers > 0 ? "Strip " + std::to_string(std::min(box.Left / stripWidth, containers - 1))
                       : std::string();
    HWND window = host.AddObject(name, box, strip);
    if (window == nullptr) return page;
    objectProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingObjectProc));
    page->Windows.push_back(window);
    HostParams params(std::vector<std::string>{name, modes[i % 3], modes[(i / 3) % 3],
                                               anchors[i % 3], anchors[(i / 9) % 3],
                                               std::to_string(i % 5), "0"});
    if (host.Exec(2, params) != 1) return page;
  }
  host.Resize(startWidth, startHeight);
  if (page->Apply() != 1) return page;
  page->From = page->Boxes();
  page->FromInParent = page->BoxesInParents();
  host.Resize(width, height);
  if (page->Apply() != 1) return page;
  page->To = page->Boxes();
  page->ToInParent = page->BoxesInParents();
  host.PumpMessages();
  page->Ready = true;
  return page;
}

// Moves the objects with painting off and throws the invalidated areas away unpainted, so
// that a timed pass starts from settled windows and finds no paint left over.
void ResetQuietly(Page& page, const std::vector<Box>& to) {
  HWND host = page.Host->Window();
  SendMessageW(host, WM_SETREDRAW, FALSE, 0);
  {
    DeferredBatch batch(static_cast<int>(page.Windows.size()));
    for (std::size_t i = 0; i < page.Windows.size(); ++i) batch.Add(page.Windows[i], to[i]);
  }
  SendMessageW(host, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(host, nullptr, nullptr, RDW_VALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
  page.Host->PumpMessages();
}

// Rectangles are in each window's parent.
void MoveInOneBatch(Page& page, const std::vector<Box>& to) {
  HWND host = page.Host->Window();
  SendMessageW(host, WM_SETREDRAW, FALSE, 0);
  {
    DeferredBatch batch(static_cast<int>(page.Windows.size()));
    for (std::size_t i = 0; i < page.Windows.size(); ++i) batch.Add(page.Windows[i], to[i]);
  }
  SendMessageW(host, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(host, nullptr, nullptr, kRepaintFlags);
}

// Rectangles are in each window's parent.
void MoveOneByOne(Page& page, const std::vector<Box>& to) {
  for (std::size_t i = 0; i < page.Windows.size(); ++i) {
    SetWindowPos(page.Windows[i], nullptr, to[i].Left, to[i].Top, to[i].Width, to[i].Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

struct MethodFigures {
  std::vector<double> Ms;
  std::vector<double> HostPaints;
  std::vector<double> ObjectPaints;
  int Misplaced = 0;  // passes that left some object elsewhere than expected
};

// One timed pass of `method` from the starting rectangles; paints it leaves pending are
// dispatched inside the timing, since the page is not finished before they are.
double RunOnce(Page& page, const std::function<void()>& method, MethodFigures& figures) {
  ResetQuietly(page, page.FromInParent);
  page.Host->ResetPaintCounters();
  objectPaints = 0;
  const double start = NowMs();
  method();
  page.Host->PumpMessages();
  const double spent = NowMs() - start;
  figures.Ms.push_back(spent);
  figures.HostPaints.push_back(page.Host->PaintCount());
  figures.ObjectPaints.push_back(objectPaints);
  if (page.Boxes() != page.To) ++figures.Misplaced;
  return spent;
}

// Runs the two methods back to back `pairs` times, each first in every other pair, and
// returns the ratios second / first of the pairs: drift of the machine's load cancels out.
std::vector<double> PairedRatios(Page& page, int pairs, const std::function<void()>& first,
                                 MethodFigures& firstFigures, const std::function<void()>& second,
                                 MethodFigures& secondFigures) {
  std::vector<double> ratios;
  for (int pair = 0; pair < pairs; ++pair) {
    double a = 0.0, b = 0.0;
    if (pair % 2 == 0) {
      a = RunOnce(page, first, firstFigures);
      b = RunOnce(page, second, secondFigures);
    } else {
      b = RunOnce(page, second, secondFigures);
      a = RunOnce(page, first, firstFigures);
    }
    ratios.push_back(b / a);
  }
  return ratios;
}

std::string Counts(const MethodFigures& a, const MethodFigures& b, const MethodFigures& c,
                   std::vector<double> MethodFigures::*field) {
  char text[48];
  std::snprintf(text, sizeof text, "%g/%g/%g", Median(a.*field), Median(b.*field),
                Median(c.*field));
  return text;
}

void CompareMethods(const std::vector<int>& counts, int containers) {
  if (containers == 0) {
    std::printf(
        "Moving N child windows from their rectangles at 1600x900 to those at 1920x1080 (wine, "
        "Xvfb).\nMedians: floor and apply of %d back-to-back pairs, the alternative of %d pairs "
        "with apply; ratios are medians of the pairs' ratios.\n",
        kPairs, kAlternativePairs);
  } else {
    std::printf("\nThe same, the objects split among %d containers.\n", containers);
  }
  std::printf("%6s %10s %10s %11s %12s %16s %14s   %-16s %-20s\n", "N", "floor ms", "apply ms",
              "altern. ms", "apply/floor", "(quartiles)", "altern./apply", "host paints",
              "object paints");
  std::printf("%6s %10s %10s %11s %12s %16s %14s   %-16s %-20s\n", "", "", "", "", "", "", "",
              "floor/apply/alt", "floor/apply/alt");
  std::vector<std::string> notes;
  double ratioAtLargest = 0.0;
  int largest = 0;
  bool oneRepaint = true;
  for (const int count : counts) {
    auto page = BuildPage(count, 1600, 900, 1920, 1080, containers);
    if (!page->Ready) {
      std::printf("%6d   the page could not be built\n", count);
      continue;
    }
    MethodFigures floor, apply, alternative;
    int refused = 0;
    const auto floorMethod = [&] { MoveInOneBatch(*page, page->ToInParent); };
    const auto applyMethod = [&] { refused += page->Apply() != 1; };
    const auto alternativeMethod = [&] { MoveOneByOne(*page, page->ToInParent); };
    auto applyRatios = PairedRatios(*page, kPairs, floorMethod, floor, applyMethod, apply);
    MethodFigures applyBeside;  // the apply runs paired with the alternative
    const auto alternativeRatios = PairedRatios(*page, kAlternativePairs, applyMethod, applyBeside,
                                                alternativeMethod, alternative);

    const double ratio = Median(applyRatios);
    std::sort(applyRatios.begin(), applyRatios.end());
    char quartiles[32];
    std::snprintf(quartiles, sizeof quartiles, "%.3f-%.3f", applyRatios[applyRatios.size() / 4],
                  applyRatios[applyRatios.size() * 3 / 4]);
    std::printf("%6d %10.2f %10.2f %11.2f %12.3f %16s %14.2f   %-16s %-20s\n", count,
                Median(floor.Ms), Median(apply.Ms), Median(alternative.Ms), ratio, quartiles,
                Median(alternativeRatios),
                Counts(floor, apply, alternative, &MethodFigures::HostPaints).c_str(),
                Counts(floor, apply, alternative, &MethodFigures::ObjectPaints).c_str());
    for (const double paints : apply.HostPaints) oneRepaint = oneRepaint && paints == 1.0;
    for (const double paints : applyBeside.HostPaints) oneRepaint = oneRepaint && paints == 1.0;
    if (count >= largest) {
      largest = count;
      ratioAtLargest = ratio;
    }
    const int misplaced = apply.Misplaced + applyBeside.Misplaced;
    if (refused + floor.Misplaced + misplaced + alternative.Misplaced > 0) {
      notes.push_back("N=" + std::to_string(count) + ": " + std::to_string(refused) +
                      " refused passes; misplaced passes floor/apply/alternative " +
                      std::to_string(floor.Misplaced) + "/" + std::to_string(misplaced) + "/" +
                      std::to_string(alternative.Misplaced));
    }
    page->Host->Unload();
    if (!page->Host->FaultReport().empty()) {
      notes.push_back("GlobalAlloc account: " + page->Host->FaultReport());
    }
  }
  std::printf("goal apply/floor at N=%d <= 1.10: %.3f, %s; one host repaint per apply pass: %s\n",
              largest, ratioAtLargest, ratioAtLargest <= 1.10 ? "met" : "MISSED",
              oneRepaint ? "met" : "MISSED");
  for (const auto& note : notes) std::printf("note: %s\n", note.c_str());
}

// Step `step` of the drag: 100 distinct sizes from 1024x768 to 2560x1080, every
// kDragRepeatEvery-th step repeating the size before it, as resize events often do.
SIZE DragSize(int step, bool& repeated) {
  repeated = step % kDragRepeatEvery == kDragRepeatEvery - 1;
  const int distinct = kDragSteps - kDragSteps / kDragRepeatEvery;
  const int index = step - (step + 1) / kDragRepeatEvery;
  return {1024 + (2560 - 1024) * index / (distinct - 1),
          768 + (1080 - 768) * index / (distinct - 1)};
}

void SimulateDrag() {
  auto page = BuildPage(kDragObjects, 1024, 768, 2560, 1080);
  std::printf(
      "\nWindow drag: %d sizes from 1024x768 to 2560x1080 (%d of them repeat the size "
      "before), an apply after each, N=%d; median of %d drags\n",
      kDragSteps, kDragSteps / kDragRepeatEvery, kDragObjects, kDrags);
  if (!page->Ready) {
    std::printf("the page could not be built\n");
    return;
  }
  StandInHost& host = *page->Host;
  std::vector<double> passesPerSecond, msPerPass;
  int newSizeCalls = 0, repeatedSizeCalls = 0, newSizes = 0, extraPaints = 0, refused = 0;
  for (int drag = 0; drag < kDrags; ++drag) {
    double spent = 0.0;
    for (int step = 0; step < kDragSteps; ++step) {
      bool repeated = false;
      const SIZE size = DragSize(step, repeated);
      host.Resize(size.cx, size.cy);
      host.ClearRecords();
      host.ResetPaintCounters();
      const double start = NowMs();
      refused += page->Apply() != 1;
      const double passMs = NowMs() - start;
      spent += passMs;
      msPerPass.push_back(passMs);
      if (host.PaintCount() != 1) ++extraPaints;
      const int calls = static_cast<int>(host.Variables().size());
      if (repeated) {
        repeatedSizeCalls += calls;
      } else {
        newSizeCalls += calls;
        ++newSizes;
      }
      host.PumpMessages();
    }
    passesPerSecond.push_back(kDragSteps / (spent / 1000.0));
  }
  std::printf("%14s %14s %22s %26s %22s\n", "passes/s", "ms/pass", "host-var calls, new",
              "host-var calls, repeated", "passes with paints!=1");
  char perNew[32];
  std::snprintf(perNew, sizeof perNew, "%d (%.1f/size)", newSizeCalls,
                newSizes ? static_cast<double>(newSizeCalls) / newSizes : 0.0);
  std::printf("%14.1f %14.2f %22s %26d %22d\n", Median(passesPerSecond), Median(msPerPass), perNew,
              repeatedSizeCalls, extraPaints);
  std::printf(
      "goal zero host-variable calls at repeated sizes: %s; one host repaint per pass: %s\n",
      repeatedSizeCalls == 0 ? "met" : "MISSED", extraPaints == 0 ? "met" : "MISSED");
  if (refused > 0) std::printf("note: %d passes were refused\n", refused);
  host.Unload();
  if (!host.FaultReport().empty()) {
    std::printf("note: GlobalAlloc account: %s\n", host.FaultReport().c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  bool drag = true;
  bool contained = true;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--no-drag") {
      drag = false;
    } else if (std::string(argv[i]) == "--no-containers") {
      contained = false;
    } else {
      counts.push_back(std::atoi(argv[i]));
    }
  }
  if (counts.empty()) counts = {100, 500, 1000};
  CompareMethods(counts, 0);
  if (contained) CompareMethods({kContainedObjects}, kContainers);
  if (drag) SimulateDrag();
  std::fflush(stdout);
  return 0;
}
