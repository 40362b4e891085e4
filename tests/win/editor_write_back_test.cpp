// Every editor's OK hands its parameters back all or nothing. The plug-in's GlobalAlloc is made
// to fail at each parameter of each editor; the host's slots, its blocks and the GlobalAlloc
// account are read afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

using standin::BlockRole;

struct EditorCase {
  int ActionId = 0;
  const wchar_t* Title = L"";
  int OkButton = 0;
  int CancelButton = 0;
  std::vector<std::string> Old;      // the host's texts
  std::vector<std::string> Written;  // what OK writes for them when the author changes nothing
};

const std::vector<EditorCase>& Editors() {
  static const std::vector<EditorCase> editors = {
      {1, L"Duduve - Design Size", 102, 103, {"+800", "$258"}, {"800", "600"}},
      {2,
       L"Duduve - Register Object",
       208,
       209,
       {"Logo", "uniform", "keep", "c", "b", "+3", "-0"},
       {"Logo", "UNIFORM", "FIXED", "C", "B", "3", "0"}},
      {5, L"Duduve - DPI Awareness", 301, 302, {"1"}, {"aware"}},
      {6,
       L"Duduve - Pin Object",
       408,
       409,
       {"Flame", "Torch", "bl ", "xx", "+5", "2.9"},
       {"Flame", "Torch", "BL", "CC", "5", "2"}},
      {7,
       L"Duduve - Register Group",
       507,
       508,
       {"Frame", "Stage", "stretch", "A;B; "},
       {"Frame", "Stage", "FILL", "A;B;"}},
  };
  return editors;
}

class EditorWriteBack : public ::testing::Test {
 protected:
  EditorHost host;
  standin::GlobalAccount& account = host.Host().Account();

  // Opens the editor on `params` and presses OK with the plug-in's `failingAllocation`-th
  // GlobalAlloc from then on failing (0: none fails). Returns the editor's answer.
  int PressOk(const EditorCase& editor, standin::HostParams& params,
              std::size_t failingAllocation) {
    const int result = RunEdited(host.Host(), editor.ActionId, params, [&] {
      HWND window = WaitForEditor(editor.Title, editor.CancelButton);
      ASSERT_NE(window, nullptr);
      account.ResetCounters();
      account.FailPluginAllocation(failingAllocation);
      EXPECT_TRUE(PressAndWaitClosed(window, editor.OkButton));
    });
    account.FailPluginAllocation(0);
    return result;
  }

  static std::vector<char*> Blocks(const standin::HostParams& params) {
    std::vector<char*> blocks;
    for (std::size_t i = 0; i < params.Size(); ++i) blocks.push_back(params.Slot(i));
    return blocks;
  }
};

TEST_F(EditorWriteBack, AFailedAllocationAtAnyParameterLeavesEveryHostTextAsItWas) {
  for (const auto& editor : Editors()) {
    for (std::size_t failing = 1; failing <= editor.Old.size(); ++failing) {
      SCOPED_TRACE(testing::Message()
                   << "action " << editor.ActionId << ", allocation " << failing << " fails");
      standin::HostParams params(editor.Old);
      const auto oldBlocks = Blocks(params);
      EXPECT_EQ(PressOk(editor, params, failing), 0);
      EXPECT_EQ(Blocks(params), oldBlocks);
      for (std::size_t i = 0; i < params.Size(); ++i) {
        EXPECT_EQ(params.Text(i), editor.Old[i]) << "slot " << i;
        BlockRole role{};
        EXPECT_TRUE(account.RoleOf(oldBlocks[i], role) && role == BlockRole::HostParam)
            << "slot " << i << "'s block was freed";
      }
      // The blocks made before the failing one are freed again, and only they.
      EXPECT_EQ(account.PluginAllocations(), failing);
      EXPECT_EQ(account.PluginFrees(), failing - 1);
      EXPECT_EQ(account.LiveCount(BlockRole::PluginUnclaimed), 0u) << "a new block leaked";
    }
  }
}

TEST_F(EditorWriteBack, OkStoresEveryTextAndFreesEachOldBlockOnce) {
  for (const auto& editor : Editors()) {
    SCOPED_TRACE(testing::Message() << "action " << editor.ActionId);
    standin::HostParams params(editor.Old);
    const auto oldBlocks = Blocks(params);
    EXPECT_EQ(PressOk(editor, params, 0), 1);
    for (std::size_t i = 0; i < params.Size(); ++i) {
      EXPECT_EQ(params.Text(i), editor.Written[i]) << "slot " << i;
      EXPECT_FALSE(account.IsLive(oldBlocks[i])) << "slot " << i << "'s old block is alive";
    }
    // A second free of any block is a fault of the account, which RunEdited checks.
    EXPECT_EQ(account.PluginAllocations(), editor.Old.size());
    EXPECT_EQ(account.PluginFrees(), editor.Old.size());
    EXPECT_EQ(account.LiveCount(BlockRole::ParamWriteBack), editor.Old.size());
  }
}

}  // namespace
}  // namespace editor_test
