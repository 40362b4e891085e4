// What one apply pass asks of the window system and the host, counted exactly: a pass on a
// settled page moves each window once, batches every object it resolves itself, asks the
// host nothing and publishes only when the size changed.
#include <map>
#include <string>
#include <vector>

#include "group_fixture.h"

namespace duduve::testing {
namespace {

// The calls one pass made, as differences of the fakes' counters.
struct PassCalls {
  int BatchAdds = 0;
  int ImmediateMoves = 0;
  int BatchEnds = 0;
  int RedrawOff = 0;
  int RedrawOn = 0;
  int Repaints = 0;
  int HostCalls = 0;
  int Variables = 0;
  int MostMovesOfOneWindow = 0;
};

class PassCostTest : public GroupFixture {
 protected:
  // 20 registered objects, every 5th pinned to the one before; two groups of four listed
  // members fitted into Object 0 and Object 1, the second also listing Object 2.
  void BuildPage() {
    Canvas(1280, 720);
    for (int i = 0; i < 20; ++i) {
      const auto name = L"Object " + std::to_wstring(i);
      AddObject(name, {i * 60, i * 30, 50, 20});
      ASSERT_EQ(Register({name, L"STRETCH", L"UNIFORM", L"R", L"C", L"3"}), 1);
    }
    for (int i = 5; i < 20; i += 5) {
      ASSERT_EQ(Pin({L"Object " + std::to_wstring(i), L"Object " + std::to_wstring(i - 1)}), 1);
    }
    for (int g = 0; g < 2; ++g) {
      const auto group = L"Group " + std::to_wstring(g);
      AddObject(group, {100 + g * 300, 400, 200, 100});
      std::wstring members = g == 1 ? L"Object 2;" : L"";
      for (int m = 0; m < 4; ++m) {
        const auto member = group + L" member " + std::to_wstring(m);
        AddObject(member, {110 + g * 300 + m * 40, 410, 30, 30});
        members += member + L";";
      }
      ASSERT_EQ(RegisterGroupWith({group, L"Object " + std::to_wstring(g), L"FIT", members}), 1);
    }
  }

  PassCalls Pass(std::int32_t width, std::int32_t height) {
    windows.SetClientSize(width, height);
    windows.Moves.clear();
    host.Variables.clear();
    const FakeWindowSystem before = windows;
    const int hostCallsBefore = host.InterfaceCalls;
    EXPECT_EQ(Apply(), 1);
    PassCalls calls;
    calls.BatchAdds = windows.BatchAddCount - before.BatchAddCount;
    calls.ImmediateMoves = windows.MoveNowCount - before.MoveNowCount;
    calls.BatchEnds = windows.BatchEndCount - before.BatchEndCount;
    calls.RedrawOff = windows.RedrawOffCount - before.RedrawOffCount;
    calls.RedrawOn = windows.RedrawOnCount - before.RedrawOnCount;
    calls.Repaints = windows.RepaintCount - before.RepaintCount;
    calls.HostCalls = host.InterfaceCalls - hostCallsBefore;
    calls.Variables = static_cast<int>(host.Variables.size());
    std::map<WindowHandle, int> movesOf;
    for (const auto& [window, rect] : windows.Moves) {
      calls.MostMovesOfOneWindow = std::max(calls.MostMovesOfOneWindow, ++movesOf[window]);
    }
    EXPECT_EQ(static_cast<int>(movesOf.size()), calls.BatchAdds + calls.ImmediateMoves);
    return calls;
  }
};

TEST_F(PassCostTest, ASettledPageCostsTheSameCallsAtEveryStepOfADrag) {
  BuildPage();
  // Sizes as resize events deliver them: some repeat the one before.
  const std::vector<std::pair<int, int>> drag = {{1280, 720},  {1366, 768},  {1366, 768},
                                                 {1600, 900},  {1920, 1080}, {1920, 1080},
                                                 {1920, 1080}, {1024, 768},  {2560, 1080}};
  std::pair<int, int> previous{0, 0};
  for (const auto& [width, height] : drag) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    const auto calls = Pass(width, height);
    EXPECT_EQ(calls.BatchAdds, 17);       // the 20 objects less the 3 pinned ones
    EXPECT_EQ(calls.ImmediateMoves, 13);  // 3 pins, 2 frames, 8 members (not Object 2)
    EXPECT_EQ(calls.BatchEnds, 1);
    EXPECT_EQ(calls.MostMovesOfOneWindow, 1);
    EXPECT_EQ(calls.RedrawOff, 1);
    EXPECT_EQ(calls.RedrawOn, 1);
    EXPECT_EQ(calls.Repaints, 1);
    EXPECT_EQ(calls.HostCalls, 0);
    EXPECT_EQ(calls.Variables, std::make_pair(width, height) == previous ? 0 : 6);
    EXPECT_EQ(windows.BeginBatchReserved, 20);
    previous = {width, height};
  }
}

TEST_F(PassCostTest, OnlyWindowsStillMissingAreAskedForAgain) {
  BuildPage();
  // An object and a group member registered before the host has their windows.
  ASSERT_EQ(Register({L"Late object"}), 1);
  ASSERT_EQ(RegisterGroupWith({L"Group 0", L"Object 0", L"FIT", L"Group 0 member 0;Late member"}),
            1);
  EXPECT_EQ(Pass(1920, 1080).HostCalls, 2);
  EXPECT_EQ(Pass(1366, 768).HostCalls, 2);

  AddObject(L"Late object", {10, 10, 40, 40});
  AddObject(L"Late member", {130, 420, 20, 20});
  const auto found = Pass(1600, 900);
  // The object once; the member once for its rectangle and once for its window.
  EXPECT_EQ(found.HostCalls, 3);
  EXPECT_EQ(found.BatchAdds, 18);
  // 3 pins, 2 frames, the 4 members of group 1, and now both members of group 0.
  EXPECT_EQ(found.ImmediateMoves, 11);
  EXPECT_EQ(Pass(1920, 1080).HostCalls, 0);
}

}  // namespace
}  // namespace duduve::testing
