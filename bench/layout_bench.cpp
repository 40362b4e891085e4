// Cost per object of registering N objects and of one apply pass over them, on the
// in-memory window system, for several page shapes. Prints a table; never fails.
//
//   duduve_layout_bench [N ...]     (default: 100 1000 10000)
//
// Instructions per object: run once per figure under callgrind, e.g.
//   DUDUVE_BENCH_ONCE=1 DUDUVE_BENCH_SHAPE=0 valgrind --tool=callgrind
//     --collect-atstart=no --toggle-collect='duduve::ApplyPass*' duduve_layout_bench 1000
// (or --toggle-collect='*RegisterAll*' for registration).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_windows.h"
#include "layout/context.h"
#include "plugin/actions.h"

namespace {

using duduve::Context;
using duduve::Rect;
using duduve::testing::FakeHost;
using duduve::testing::FakeWindowSystem;
using Clock = std::chrono::steady_clock;

struct Shape {
  const char* Label;
  int PinEvery;  // every n-th object is pinned to the one before it; 0 for none
  int Groups;    // groups of GroupSize listed members, each fitted into a registered object
};

constexpr int kGroupSize = 20;

// One page: the host's windows and the scripts' parameters, built once per N and shape.
struct Page {
  FakeWindowSystem Windows;
  FakeHost Host;
  Context State{Windows, Host};
  std::vector<std::vector<std::wstring>> Registrations;
  std::vector<std::vector<std::wstring>> Pins;
  std::vector<std::vector<std::wstring>> Groups;

  Page(int count, const Shape& shape) {
    State.HostWindow = FakeWindowSystem::kHostWindow;
    const std::vector<std::wstring> canvas = {L"1280", L"720"};
    duduve::SetDesignSize(State, canvas);
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
  [[gnu::noinline]] void RegisterAll() {
    for (const auto& params : Registrations) duduve::RegisterObject(State, params);
    for (const auto& params : Pins) duduve::PinObject(State, params);
    for (const auto& params : Groups) duduve::RegisterGroup(State, params);
  }

  void Forget() { duduve::HandleMessage(State, 1); }
  void Redeclare() {
    const std::vector<std::wstring> canvas = {L"1280", L"720"};
    duduve::SetDesignSize(State, canvas);
  }
};

double Nanoseconds(Clock::duration d) {
  return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
}

// Runs `body` repeatedly until about `budget` has passed (at least `minimum` times) and
// returns the fastest run: the least disturbed by the rest of the machine.
template <typename Setup, typename Body>
double Fastest(Setup setup, Body body, int minimum, std::chrono::milliseconds budget) {
  double best = -1.0;
  const auto start = Clock::now();
  for (int run = 0; run < minimum || Clock::now() - start < budget; ++run) {
    setup();
    const auto before = Clock::now();
    body();
    const double spent = Nanoseconds(Clock::now() - before);
    if (best < 0 || spent < best) best = spent;
    if (run > 100000) break;
  }
  return best;
}

void Measure(int count, const Shape& shape) {
  Page page(count, shape);
  // DUDUVE_BENCH_ONCE runs everything once, for counting instructions under callgrind.
  const bool once = std::getenv("DUDUVE_BENCH_ONCE") != nullptr;
  const auto budget = std::chrono::milliseconds(once ? 0 : 300);
  const int minimum = once ? 1 : 5;

  // Registration: from an empty registry and an empty design cache (measured afresh).
  const double registration = Fastest(
      [&] {
        page.Forget();
        page.Redeclare();
      },
      [&] { page.RegisterAll(); }, minimum, budget);

  // One apply pass at a new size each time, so every pass also publishes.
  page.Forget();
  page.Redeclare();
  page.RegisterAll();
  int size = 0;
  const double apply = Fastest(
      [&] {
        ++size;
        page.Windows.Moves.clear();  // the fake's record of moves would otherwise grow
        page.Host.Variables.clear();
        page.Windows.SetClientSize(1280 + size % 640, 720 + size % 360);
      },
      [&] { duduve::ApplyPass(page.State); }, minimum, budget);

  const double objects = static_cast<double>(count);
  std::printf("%-26s %7d %14.1f %14.1f %12.3f\n", shape.Label, count, registration / objects,
              apply / objects, apply / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {100, 1000, 10000};

  const Shape shapes[] = {
      {"plain", 0, 0},
      {"10% pinned", 10, 0},
      {"20 groups of 20 members", 0, 20},
  };
  std::printf("%-26s %7s %14s %14s %12s\n", "page", "N", "register ns/N", "apply ns/N", "apply ms");
  // DUDUVE_BENCH_SHAPE=0, 1 or 2 measures that page shape alone.
  const char* only = std::getenv("DUDUVE_BENCH_SHAPE");
  for (int s = 0; s < 3; ++s) {
    if (only != nullptr && std::atoi(only) != s) continue;
    for (const int count : counts) Measure(count, shapes[s]);
  }
  return 0;
}
