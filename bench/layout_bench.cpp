// The layout engine's cost per object: registering N objects and one apply pass over
// them, on the flat in-memory seams, for several page shapes. Meant to run under
//   valgrind --tool=callgrind --collect-atstart=no duduve_layout_bench [N ...]
// Each measured region switches collection on, runs, switches it off and dumps its
// counts under a label "phase|shape|N|repeat" (phases: register, apply, apply-same);
// bench/callgrind_table.py turns the dumps into the table. Alongside, the program prints
// the exact facts of each page (moves, repaints, host-variable calls per pass).
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/context.h"
#include "flat_seams.h"
#include "plugin/dispatch.h"

namespace {

using duduve::Context;
using duduve::bench::FlatHost;
using duduve::bench::FlatWindowSystem;

struct Shape {
  const char* Label;
  int PinEvery;  // every n-th object is pinned to the one before it; 0 for none
  int Groups;    // groups of kGroupSize listed members, each fitted into a registered object
};

constexpr int kGroupSize = 20;
constexpr int kRegisterRepeats = 3;
constexpr int kApplyRepeats = 5;

using Params = std::vector<std::wstring>;

// One page: the host's windows and the scripts' parameters.
struct Page {
  FlatWindowSystem Windows;
  FlatHost Host;
  Context State{Windows, Host};
  std::vector<Params> Registrations;
  std::vector<Params> Pins;
  std::vector<Params> Groups;

  Page(int count, const Shape& shape) {
    State.HostWindow = FlatWindowSystem::kHostWindow;
    duduve::ExecuteAction(State, 1, Params{L"1280", L"720"});
    const wchar_t* modes[] = {L"STRETCH", L"FIXED", L"UNIFORM"};
    const wchar_t* anchors[] = {L"L", L"C", L"R"};
    for (int i = 0; i < count; ++i) {
      const auto name = L"Object " + std::to_wstring(i);
      Host.Name(name, Windows.AddChild({(i * 7) % 1200, (i * 13) % 700, 20 + i % 50, 10 + i % 30}));
      Registrations.push_back({name, modes[i % 3], modes[(i / 3) % 3], anchors[i % 3],
                               anchors[(i / 9) % 3], std::to_wstring(i % 5), L"0"});
      if (shape.PinEvery > 0 && i > 0 && i % shape.PinEvery == 0) {
        Pins.push_back({name, L"Object " + std::to_wstring(i - 1), L"BC", L"TC", L"0", L"-2"});
      }
    }
    for (int g = 0; g < shape.Groups && g < count; ++g) {
      const auto group = L"Group " + std::to_wstring(g);
      Host.Name(group, Windows.AddChild({g * 10, 0, 200, 200}));
      std::wstring members;
      for (int m = 0; m < kGroupSize; ++m) {
        const auto member = group + L" member " + std::to_wstring(m);
        Host.Name(member, Windows.AddChild({g * 10 + m * 9, m * 9, 8, 8}));
        members += member + L";";
      }
      Groups.push_back({group, L"Object " + std::to_wstring(g), g % 2 ? L"FILL" : L"FIT", members});
    }
  }

  // Everything a page-entry script does before its first apply.
  void RegisterAll() {
    for (const auto& params : Registrations) duduve::ExecuteAction(State, 2, params);
    for (const auto& params : Pins) duduve::ExecuteAction(State, 6, params);
    for (const auto& params : Groups) duduve::ExecuteAction(State, 7, params);
  }

  int Apply() { return duduve::ExecuteAction(State, 3, Params{}); }
};

// Runs `body` with callgrind collecting, then dumps its counts under the label.
template <typename Body>
void Counted(const char* phase, int shape, int count, int repeat, Body body) {
  char label[96];
  std::snprintf(label, sizeof label, "%s|%d|%d|%d", phase, shape, count, repeat);
  CALLGRIND_TOGGLE_COLLECT;
  body();
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_DUMP_STATS_AT(label);
}

void Measure(int shapeIndex, const Shape& shape, int count) {
  // Registration always starts from a new page: an empty registry and empty caches.
  for (int repeat = 0; repeat < kRegisterRepeats; ++repeat) {
    Page fresh(count, shape);
    Counted("register", shapeIndex, count, repeat, [&] { fresh.RegisterAll(); });
  }

  Page page(count, shape);
  page.RegisterAll();
  page.Apply();  // the first pass after registration, not counted

  // A new window size for every pass, as during a drag: each pass also publishes.
  int moves = 0, repaints = 0, newSizeVariables = 0, passes = 0;
  for (int repeat = 0; repeat < kApplyRepeats; ++repeat) {
    page.Windows.SetClientSize(1300 + 37 * repeat, 740 + 23 * repeat);
    page.Windows.ResetCounts();
    page.Host.VariableCalls = 0;
    Counted("apply", shapeIndex, count, repeat, [&] { passes += page.Apply(); });
    moves = page.Windows.MoveNowCount + page.Windows.BatchAddCount;
    repaints = page.Windows.RepaintCount;
    newSizeVariables = page.Host.VariableCalls;
  }
  // The same size again: the windows move again, nothing is published.
  int sameSizeVariables = 0;
  for (int repeat = 0; repeat < kApplyRepeats; ++repeat) {
    page.Host.VariableCalls = 0;
    Counted("apply-same", shapeIndex, count, repeat, [&] { passes += page.Apply(); });
    sameSizeVariables += page.Host.VariableCalls;
  }
  std::printf("facts|%d|%s|%d|refused=%d|moves=%d|repaints=%d|variables-new=%d|variables-same=%d\n",
              shapeIndex, shape.Label, count, 2 * kApplyRepeats - passes, moves, repaints,
              newSizeVariables, sameSizeVariables);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {100, 1000, 10000};
  if (!RUNNING_ON_VALGRIND) {
    std::fprintf(stderr,
                 "duduve_layout_bench counts instructions: run it under valgrind --tool=callgrind "
                 "--collect-atstart=no (scripts/run-bench does)\n");
  }

  const Shape shapes[] = {
      {"plain", 0, 0},
      {"10% pinned", 10, 0},
      {"20 groups of 20", 0, 20},
      {"10% pinned, 20 groups", 10, 20},
  };
  for (int s = 0; s < 4; ++s) {
    for (const int count : counts) Measure(s, shapes[s], count);
  }
  return 0;
}
