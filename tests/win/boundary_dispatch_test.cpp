// Execute and edit dispatch, the host's messages and the design-size action, through the
// real exports. The stored canvas is observed through the apply pass: with the host window
// at 1280 x 720, a STRETCH object designed at (100, 50, 200, 100) lands at that rectangle
// scaled by 1280 / W and 720 / H.
#include <windows.h>

#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "boundary_fixture.h"
#include "core/action_table.h"

namespace boundary_test {
namespace {

using standin::Box;

constexpr Box kDesign{100, 50, 200, 100};
constexpr Box kAtHalfCanvas{200, 100, 400, 200};  // canvas 640 x 360: everything doubles

class Dispatch : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    StartUp();
  }

  // An object on the page, registered to stretch on both axes from the top left.
  void RegisterLogo() {
    host.AddObject("Logo", kDesign);
    ASSERT_EQ(host.Exec(2, {"Logo", "STRETCH", "STRETCH", "L", "T", "0", "0"}), 1);
  }

  int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) CALLBACK -> BOOL {
          if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(counter);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
  }
};

TEST_F(Dispatch, NumbersOutsideTheTableReturnZeroAndDoNothing) {
  for (int id : {0, 8, -1, 1000}) {
    EXPECT_EQ(host.Exec(id, nullptr), 0) << id;
  }
  EXPECT_TRUE(host.InterfaceCalls().empty());
  EXPECT_TRUE(host.Variables().empty());
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
}

TEST_F(Dispatch, ApplyAndClearTakeANullParameterArray) {
  RegisterLogo();
  ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
  EXPECT_EQ(host.Exec(4, nullptr), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), kDesign);
}

TEST_F(Dispatch, EditOfAnActionWithoutAnEditorReturnsOneAndShowsNothing) {
  const int before = ThreadWindows();
  for (int id : {3, 4, 0, 8, 9, -1}) {
    standin::HostParams params{"kept", "as is"};
    EXPECT_EQ(host.Edit(id, params), 1) << id;
    EXPECT_EQ(params.Text(0), "kept");
    EXPECT_EQ(params.Text(1), "as is");
    EXPECT_EQ(host.Edit(id, nullptr), 1) << id;
  }
  EXPECT_EQ(ThreadWindows(), before);
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
  EXPECT_EQ(host.Account().PluginFrees(), 0u);
}

// Every row of the plug-in's action table reaches its own routine: a page played through
// all seven by the table's numbers, each step showing what only its routine does.
TEST_F(Dispatch, EveryRowOfTheActionTableRunsItsOwnRoutine) {
  using duduve::ActionId;
  std::set<ActionId> reached;
  const auto exec = [&](ActionId id, std::initializer_list<std::optional<std::string>> texts) {
    reached.insert(id);
    return host.Exec(duduve::Number(id), texts);
  };
  const std::pair<const char*, Box> page[] = {{"Logo", kDesign},
                                              {"Tag", {100, 160, 50, 20}},
                                              {"Stage", {500, 20, 100, 50}},
                                              {"Frame", {20, 250, 100, 50}},
                                              {"Member", {30, 260, 20, 10}}};
  for (const auto& [name, box] : page) host.AddObject(name, box);

  EXPECT_EQ(exec(ActionId::SetDesignSize, {"640", "360"}), 1);
  for (const char* name : {"Logo", "Tag", "Stage"}) {
    EXPECT_EQ(exec(ActionId::RegisterObject, {name, "STRETCH", "STRETCH", "L", "T", "0", "0"}), 1);
  }
  EXPECT_EQ(exec(ActionId::PinObject, {"Tag", "Logo", "TL", "BL", "5", "0"}), 1);
  EXPECT_EQ(exec(ActionId::RegisterGroup, {"Frame", "Stage", "FILL", "Member"}), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), kDesign);
  EXPECT_TRUE(host.Variables().empty());

  // Everything doubles: Tag's top left sits on Logo's bottom left, 5 design pixels right;
  // the group fills Stage.
  EXPECT_EQ(exec(ActionId::Apply, {}), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
  EXPECT_EQ(host.ObjectBox("Tag"), (Box{210, 300, 100, 40}));
  EXPECT_EQ(host.ObjectBox("Stage"), (Box{1000, 40, 200, 100}));
  EXPECT_EQ(host.ObjectBox("Frame"), (Box{1000, 40, 200, 100}));
  EXPECT_EQ(host.ObjectBox("Member"), (Box{1020, 60, 40, 20}));
  EXPECT_EQ(host.VariableValue("[Duduve.ScaleX]"), "2.0000");

  EXPECT_EQ(exec(ActionId::InitDpi, {"sideways"}), 0);
  EXPECT_EQ(host.VariableValue("[Duduve.DPIError]"), "InitDPI: mode must be 'aware' or 'unaware'.");

  EXPECT_EQ(exec(ActionId::Clear, {}), 1);
  for (const auto& [name, box] : page) EXPECT_EQ(host.ObjectBox(name), box) << name;
  EXPECT_EQ(exec(ActionId::Apply, {}), 0);  // nothing registered any more

  EXPECT_EQ(reached.size(), duduve::ActionTable().size());
}

