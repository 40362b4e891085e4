// The engine's numbers do not follow the calling thread's floating-point settings, and the
// thread gets its settings back exactly, flags included.
#include "core/float_settings.h"

#include <fpu_control.h>

#include <cfenv>
#include <limits>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "group_fixture.h"

namespace duduve::testing {
namespace {

struct ThreadSettings {
  const char* Name;
  int Rounding;       // both units
  fpu_control_t X87;  // precision and masks; the rounding bits come from Rounding
};

constexpr fpu_control_t kExtended = 0x037F;  // 64-bit precision, all masked
constexpr fpu_control_t kDouble = 0x027F;    // 53-bit precision, all masked

const ThreadSettings kSettings[] = {
    {"nearest", FE_TONEAREST, kExtended},      {"53-bit x87", FE_TONEAREST, kDouble},
    {"upward", FE_UPWARD, kExtended},          {"downward", FE_DOWNWARD, kExtended},
    {"toward zero", FE_TOWARDZERO, kExtended},
};

// What the thread's settings read as, all of it.
struct Reading {
  fpu_control_t X87 = 0;
  unsigned Mxcsr = 0;
  int Flags = 0;
  bool operator==(const Reading&) const = default;
};

Reading Read() {
  Reading reading;
  _FPU_GETCW(reading.X87);
  reading.Mxcsr = __builtin_ia32_stmxcsr();
  reading.Flags = std::fetestexcept(FE_ALL_EXCEPT);
  return reading;
}

// Sets the thread as `settings` says, with the inexact flag raised as a host's would be.
void Enter(const ThreadSettings& settings) {
  std::fesetround(settings.Rounding);
  fpu_control_t word = 0;
  _FPU_GETCW(word);
  word = (word & _FPU_RC_ZERO) | (settings.X87 & ~_FPU_RC_ZERO);
  _FPU_SETCW(word);
  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(FE_INEXACT);
}

void Leave() {
  std::fesetround(FE_TONEAREST);
  _FPU_SETCW(kExtended);
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(FloatingPointRounding, HalvesGoToEvenInEveryRoundingMode) {
  const struct {
    double Value;
    std::int32_t Rounded;
  } cases[] = {{0.5, 0},
               {1.5, 2},
               {2.5, 2},
               {-0.5, 0},
               {-1.5, -2},
               {-2.5, -2},
               {151.5, 152},
               {2.4999999, 2},
               {2.5000001, 3},
               {-7.75, -8},
               {1e12, 2147483647},
               {-1e12, -2147483647 - 1},
               {2147483646.5, 2147483646},
               {-2147483647.5, -2147483647 - 1},
               // Beyond 32 bits: saturated, never wrapped (2^31 would wrap to the minimum,
               // 2^32 + 5 to 5).
               {2147483647.5, 2147483647},
               {2147483648.0, 2147483647},
               {4294967301.0, 2147483647},
               {-2147483648.5, -2147483647 - 1},
               {-4294967301.0, -2147483647 - 1},
               {std::numeric_limits<double>::infinity(), 2147483647},
               {-std::numeric_limits<double>::infinity(), -2147483647 - 1},
               {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const auto& settings : kSettings) {
    Enter(settings);
    std::vector<std::int32_t> rounded;
    for (const auto& c : cases) rounded.push_back(RoundToInt32(c.Value));
    Leave();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      EXPECT_EQ(rounded[i], cases[i].Rounded) << settings.Name << " " << cases[i].Value;
    }
  }
}

TEST(FloatingPointScope, GivesBackEveryBitOfTheThreadsSettings) {
  for (const auto& settings : kSettings) {
    Enter(settings);
    const auto before = Read();
    const float inside = WithPluginFloatSettings(
        [](std::int32_t a, std::int32_t b) {
          return static_cast<float>(a) / static_cast<float>(b);  // inexact
        },
        1366, 1280);
    const auto after = Read();
    Leave();
    EXPECT_EQ(after, before) << settings.Name;
    EXPECT_EQ(inside, 1.06718750f) << settings.Name;
  }
  EXPECT_EQ(PluginFloatSettings::ExceptionalScopes(), 0u);
}

// A page of exact halves and inexact factors: every policy, anchors, a nudge, a pin, and
// FIT and FILL groups, laid out at several sizes.
class FloatingPointPage : public GroupFixture {
 protected:
  void SetUp() override {
    Canvas(1000, 600);
    AddObject(L"Stretch", {101, 51, 201, 101});
    AddObject(L"Fixed", {301, 201, 51, 31});
    AddObject(L"Uniform", {501, 301, 101, 61});
    AddObject(L"Nudged", {11, 11, 21, 21});
    AddObject(L"Flame", {0, 0, 11, 7});
    AddObject(L"Stage", {601, 41, 301, 201});
    AddObject(L"Tray", {41, 401, 301, 151});
    AddObject(L"A", {611, 51, 41, 21});
    AddObject(L"B", {701, 131, 23, 45});
    AddObject(L"C", {51, 411, 33, 17});
    ASSERT_EQ(Register({L"Stretch"}), 1);
    ASSERT_EQ(Register({L"Fixed", L"FIXED", L"FIXED", L"R", L"B"}), 1);
    ASSERT_EQ(Register({L"Uniform", L"UNIFORM", L"UNIFORM", L"C", L"C"}), 1);
    ASSERT_EQ(Register({L"Nudged", L"STRETCH", L"UNIFORM", L"R", L"T", L"3", L"-2"}), 1);
    ASSERT_EQ(Register({L"Flame"}), 1);
    ASSERT_EQ(Pin({L"Flame", L"Stretch", L"BC", L"TC", L"1", L"1"}), 1);
    ASSERT_EQ(Register({L"Stage", L"UNIFORM", L"STRETCH"}), 1);
    ASSERT_EQ(Register({L"Tray", L"STRETCH", L"UNIFORM", L"L", L"B"}), 1);
    ASSERT_EQ(RegisterGroupWith({L"Fitted", L"Stage", L"FIT", L"A;B"}), 1);
    ASSERT_EQ(RegisterGroupWith({L"Filled", L"Tray", L"FILL", L"C"}), 1);
  }

  // Every child's rectangle and every published text after a pass at each size.
  std::vector<std::wstring> Run() {
    std::vector<std::wstring> seen;
    for (const auto& [width, height] :
         {std::pair{1500, 900}, {1366, 768}, {1501, 901}, {333, 201}}) {
      windows.SetClientSize(width, height);
      host.Variables.clear();
      EXPECT_EQ(ApplyPass(context), 1);
      for (auto child = windows.FirstChild(FakeWindowSystem::kHostWindow); child != 0;
           child = windows.NextSibling(child)) {
        const auto r = windows.RectOf(child);
        seen.push_back(std::to_wstring(r.Left) + L"," + std::to_wstring(r.Top) + L"," +
                       std::to_wstring(r.Width) + L"," + std::to_wstring(r.Height));
      }
      for (const auto& [name, value] : host.Variables) seen.push_back(name + L"=" + value);
    }
    return seen;
  }
};

TEST_F(FloatingPointPage, LaysOutAlikeUnderEveryRoundingModeAndPrecision) {
  std::vector<std::vector<std::wstring>> runs;
  for (const auto& settings : kSettings) {
    Enter(settings);
    const auto before = Read();
    // Publication happens only when the factors change: start from a fresh state each time.
    context.Registry.LastScaleX = context.Registry.LastScaleY = -1.0f;
    auto seen = Run();
    const auto after = Read();
    Leave();
    EXPECT_EQ(after, before) << settings.Name;
    runs.push_back(std::move(seen));
  }
  // By hand, at 1.5: 101 x 1.5 = 151.5 goes to 152, 51 x 1.5 = 76.5 to 76.
  ASSERT_FALSE(runs[0].empty());
  EXPECT_EQ(runs[0][0], L"152,76,302,152");
  EXPECT_EQ(runs[0][10], L"[Duduve.ScaleX]=1.5000");
  for (std::size_t i = 1; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i], runs[0]) << kSettings[i].Name;
  }
  EXPECT_EQ(PluginFloatSettings::ExceptionalScopes(), 0u);
}

}  // namespace
}  // namespace duduve::testing
