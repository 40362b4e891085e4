// What the plug-in declares and hands over at start-up, as the host receives it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "boundary_fixture.h"
#include "core/action_table.h"

namespace boundary_test {
namespace {

using standin::BlockRole;

struct ExpectedAction {
  const char* Name;
  int Count;
  std::array<std::uint8_t, 7> Codes;
};

constexpr ExpectedAction kExpected[] = {
    {"Duduve_SetDesignSize", 2, {3, 3}},
    {"Duduve_RegisterObject", 7, {1, 1, 1, 1, 1, 3, 3}},
    {"Duduve_Apply", 0, {}},
    {"Duduve_Clear", 0, {}},
    {"Duduve_InitDPI", 1, {1}},
    {"Duduve_PinObject", 6, {1, 1, 1, 1, 3, 3}},
    {"Duduve_RegisterGroup", 4, {1, 1, 1, 1}},
};

const char* const kHelp[] = {
    "Declare the design canvas size you laid the page out at (e.g. 1280 720). Call once "
    "in Page Enter, first.",
    "Register an object. WMode/HMode: STRETCH (scale with window) | FIXED (keep size) | "
    "UNIFORM (aspect factor; use on both axes to keep shape). Blank inherits default "
    "policy. HAnchor L|C|R, VAnchor T|C|B. NudgeX/NudgeY: constant pixel fine-tune. Call "
    "after SetDesignSize, before Apply.",
    "Resolve every registered object to the current window size. Call at the end of Page "
    "Enter and from the Resized event.",
    "Restore objects to design-time geometry and empty the registry. Call at the top of "
    "Page Enter for safe re-entry.",
    "Set process DPI awareness. Mode = 'aware' (crisp high-DPI; only if ALL companion "
    "plugins are also aware) or 'unaware' (default; matches VNW/overlays). Call ONCE in "
    "StartupAction, before any page loads. Awareness is a one-time process latch and "
    "cannot change at runtime. Result in [Duduve.DPIAware] / [Duduve.DPIError].",
    "Pin a registered object to another object so it tracks that object at all "
    "resolutions. Name=object to pin, Target=object to pin to. SrcPoint=point on this "
    "object (e.g. BC=bottom-center), TgtPoint=point on target (e.g. TC=top-center). "
    "OffsetX/Y=design-pixel nudge (scaled). Call after both objects are registered, "
    "before Apply.",
    "Scale a set of objects as ONE unit into a registered target object's rect. "
    "GroupName=frame object (or a label when Members is given), TargetName=registered "
    "container, Mode=FIT (uniform, centered, no distortion) or FILL (stretches to fill). "
    "Members=object names separated by ';' (recommended), or blank to auto-collect "
    "everything inside the frame object's rect. Call after the target's RegisterObject, "
    "before Apply.",
};

constexpr char kHint[] =
    "Per-object responsive layout. Declare your design size, register each object with a "
    "per-axis policy (STRETCH/FIXED/UNIFORM) and anchor, then call Duduve_Apply from Page Enter "
    "and the Resized event.";

using Registration = LoadedPlugin;

TEST_F(Registration, DeclaresTheSevenActionsInOrderWithTheirTextsCodesAndCounts) {
  EXPECT_EQ(host.RegisterPlugIn(), 0);
  ASSERT_EQ(host.Actions().size(), 7u);
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(kExpected[i].Name);
    const auto& action = host.Actions()[static_cast<std::size_t>(i)];
    EXPECT_EQ(action.Id, i + 1);
    EXPECT_EQ(action.Name, kExpected[i].Name);
    EXPECT_EQ(action.Help, kHelp[i]);
    EXPECT_EQ(action.Count, kExpected[i].Count);
    EXPECT_EQ(action.Fifth, 0);
    // The first Count bytes hold the codes, every other byte of the 32 is zero.
    std::array<std::uint8_t, 32> codes{};
    for (int k = 0; k < kExpected[i].Count; ++k) {
      codes[static_cast<std::size_t>(k)] = kExpected[i].Codes[static_cast<std::size_t>(k)];
    }
    EXPECT_EQ(action.TypeCodes, codes);
  }
}

// The plug-in's own table, row by row, against what the host received.
TEST_F(Registration, DeclaresExactlyTheRowsOfTheActionTable) {
  const auto narrow = [](std::wstring_view text) { return std::string(text.begin(), text.end()); };
  host.RegisterPlugIn();
  const auto table = duduve::ActionTable();
  ASSERT_EQ(host.Actions().size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const auto& row = table[i];
    const auto& declared = host.Actions()[i];
    SCOPED_TRACE(declared.Name);
    EXPECT_EQ(declared.Id, duduve::Number(row.Id));
    EXPECT_EQ(duduve::FindAction(declared.Id), &row);
    EXPECT_EQ(declared.Name, narrow(row.Name));
    EXPECT_EQ(declared.Help, narrow(row.Help));
    EXPECT_EQ(declared.Count, static_cast<int>(row.Params.size()));
    std::array<std::uint8_t, 32> codes{};
    for (std::size_t k = 0; k < row.Params.size(); ++k) codes[k] = row.Params[k].TypeCode;
    EXPECT_EQ(declared.TypeCodes, codes);
  }
}

TEST_F(Registration, ActionTextsAreFourteenBlocksHandedOverForGoodThatStayReadable) {
  host.RegisterPlugIn();
  EXPECT_EQ(host.Account().PluginAllocations(), 14u);
  EXPECT_EQ(host.Account().PluginFrees(), 0u);
  EXPECT_EQ(host.Account().LiveCount(BlockRole::ActionText), 14u);
  // The host may keep the pointers: later calls leave the texts as they were.
  host.Exec(1, {"1280", "720"});
  host.Message(1);
  host.Message(2);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_STREQ(host.Actions()[i].NamePointer, kExpected[i].Name);
    EXPECT_STREQ(host.Actions()[i].HelpPointer, kHelp[i]);
  }
  EXPECT_EQ(host.FaultReport(), "");
}