using DesignSize = Dispatch;

TEST_F(DesignSize, StoresTheCanvasTheApplyPassScalesAgainst) {
  RegisterLogo();
  EXPECT_EQ(host.Exec(1, {"640", "360"}), 1);
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
}

TEST_F(DesignSize, ReadsNumbersTheWayTheHostWritesThem) {
  RegisterLogo();
  // Each pair declares 640 x 360; a canvas of 1280 x 720 in between proves each was stored.
  const std::pair<const char*, const char*> spellings[] = {
      {"640px", "360px"},      {"$280", "$168"},       {" 640", "360 "}, {"640.9", "360.2"},
      {"\t640", "%101101000"}, {"+640", "4294967656"},  // 2^32 + 360 keeps its low 32 bits
  };
  for (const auto& [width, height] : spellings) {
    SCOPED_TRACE(std::string(width) + " x " + height);
    ASSERT_EQ(host.Exec(1, {"1280", "720"}), 1);
    ASSERT_EQ(host.Exec(3, nullptr), 1);
    ASSERT_EQ(host.ObjectBox("Logo"), kDesign);
    EXPECT_EQ(host.Exec(1, {width, height}), 1);
    EXPECT_EQ(host.Exec(3, nullptr), 1);
    EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
  }
}

TEST_F(DesignSize, AcceptsOneToEightThousandOneHundredNinetyTwoInclusive) {
  EXPECT_EQ(host.Exec(1, {"8192", "8192"}), 1);
  EXPECT_EQ(host.Exec(1, {"1", "1"}), 1);
  EXPECT_EQ(host.Exec(1, {"1280px", "720"}), 1);
  EXPECT_EQ(host.Exec(1, {"$500", "$2D0"}), 1);
}

TEST_F(DesignSize, RefusesWhatIsOutOfRangeUnreadableOrMissing) {
  const std::pair<std::optional<std::string>, std::optional<std::string>> refused[] = {
      {"8193", "720"},   {"1280", "8193"},      {"0", "720"},          {"1280", "0"},
      {"-1280", "720"},  {"1280", "-1"},        {"", "720"},           {"1280", ""},
      {"   ", "720"},    {"abc", "720"},        {"1280", "px720"},     {"1280\xE9", "720"},
      {"1280", "72\n0"}, {"12\x7F", "720"},     {std::nullopt, "720"}, {"1280", std::nullopt},
      {"- 5", "720"},    {"4294967296", "720"},  // 2^32: low 32 bits are 0
  };
  for (const auto& [width, height] : refused) {
    SCOPED_TRACE(width.value_or("(null)") + " x " + height.value_or("(null)"));
    EXPECT_EQ(host.Exec(1, {width, height}), 0);
  }
  EXPECT_EQ(host.Exec(1, nullptr), 0);
  EXPECT_TRUE(host.Variables().empty());
}

