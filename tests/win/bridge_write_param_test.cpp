// Writing parameters back into the host's array: the design-size editor is confirmed with
// OK from a second thread, and the slots and the GlobalAlloc account are read afterwards.
// A slot's old block is freed only when it is a live GlobalAlloc block.
#include <windows.h>

#include <cstring>

#include "boundary_fixture.h"

namespace boundary_test {
namespace {

using standin::BlockRole;
using standin::Fence;
using standin::FencedMemory;

constexpr int kOkButton = 102;

class WriteParam : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    StartUp();
  }

  // Opens the design-size editor through `edit` and confirms it as it stands.
  template <typename Edit>
  int ConfirmEditor(Edit&& edit) {
    bool pressed = false;
    standin::BackgroundDriver driver([&] {
      HWND editor = standin::WaitForWindow(nullptr, L"Duduve - Design Size");
      if (editor == nullptr) return;
      pressed = standin::PressDialogButton(editor, kOkButton);
      if (!standin::WaitForWindowGone(editor)) PostMessageW(editor, WM_CLOSE, 0, 0);
    });
    const int result = edit();
    driver.Join();
    EXPECT_TRUE(pressed);
    return result;
  }

  int ConfirmEditor(char** params) {
    return ConfirmEditor([&] { return host.Edit(1, params); });
  }

  // The host claims the blocks written into its array.
  int ConfirmEditor(standin::HostParams& params) {
    return ConfirmEditor([&] { return host.Edit(1, params); });
  }
};

TEST_F(WriteParam, ReplacesLiveHostBlocksAndHandsTheNewOnesOver) {
  standin::HostParams params{"800", "600"};
  EXPECT_EQ(ConfirmEditor(params), 1);
  EXPECT_EQ(params.Text(0), "800");
  EXPECT_EQ(params.Text(1), "600");
  EXPECT_EQ(host.Account().PluginFrees(), 2u);
  EXPECT_EQ(host.Account().PluginAllocations(), 2u);
  EXPECT_EQ(host.Account().LiveCount(BlockRole::ParamWriteBack), 2u);
}

TEST_F(WriteParam, ANullSlotFreesNothingAndReceivesANewBlock) {
  standin::HostParams params{std::nullopt, "600"};
  EXPECT_EQ(ConfirmEditor(params), 1);
  EXPECT_EQ(params.Text(0), "1280");  // a blank width shows, and is written as, the default
  EXPECT_EQ(params.Text(1), "600");
  EXPECT_EQ(host.Account().PluginFrees(), 1u);
}

TEST_F(WriteParam, TextsThatAreNotGlobalAllocBlocksAreLeftAlone) {
  static char staticText[] = "640";
  FencedMemory pages(Fence::NoAccess);
  char* pageText = pages.PlaceBeforeFence(std::string_view("360", 4));
  standin::HostParams params{"1", "1"};
  params.SetSlot(0, staticText);
  params.SetSlot(1, pageText);
  EXPECT_EQ(ConfirmEditor(params), 1);
  EXPECT_EQ(params.Text(0), "640");
  EXPECT_EQ(params.Text(1), "360");
  EXPECT_STREQ(staticText, "640");
  EXPECT_STREQ(pageText, "360");
  // Freeing either would also show in the account as a free of an unknown block.
  EXPECT_EQ(host.Account().PluginFrees(), 0u);
  EXPECT_EQ(host.Account().PluginAllocations(), 2u);
}

TEST_F(WriteParam, ANullArrayIsNeitherReadNorWritten) {
  EXPECT_EQ(ConfirmEditor(static_cast<char**>(nullptr)), 1);
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
  EXPECT_EQ(host.Account().PluginFrees(), 0u);
}

TEST_F(WriteParam, SlotsInUnreadableOrReadOnlyMemoryAreSkipped) {
  FencedMemory unreadable(Fence::NoAccess);
  EXPECT_EQ(ConfirmEditor(reinterpret_cast<char**>(unreadable.FenceStart())), 1);
  EXPECT_TRUE(unreadable.FenceIntact());

  // Slots the host can read but not write: read as they are, never replaced.
  static char width[] = "800";
  static char height[] = "600";
  char* slots[2] = {width, height};
  FencedMemory readOnly(Fence::ReadOnly);
  auto* array = reinterpret_cast<char**>(readOnly.PlaceAcrossFence(
      "", std::string_view(reinterpret_cast<const char*>(slots), sizeof slots)));
  EXPECT_EQ(ConfirmEditor(array), 1);
  EXPECT_EQ(array[0], width);
  EXPECT_EQ(array[1], height);
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
}

}  // namespace
}  // namespace boundary_test
