// A host's floating-point settings, through the real exports: the same page gives the same
// rectangles and texts under every rounding mode, x87 precision and exception mask; every
// export returns with the settings exactly as they were; and the host's own code, its
// callbacks and window procedures, runs under the host's settings, not the plug-in's.
#include <windows.h>
// After windows.h.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "float_environment.h"
#include "stand_in_host.h"

namespace {

using standin::Box;
using standin::FloatEnvironment;
using standin::FloatRounding;
using standin::StandInHost;

// Delphi's and Free Pascal's runtimes: invalid, zero-divide and overflow unmasked, 64-bit x87.
constexpr FloatEnvironment kPascal{0x1332, 0, 0x1900};

struct Setting {
  const char* Name;
  FloatEnvironment Environment;
};

std::vector<Setting> Settings() {
  const FloatEnvironment pendingInexact{kPascal.X87Control, 0x20, kPascal.Mxcsr | 0x20};
  return {{"the compiler's default", standin::ReadFloatEnvironment()},
          {"Pascal runtime", kPascal},
          {"Pascal runtime, inexact pending", pendingInexact},
          {"Pascal runtime at 53-bit precision", {0x1232, 0, 0x1900}},
          {"rounding up", WithRounding(kPascal, FloatRounding::Up)},
          {"rounding down", WithRounding(kPascal, FloatRounding::Down)},
          {"rounding toward zero", WithRounding(kPascal, FloatRounding::TowardZero)}};
}

// Puts the thread's own settings back when a run ends, whatever the run set.
class ThreadSettingsKept {
 public:
  ThreadSettingsKept() : kept_(standin::ReadFloatEnvironment()) {}
  ~ThreadSettingsKept() { standin::WriteFloatEnvironment(kept_); }
  ThreadSettingsKept(const ThreadSettingsKept&) = delete;
  ThreadSettingsKept& operator=(const ThreadSettingsKept&) = delete;

