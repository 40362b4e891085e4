#pragma once
// A page for the fault scenarios: the plug-in loaded into the stand-in host, page objects
// as real child windows, and shorthands for every action. Each scenario ends by unloading
// the module and proving the GlobalAlloc account balanced: nothing lent left alive,
// nothing freed twice, and no block of any kind still live once the module is gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apply_fixture.h"

namespace fault_test {

using standin::Box;

class FaultPage : public apply_test::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    // Without all three imports the account would be blind to the plug-in's blocks.
    ASSERT_EQ(host.PatchedImports(), 3);
  }

  void TearDown() override {
    host.OnSetVariable = nullptr;
    host.OnInterfaceAccess = nullptr;
    host.OnObjectMoved = nullptr;
    PageFixture::TearDown();
    EXPECT_TRUE(host.Account().LiveBlocks().empty())
        << host.Account().LiveBlocks().size() << " blocks still live after unload";
  }

  // Group name, target name, mode, members.
  int Group(std::vector<std::string> params) {
    params.resize(4);
    standin::HostParams texts(params);
    return host.Exec(7, texts);
  }

  // An action through a null parameter array, as the host may pass for Apply and Clear.
  int ExecBare(int actionId) { return host.Exec(actionId, static_cast<char**>(nullptr)); }
};

}  // namespace fault_test
