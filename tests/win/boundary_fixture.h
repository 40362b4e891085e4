#pragma once
// A stand-in host with Duduve.dll loaded and its GlobalAlloc imports counted. Every test
// ends by unloading the module and proving the account balanced: nothing lent for one
// call left alive, nothing freed twice, nothing handed over freed.
#include <gtest/gtest.h>

#include "stand_in_host.h"

namespace boundary_test {

class LoadedPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Account().ClearFaults();
    ASSERT_TRUE(host.Load());
    // Without all three the account would be blind to the plug-in's blocks.
    ASSERT_EQ(host.PatchedImports(), 3);
    host.Account().ResetCounters();
  }

  void TearDown() override {
    if (host.Loaded()) {
      EXPECT_TRUE(host.Unload());
    }
    EXPECT_EQ(host.FaultReport(), "");
  }

  // Registration, initialisation and interface access, as the host does at start-up.
  void StartUp() {
    host.RegisterPlugIn();
    host.InitPlugIn();
    host.RegisterInterfaceAccess();
    host.Account().ResetCounters();
  }

  standin::StandInHost host;
};

}  // namespace boundary_test
