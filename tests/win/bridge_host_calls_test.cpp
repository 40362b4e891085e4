// Asking the host for an object's window (interface command 7) and setting host variables,
// with every way the host may answer, and the GlobalAlloc blocks each way leaves behind.
// Registration asks the host for the window; the apply pass then moves what it was told.
#include <windows.h>

#include <string>

#include "boundary_fixture.h"

namespace boundary_test {
namespace {

using standin::AnswerMode;
using standin::BlockRole;
using standin::Box;

constexpr Box kDesign{100, 50, 200, 100};
constexpr Box kAtHalfCanvas{200, 100, 400, 200};

class HostCalls : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    StartUp();
    logo = host.AddObject("Logo", kDesign);
    ASSERT_EQ(host.Exec(1, {"640", "360"}), 1);
    host.Account().ResetCounters();
  }

  int Register(const std::string& name) {
    return host.Exec(2, {name, "STRETCH", "STRETCH", "L", "T", "0", "0"});
  }

  // Where Logo stands after one apply pass.
  Box LogoAfterApply() {
    host.Exec(3, nullptr);
    return host.ObjectBox("Logo");
  }

  std::string Decimal(HWND window) {
    return std::to_string(static_cast<long long>(reinterpret_cast<LONG_PTR>(window)));
  }

  HWND logo = nullptr;
};

TEST_F(HostCalls, TheHostIsAskedWithTheTrimmedNameInItsOwnCase) {
  ASSERT_EQ(Register("  lOGO  "), 1);
  ASSERT_EQ(host.InterfaceCalls().size(), 1u);
  EXPECT_EQ(host.InterfaceCalls()[0].Command, 7);
  EXPECT_EQ(host.InterfaceCalls()[0].Request, "lOGO");
  EXPECT_EQ(LogoAfterApply(), kAtHalfCanvas);
}

TEST_F(HostCalls, AnAnswerBlockOfTheHostIsFreedByThePlugInTheRequestByTheHost) {
  ASSERT_EQ(Register("Logo"), 1);
  EXPECT_EQ(host.Account().PluginAllocations(), 1u);  // the request
  EXPECT_EQ(host.Account().PluginFrees(), 1u);        // the answer
  EXPECT_EQ(host.Account().LiveCount(BlockRole::HostAnswer), 0u);
  EXPECT_EQ(host.Account().LiveCount(BlockRole::LentRequest), 0u);
  EXPECT_EQ(host.FaultReport(), "");
}

TEST_F(HostCalls, ASlotLeftUnchangedReturnsTheRequestTextItself) {
  host.SetAnswerMode(AnswerMode::Unchanged);
  // A name that begins with digits names the window with that number.
  ASSERT_EQ(Register(Decimal(logo) + " Box"), 1);
  EXPECT_EQ(host.Account().PluginAllocations(), 1u);
  EXPECT_EQ(host.Account().PluginFrees(), 1u);  // the request came back and was freed once
  EXPECT_EQ(LogoAfterApply(), kAtHalfCanvas);
}

TEST_F(HostCalls, ThreeDBoxAnsweredWithItselfAsksOnceAndLeavesNothingBehind) {
  host.SetAnswerMode(AnswerMode::Unchanged);
  ASSERT_EQ(Register("3D Box"), 1);
  ASSERT_EQ(host.InterfaceCalls().size(), 1u);
  EXPECT_EQ(host.InterfaceCalls()[0].Request, "3D Box");
  EXPECT_EQ(host.Account().PluginFrees(), 1u);
  EXPECT_EQ(LogoAfterApply(), kDesign);
}

TEST_F(HostCalls, AnEmptyAnswerOrANullSlotNamesNoWindow) {
  host.SetAnswerMode(AnswerMode::Empty);
  ASSERT_EQ(Register("Logo"), 1);
  EXPECT_EQ(host.Account().PluginFrees(), 1u);
  host.SetAnswerMode(AnswerMode::NullSlot);
  ASSERT_EQ(Register("Logo"), 1);
  EXPECT_EQ(host.Account().PluginFrees(), 1u);  // nothing came back to free
  EXPECT_EQ(host.Account().PluginAllocations(), 2u);
  EXPECT_EQ(LogoAfterApply(), kDesign);
  EXPECT_EQ(host.FaultReport(), "");
}

TEST_F(HostCalls, AnAnswerIsReadAsANumberFromItsStart) {
  host.SetAnswerMode(AnswerMode::Fixed);
  host.SetFixedAnswer("Logo");
  ASSERT_EQ(Register("Logo"), 1);
  EXPECT_EQ(LogoAfterApply(), kDesign);
  host.SetFixedAnswer("  " + Decimal(logo) + "\xE9 window");
  ASSERT_EQ(Register("Logo"), 1);
  EXPECT_EQ(LogoAfterApply(), kAtHalfCanvas);
}

TEST_F(HostCalls, WithoutAnInterfaceFunctionNothingIsAskedOrAllocated) {
  host.RegisterInterfaceAccess(true);
  host.Account().ResetCounters();
  ASSERT_EQ(Register("Logo"), 1);
  EXPECT_TRUE(host.InterfaceCalls().empty());
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
  EXPECT_EQ(LogoAfterApply(), kDesign);
}

TEST_F(HostCalls, AnObjectTheHostCannotNameYetIsPlacedOnceItCan) {
  ASSERT_EQ(Register("Later"), 1);
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  host.AddObject("Later", {10, 20, 30, 40});
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.ObjectBox("Later"), (Box{20, 40, 60, 80}));
}

TEST_F(HostCalls, PublishedVariablesAreLentAndFreedOneCallAtATime) {
  ASSERT_EQ(Register("Logo"), 1);
  host.Account().ResetCounters();
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  ASSERT_EQ(host.Variables().size(), 6u);
  EXPECT_EQ(host.Variables()[0].Name, "[Duduve.ScaleX]");
  EXPECT_EQ(host.Variables()[0].Value, "2.0000");
  EXPECT_EQ(host.Account().PluginAllocations(), 12u);
  EXPECT_EQ(host.Account().PluginFrees(), 12u);
  EXPECT_EQ(host.Account().LiveCount(BlockRole::LentVariable), 0u);
}

TEST_F(HostCalls, CallbacksThatCallThePlugInAgainLeaveTheAccountBalanced) {
  int nested = -1;
  host.OnInterfaceAccess = [&](standin::StandInHost& self) {
    self.OnInterfaceAccess = nullptr;
    nested = self.Exec(1, {"1280", "720"});
  };
  ASSERT_EQ(Register("Logo"), 1);
  EXPECT_EQ(nested, 1);
  int applied = -1;
  host.OnSetVariable = [&](standin::StandInHost& self) {
    self.OnSetVariable = nullptr;
    applied = self.Exec(3, nullptr);  // a pass is running: the nested one stops at once
  };
  EXPECT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(applied, 0);
  EXPECT_EQ(host.ObjectBox("Logo"), kDesign);  // the canvas is 1280 x 720 now
  EXPECT_EQ(host.FaultReport(), "");
}

}  // namespace
}  // namespace boundary_test
