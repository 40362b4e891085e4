// Leak accounting over long runs: after 10,000 apply passes and after 1,000 register/clear
// cycles, the plug-in holds no handle it made, every GlobalAlloc block it made is freed,
// and the process's USER and GDI counts and private bytes are back where they started.
// In the emulated i386 guest, where a pass costs about twenty-five times as much, the apply
// run is 2,000 passes: the exact counts of blocks and handles still catch one leak a pass,
// though the private-bytes margin below is then coarser than one block a pass.
//
// Margins: USER and GDI object counts must match exactly where the system reports them
// (under wine GetGuiResources is a stub, so the USER count is the process's windows and
// GDI is covered by the plug-in's own ledger); private bytes may grow by at most 256 KiB,
// the allocator's own slack, which is far below what one leaked block per pass would cost
// (10,000 passes x 16 bytes = 160 KiB of payload, over 600 KiB with the heap's headers).
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>

#include "fault_fixture.h"
#include "leak_meter.h"

namespace leak_test {
namespace {

using standin::Box;

constexpr std::size_t kPrivateBytesMargin = 256 * 1024;

// The guest's start-up script names itself in DUDUVE_GUEST.
int ApplyRunLength() {
  return GetEnvironmentVariableW(L"DUDUVE_GUEST", nullptr, 0) > 0 ? 2000 : 10000;
}

class LeakAccount : public fault_test::FaultPage {
 protected:
  void SetUp() override {
    FaultPage::SetUp();
    ResetLedger();
    ASSERT_GE(AttachLedger(host.Module()), 5);
  }

  void TearDown() override {
    FaultPage::TearDown();
    ResetLedger();
  }

  // Hidden objects (the layout is the same, and the run is not spent repainting): a target
  // with a fitted group, an object with a pin on it, in a small host window.
  void Page() {
    const std::pair<const char*, Box> objects[] = {{"Target", {10, 10, 60, 40}},
                                                   {"Logo", {80, 50, 20, 10}},
                                                   {"Flame", {85, 40, 4, 4}},
                                                   {"Frame", {100, 5, 40, 20}},
                                                   {"M", {105, 8, 10, 6}}};
    for (const auto& [name, box] : objects) ShowWindow(host.AddObject(name, box), SW_HIDE);
    host.Resize(240, 135);
    ASSERT_EQ(DesignSize(160, 90), 1);
    ASSERT_EQ(Register({"Target"}), 1);
    ASSERT_EQ(Register({"Logo", "UNIFORM", "UNIFORM", "R", "B"}), 1);
    ASSERT_EQ(Register({"Flame"}), 1);
    ASSERT_EQ(Pin({"Flame", "Logo"}), 1);
    ASSERT_EQ(Group({"Frame", "Target", "FIT", "M"}), 1);
  }

  // Apply passes whose scale alternates through the declared design size, so that every
  // pass publishes its six variables. Returns how many passes answered 1.
  int ApplyPasses(int count) {
    int ran = 0;
    for (int pass = 0; pass < count; ++pass) {
      if (pass % 2 == 0) {
        DesignSize(480, 270);
      } else {
        DesignSize(160, 90);
      }
      ran += Apply();
      Tidy(pass);
    }
    return ran;
  }

  // Register everything, pin, group, clear. Returns how many cycles went as expected.
  int RegisterClearCycles(int count) {
    int good = 0;
    for (int cycle = 0; cycle < count; ++cycle) {
      const int results = Register({"Target"}) + Register({"Logo", "FIXED"}) + Register({"Flame"}) +
                          Pin({"Flame", "Logo"}) + Group({"Frame", "Target", "FILL", "M"}) +
                          Clear();
      if (results == 6) ++good;
      Tidy(cycle);
    }
    return good;
  }

  // The stand-in host's own records are dropped now and then, so that they do not count
  // as the plug-in's growth.
  void Tidy(int step) {
    if (step % 100 != 99) return;
    host.ClearRecords();
    host.Account().ForgetDead();
  }

  void ExpectBackWhereItStarted(const char* run, const ProcessReading& before,
                                const ProcessReading& after) {
    std::printf("%s: before %s\n%s: after  %s\n", run, Describe(before).c_str(), run,
                Describe(after).c_str());
    EXPECT_EQ(after.UserObjects, before.UserObjects);
    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_LE(after.PrivateBytes, before.PrivateBytes + kPrivateBytesMargin)
        << "grew by " << (after.PrivateBytes - before.PrivateBytes) << " bytes";
    const auto handles = LedgerNow();
    EXPECT_EQ(handles.Total(), 0u)
        << handles.Batches << " batches, " << handles.DeviceContexts << " device contexts, "
        << handles.Fonts << " fonts, " << handles.Windows << " windows, " << handles.Accelerators
        << " accelerator tables still held";
    EXPECT_EQ(host.FaultReport(), "");
  }
};

TEST_F(LeakAccount, ALongRunOfApplyPasses) {
  Page();
  ASSERT_EQ(ApplyPasses(500), 500);  // the heap and the host's records settle first
  ASSERT_EQ(host.ObjectBox("Target"), (Box{15, 15, 90, 60}));

  const int passes = ApplyRunLength();
  host.Account().ResetCounters();
  const auto madeBefore = LedgerNow().Made;
  const auto before = ReadProcess();
  EXPECT_EQ(ApplyPasses(passes), passes);
  const auto after = ReadProcess();

  ExpectBackWhereItStarted((std::to_string(passes) + " apply passes").c_str(), before, after);
  // One deferred batch per pass, every one of them ended.
  EXPECT_GE(LedgerNow().Made - madeBefore, static_cast<std::size_t>(passes));
  // Six variables per pass, a name and a value block each, all freed by the plug-in.
  EXPECT_EQ(host.Account().PluginAllocations(), 12u * static_cast<std::size_t>(passes));
  EXPECT_EQ(host.Account().PluginFrees(), 12u * static_cast<std::size_t>(passes));
  EXPECT_EQ(host.ObjectBox("Target"), (Box{15, 15, 90, 60}));  // the last pass at 1.5
}

TEST_F(LeakAccount, AThousandRegisterClearCycles) {
  Page();
  ASSERT_EQ(Clear(), 1);
  ASSERT_EQ(RegisterClearCycles(100), 100);

  host.Account().ResetCounters();
  const auto before = ReadProcess();
  EXPECT_EQ(RegisterClearCycles(1000), 1000);
  const auto after = ReadProcess();

  ExpectBackWhereItStarted("1,000 register/clear cycles", before, after);
  // Every look-up lends one request and frees one answer.
  EXPECT_GT(host.Account().PluginAllocations(), 0u);
  EXPECT_EQ(host.Account().PluginFrees(), host.Account().PluginAllocations());
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{80, 50, 20, 10}));
}

}  // namespace
}  // namespace leak_test