 private:
  FloatEnvironment kept_;
};

// Every rectangle and published text of one run, in order.
struct PageRun {
  std::vector<Box> Boxes;
  std::vector<std::string> Texts;
  std::vector<standin::FloatObservation> Changes;
  std::vector<standin::FloatObservation> Seen;
};

const char* const kObjects[] = {"Stretch", "Fixed", "Uniform", "Nudged", "Flame",
                                "Stage",   "Tray",  "A",       "B",      "C"};

int Exec(StandInHost& host, int action, std::vector<std::string> params, std::size_t count) {
  params.resize(count);
  standin::HostParams texts(params);
  return host.Exec(action, texts);
}

// A page whose coordinates fall on exact halves at 1.5 and whose factors are inexact at
// other sizes: every policy, anchors, a nudge, a pin, a FIT and a FILL group.
PageRun RunPage(const FloatEnvironment& environment) {
  const ThreadSettingsKept kept;
  PageRun run;
  StandInHost host(1000, 600);
  host.SetFloatEnvironment(environment);
  EXPECT_TRUE(host.StartUp());
  const Box boxes[] = {{101, 51, 201, 101}, {301, 201, 51, 31}, {501, 301, 101, 61},
                       {11, 11, 21, 21},    {0, 0, 11, 7},      {601, 41, 301, 201},
                       {41, 401, 301, 151}, {611, 51, 41, 21},  {701, 131, 23, 45},
                       {51, 411, 33, 17}};
  for (std::size_t i = 0; i < std::size(kObjects); ++i) host.AddObject(kObjects[i], boxes[i]);
  const std::vector<std::vector<std::string>> rules = {
      {"Stretch"},
      {"Fixed", "FIXED", "FIXED", "R", "B"},
      {"Uniform", "UNIFORM", "UNIFORM", "C", "C"},
      {"Nudged", "STRETCH", "UNIFORM", "R", "T", "3", "-2"},
      {"Flame"},
      {"Stage", "UNIFORM", "STRETCH"},
      {"Tray", "STRETCH", "UNIFORM", "L", "B"}};
  EXPECT_EQ(Exec(host, 1, {"1000", "600"}, 2), 1);
  for (const auto& rule : rules) EXPECT_EQ(Exec(host, 2, rule, 7), 1);
  EXPECT_EQ(Exec(host, 6, {"Flame", "Stretch", "BC", "TC", "1", "1"}, 6), 1);
  EXPECT_EQ(Exec(host, 7, {"Fitted", "Stage", "FIT", "A;B"}, 4), 1);
  EXPECT_EQ(Exec(host, 7, {"Filled", "Tray", "FILL", "C"}, 4), 1);
  for (const auto& [width, height] : {std::pair{1500, 900}, {1366, 768}, {1501, 901}, {333, 201}}) {
    host.Resize(width, height);
    host.ClearRecords();
    EXPECT_EQ(Exec(host, 3, {}, 0), 1);
    for (const char* name : kObjects) run.Boxes.push_back(host.ObjectBox(name));
    for (const auto& set : host.Variables()) run.Texts.push_back(set.Name + "=" + set.Value);
  }
  EXPECT_EQ(Exec(host, 4, {}, 0), 1);  // the clear puts every window back
  for (const char* name : kObjects) run.Boxes.push_back(host.ObjectBox(name));
  EXPECT_EQ(host.Message(1), 0);
  EXPECT_EQ(host.Message(2), 0);
  EXPECT_TRUE(host.Unload());
  EXPECT_EQ(host.FaultReport(), "");
  run.Changes = host.FloatChanges();
  run.Seen = host.FloatSeen();
  return run;
}

TEST(FloatingPointSettings, APageLaysOutAlikeAndTheHostKeepsItsSettings) {
  // A real host, a VCL program, has the common controls loaded long before any plug-in;
  // their own start-up raises the inexact flag, which would otherwise count against the load.
  const HMODULE commonControls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(commonControls, nullptr);
  const auto settings = Settings();
  std::vector<PageRun> runs;
  for (const auto& setting : settings) {
    SCOPED_TRACE(setting.Name);
    runs.push_back(RunPage(setting.Environment));
    const auto& run = runs.back();

    for (const auto& change : run.Changes) {
      ADD_FAILURE() << change.Where << " returned with " << Describe(change.Seen) << " instead of "
                    << Describe(setting.Environment);
    }
    std::set<std::string> places;
    for (const auto& seen : run.Seen) {
      places.insert(seen.Where);
      // Flags raised by the system's own code inside a move are visible to the window
      // procedures it calls, as when the host moves a window itself; the settings are the host's.
      EXPECT_TRUE(SameSettings(seen.Seen, setting.Environment))
          << seen.Where << " ran under " << Describe(seen.Seen);
    }
    EXPECT_EQ(places,
              (std::set<std::string>{"AddActionCallback", "InterfaceAccess", "SetVariableCallback",
                                     "host window procedure", "object window procedure"}));
  }

  // By hand at 1500 x 900 (factor 1.5): 101 x 1.5 = 151.5 rounds to the even 152, 51 x 1.5 =
  // 76.5 to 76, 201 x 1.5 = 301.5 to 302. The fixed object keeps its margins scaled from the
  // far edges: 1500 - 648 x 1.5 - 51 = 477 and 900 - 368 x 1.5 - 31 = 317. The flame is
  // 16.5 and 10.5 rounded to 16 x 10, its bottom centre on the top centre (303, 76) plus the
  // offset 1.5: 303 - 8 + 1.5 = 296.5 rounds to 296, 76 - 10 + 1.5 = 67.5 to 68.
  const auto& first = runs.front();
  ASSERT_EQ(first.Boxes.size(), 5 * std::size(kObjects));
  EXPECT_EQ(first.Boxes[0], (Box{152, 76, 302, 152}));
  EXPECT_EQ(first.Boxes[1], (Box{477, 317, 51, 31}));
  EXPECT_EQ(first.Boxes[4], (Box{296, 68, 16, 10}));
  EXPECT_EQ(first.Boxes[40], (Box{101, 51, 201, 101}));  // back at its design after the clear
  ASSERT_EQ(first.Texts.size(), 4 * 6u);
  EXPECT_EQ(first.Texts[0], "[Duduve.ScaleX]=1.5000");
  EXPECT_EQ(first.Texts[6], "[Duduve.ScaleX]=1.3660");
  EXPECT_EQ(first.Texts[7], "[Duduve.ScaleY]=1.2800");
  EXPECT_EQ(first.Texts[8], "[Duduve.Uniform]=1.2800");

  for (std::size_t i = 1; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].Boxes, first.Boxes) << settings[i].Name;
    EXPECT_EQ(runs[i].Texts, first.Texts) << settings[i].Name;
  }
  FreeLibrary(commonControls);
}

}  // namespace
