// Reading parameter texts out of host memory that is not to be trusted: texts that run into
// unreadable or guard pages, slots that lie in them, over-long texts and bytes outside
// printable ASCII. Observed through the design-size action: with the host window at
// 1280 x 720, a canvas of 640 x 360 doubles a STRETCH object, any other leaves it smaller.
#include <windows.h>

#include <cstring>
#include <string>

#include "boundary_fixture.h"

namespace boundary_test {
namespace {

using standin::Box;
using standin::Fence;
using standin::FencedMemory;

constexpr Box kDesign{100, 50, 200, 100};
constexpr Box kAtHalfCanvas{200, 100, 400, 200};

class ParamReads : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    StartUp();
    host.AddObject("Logo", kDesign);
    ASSERT_EQ(host.Exec(2, {"Logo", "STRETCH", "STRETCH", "L", "T", "0", "0"}), 1);
  }

  // Declares a canvas from two raw text pointers and reports where Logo lands.
  Box ApplyWith(char* width, char* height) {
    char* slots[2] = {width, height};
    return ApplyWith(slots);
  }

  // The same from a parameter array anywhere in memory.
  Box ApplyWith(char** params) {
    if (host.Exec(1, params) != 1) return {};
    host.Exec(3, nullptr);
    Box placed = host.ObjectBox("Logo");
    host.Exec(4, nullptr);  // back to the design rectangle for the next case
    return placed;
  }

  char kHeight[4] = "360";
};

TEST_F(ParamReads, ATextRunningIntoAnUnreadablePageEndsThere) {
  FencedMemory memory(Fence::NoAccess);
  EXPECT_EQ(ApplyWith(memory.PlaceBeforeFence("640"), kHeight), kAtHalfCanvas);
  EXPECT_TRUE(memory.FenceIntact());
}

TEST_F(ParamReads, ATextRunningIntoAGuardPageEndsThereAndLeavesTheGuardInPlace) {
  FencedMemory memory(Fence::Guard);
  EXPECT_EQ(ApplyWith(memory.PlaceBeforeFence("640"), kHeight), kAtHalfCanvas);
  // Touching the page would have raised its one-shot exception and cleared the guard.
  EXPECT_TRUE(memory.FenceIntact());
}

TEST_F(ParamReads, ATextCrossingIntoAReadableRegionOfAnotherKindIsReadWhole) {
  FencedMemory memory(Fence::ReadOnly);
  EXPECT_EQ(ApplyWith(memory.PlaceAcrossFence("6", std::string("40\0", 4)), kHeight),
            kAtHalfCanvas);
}

TEST_F(ParamReads, AnUnreadableTextIsEmptyAndRefused) {
  FencedMemory memory(Fence::NoAccess);
  char* slots[2] = {memory.FenceStart(), kHeight};
  EXPECT_EQ(host.Exec(1, slots), 0);
  FencedMemory guarded(Fence::Guard);
  slots[0] = guarded.FenceStart();
  EXPECT_EQ(host.Exec(1, slots), 0);
  EXPECT_TRUE(guarded.FenceIntact());
}

TEST_F(ParamReads, SlotsInUnreadableMemoryReadAsEmpty) {
  FencedMemory memory(Fence::NoAccess);
  // The whole array unreadable.
  EXPECT_EQ(host.Exec(1, reinterpret_cast<char**>(memory.FenceStart())), 0);
  // The first slot readable, the second in the fence.
  char width[] = "640";
  char* lastSlot = memory.FenceStart() - sizeof(char*);
  char* pointer = width;
  std::memcpy(lastSlot, &pointer, sizeof pointer);
  EXPECT_EQ(host.Exec(1, reinterpret_cast<char**>(lastSlot)), 0);
  // A slot that straddles the fence.
  EXPECT_EQ(host.Exec(1, reinterpret_cast<char**>(memory.FenceStart() - sizeof(char*) / 2)), 0);
  // Both slots readable, the second ending exactly where the fence begins: both are read.
  char* const pair[2] = {width, kHeight};
  char* lastTwo = memory.FenceStart() - sizeof pair;
  std::memcpy(lastTwo, pair, sizeof pair);
  EXPECT_EQ(ApplyWith(reinterpret_cast<char**>(lastTwo)), kAtHalfCanvas);
  // One byte later the second slot reaches one byte into the fence: it reads as empty.
  std::memcpy(lastTwo + 1, pair, sizeof pair - 1);
  EXPECT_EQ(host.Exec(1, reinterpret_cast<char**>(lastTwo + 1)), 0);
  EXPECT_TRUE(memory.FenceIntact());
}

TEST_F(ParamReads, AParameterIsReadAsItsFirst1024Bytes) {
  // 1024 readable characters, then 476 bytes that would empty the text if they were read.
  std::string width(1021, '0');
  width += "640";
  std::string longWidth = width + std::string(476, '\xE9');
  ASSERT_EQ(longWidth.size(), 1500u);
  standin::HostParams params{longWidth, "360"};
  EXPECT_EQ(host.Exec(1, params), 1);
  ASSERT_EQ(host.Exec(3, nullptr), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), kAtHalfCanvas);
  // The 1024th byte is still read: a foreign byte there empties the text.
  std::string spoiled = width.substr(0, 1023) + "\xE9" + std::string(476, '0');
  EXPECT_EQ(host.Exec(1, {spoiled, "360"}), 0);
  // A digit beyond the 1024th is not part of the number.
  EXPECT_EQ(host.Exec(1, {std::string(1024, '0') + "640", "360"}), 0);
}

TEST_F(ParamReads, ALineBreakAControlByteOrAByteAbove126EmptiesTheWholeText) {
  for (const char* width : {"640\r\n", "640\x01", "640\x7F", "640\x80",
                            "6\xE9"
                            "40",
                            "\n640"}) {
    SCOPED_TRACE(width);
    EXPECT_EQ(host.Exec(1, {width, "360"}), 0);
  }
  // A tab is text; the number parser skips it where it leads.
  EXPECT_EQ(host.Exec(1, {"\t640\t", "360"}), 1);
}

TEST_F(ParamReads, ReadingAllocatesNothing) {
  host.Account().ResetCounters();
  EXPECT_EQ(host.Exec(1, {"640", "360"}), 1);
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
  EXPECT_EQ(host.Account().PluginFrees(), 0u);
}

}  // namespace
}  // namespace boundary_test