TEST_F(Registration, ANullAddActionDeclaresNothingButKeepsTheVariableCallback) {
  EXPECT_EQ(host.RegisterPlugIn({.NullAddAction = true}), 0);
  EXPECT_TRUE(host.Actions().empty());
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
  // An unknown DPI mode reports through one host variable and nothing else.
  EXPECT_EQ(host.Exec(5, {"sideways"}), 0);
  ASSERT_EQ(host.Variables().size(), 1u);
  EXPECT_EQ(host.Variables()[0].Name, "[Duduve.DPIError]");
  EXPECT_EQ(host.Variables()[0].Value, "InitDPI: mode must be 'aware' or 'unaware'.");
}

TEST_F(Registration, WithoutAVariableCallbackSettingAVariableAllocatesNothing) {
  host.RegisterPlugIn({.NullSetVariable = true});
  host.Account().ResetCounters();
  EXPECT_EQ(host.Exec(5, {"sideways"}), 0);
  EXPECT_TRUE(host.Variables().empty());
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
}

TEST_F(Registration, AVariableIsSetWithTwoLentBlocksFreedWhenTheHostReturns) {
  host.RegisterPlugIn();
  host.Account().ResetCounters();
  host.Exec(5, {"sideways"});
  EXPECT_EQ(host.Account().PluginAllocations(), 2u);
  EXPECT_EQ(host.Account().PluginFrees(), 2u);
  EXPECT_EQ(host.Account().LiveCount(BlockRole::LentVariable), 0u);
  EXPECT_FALSE(host.Variables()[0].NameWasNull);
  EXPECT_FALSE(host.Variables()[0].ValueWasNull);
}

TEST_F(Registration, RegisteringTwiceDeclaresTheTableAgain) {
  host.RegisterPlugIn();
  host.RegisterPlugIn();
  ASSERT_EQ(host.Actions().size(), 14u);
  EXPECT_EQ(host.Actions()[7].Id, 1);
  EXPECT_EQ(host.Actions()[13].Name, "Duduve_RegisterGroup");
}

using StartupTexts = LoadedPlugin;

TEST_F(StartupTexts, HandsOverTitlePublisherAndHintAsBlocksTheHostOwns) {
  EXPECT_EQ(host.InitPlugIn(), 0);
  EXPECT_EQ(host.Startup().Title, "Duduve");
  EXPECT_EQ(host.Startup().Publisher, "Duduve Project");
  EXPECT_EQ(host.Startup().Hint, kHint);
  EXPECT_EQ(host.Account().PluginAllocations(), 3u);
  EXPECT_EQ(host.Account().LiveCount(BlockRole::StartupText), 3u);
}

TEST_F(StartupTexts, WritesOnlyThroughOutPointersThatAreNotNull) {
  EXPECT_EQ(host.InitPlugIn({.NullTitle = true, .NullHint = true}), 0);
  EXPECT_FALSE(host.Startup().Title.has_value());
  EXPECT_EQ(host.Startup().Publisher, "Duduve Project");
  EXPECT_FALSE(host.Startup().Hint.has_value());
  // Nothing is made for a text that cannot be handed over.
  EXPECT_EQ(host.Account().PluginAllocations(), 1u);
}

TEST_F(StartupTexts, WritesNothingThroughOutPointersInReadOnlyMemory) {
  standin::FencedMemory memory(standin::Fence::ReadOnly);
  char** readOnly = reinterpret_cast<char**>(memory.FenceStart());
  EXPECT_EQ(host.InitPlugIn({.TitleSlot = readOnly, .HintSlot = readOnly + 2}), 0);
  EXPECT_FALSE(host.Startup().Title.has_value());
  EXPECT_EQ(host.Startup().Publisher, "Duduve Project");
  EXPECT_FALSE(host.Startup().Hint.has_value());
  EXPECT_EQ(host.Account().PluginAllocations(), 1u);
  // The page is as it was, and the host window was kept: the plug-in works on.
  EXPECT_TRUE(memory.FenceIntact());
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(readOnly[i], nullptr) << i;
  host.RegisterPlugIn();
  host.RegisterInterfaceAccess();
  host.AddObject("Logo", {100, 50, 200, 100});
  ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
  ASSERT_EQ(host.Exec(2, {"Logo", "STRETCH", "STRETCH", "L", "T", "0", "0"}), 1);
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), (standin::Box{200, 100, 400, 200}));
}

TEST_F(StartupTexts, AllThreeOutPointersNullAndNoHostWindowAreHarmless) {
  EXPECT_EQ(
      host.InitPlugIn(
          {.NullHostWindow = true, .NullTitle = true, .NullPublisher = true, .NullHint = true}),
      0);
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
  // Without a host window the apply pass has nothing to fit.
  host.RegisterPlugIn();
  EXPECT_EQ(host.Exec(1, {"1280", "720"}), 1);
  EXPECT_EQ(host.Exec(3, nullptr), 0);
}

TEST_F(StartupTexts, TheOrderOfTheThreeStartUpCallsDoesNotMatter) {
  EXPECT_EQ(host.RegisterInterfaceAccess(), 0);
  EXPECT_EQ(host.InitPlugIn(), 0);
  EXPECT_EQ(host.RegisterPlugIn(), 0);
  EXPECT_EQ(host.Actions().size(), 7u);
  EXPECT_EQ(host.Startup().Title, "Duduve");
}

}  // namespace
}  // namespace boundary_test