TEST_F(DesignSize, ARefusalKeepsTheEarlierCanvasEvenWhenOnlyTheHeightIsWrong) {
  RegisterLogo();
  ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
  EXPECT_EQ(host.Exec(1, {"1280", "0"}), 0);  // a valid width is not stored alone
  EXPECT_EQ(host.Exec(1, {"1280", "8193"}), 0);
  EXPECT_EQ(host.Exec(1, {"0", "720"}), 0);
  EXPECT_EQ(host.Exec(1, nullptr), 0);
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
}

TEST_F(DesignSize, WithoutACanvasApplyMovesNothing) {
  RegisterLogo();
  EXPECT_EQ(host.Exec(3, nullptr), 0);
  EXPECT_EQ(host.ObjectBox("Logo"), kDesign);
  EXPECT_TRUE(host.Variables().empty());
}

using Messages = Dispatch;

TEST_F(Messages, ResetForgetsTheLayoutWithoutMovingAnything) {
  RegisterLogo();
  ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.Message(1), 0);
  EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
  // Canvas and registry are gone: apply stops at its guards until both come back.
  EXPECT_EQ(host.Exec(3, nullptr), 0);
  ASSERT_EQ(host.Exec(1, {"1280", "720"}), 1);
  EXPECT_EQ(host.Exec(3, nullptr), 0);
  ASSERT_EQ(host.Exec(2, {"Logo", "STRETCH", "STRETCH", "L", "T", "0", "0"}), 1);
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  // The design rectangle was measured afresh, where the window stood.
  EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
}

TEST_F(Messages, ResetMakesTheNextApplyPublishAgainAtTheSameSize) {
  RegisterLogo();
  ASSERT_EQ(host.Exec(1, {"1280", "720"}), 1);
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  ASSERT_EQ(host.Variables().size(), 6u);
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.Variables().size(), 6u);  // nothing changed, nothing published
  host.Message(1);
  host.Exec(1, {"1280", "720"});
  host.Exec(2, {"Logo", "STRETCH", "STRETCH", "L", "T", "0", "0"});
  host.ClearRecords();
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  ASSERT_EQ(host.Variables().size(), 6u);
  EXPECT_EQ(host.Variables()[0].Name, "[Duduve.ScaleX]");
  EXPECT_EQ(host.Variables()[0].Value, "1.0000");
}

TEST_F(Messages, ReleasePutsObjectsBackAndForgetsTheCanvas) {
  RegisterLogo();
  ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.Message(2, 12345), 0);
  EXPECT_EQ(host.ObjectBox("Logo"), kDesign);
  ASSERT_EQ(host.Exec(2, {"Logo", "STRETCH", "STRETCH", "L", "T", "0", "0"}), 1);
  EXPECT_EQ(host.Exec(3, nullptr), 0);  // no canvas any more
  // A second release over empty collections is harmless.
  EXPECT_EQ(host.Message(2), 0);
}

TEST_F(Messages, OtherCodesChangeNothing) {
  RegisterLogo();
  ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
  for (int code : {0, 3, 4, 99, -1}) {
    EXPECT_EQ(host.Message(code, 1), 0) << code;
  }
  EXPECT_EQ(host.ObjectBox("Logo"), kDesign);
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
}

TEST_F(Messages, UnloadAfterAReleaseTouchesNoWindowAndLeavesNothingBehind) {
  RegisterLogo();
  ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  host.Message(2);
  ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
  ASSERT_EQ(host.Exec(2, {"Logo", "STRETCH", "STRETCH", "L", "T", "0", "0"}), 1);
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  const Box placed = host.ObjectBox("Logo");
  EXPECT_TRUE(host.Unload());
  EXPECT_EQ(host.ObjectBox("Logo"), placed);
  EXPECT_EQ(GetModuleHandleW(L"Duduve.dll"), nullptr);
}

}  // namespace
}  // namespace boundary_test
