#pragma once
// A stand-in host with Duduve.dll loaded and started, page objects as real child windows,
// and shorthands for the layout actions. Every test ends by unloading the module and
// proving the GlobalAlloc account balanced.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stand_in_host.h"

namespace apply_test {

using standin::Box;
using Variables = std::vector<std::pair<std::string, std::string>>;

class PageFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Account().ClearFaults();
    ASSERT_TRUE(host.StartUp());
  }

  void TearDown() override {
    if (host.Loaded()) {
      EXPECT_TRUE(host.Unload());
    }
    EXPECT_EQ(host.FaultReport(), "");
  }

  int DesignSize(int width, int height) {
    return host.Exec(1, {std::to_string(width), std::to_string(height)});
  }
  // Parameters in action order: name, width mode, height mode, anchors, nudges.
  int Register(std::vector<std::string> params) {
    params.resize(7);
    standin::HostParams texts(params);
    return host.Exec(2, texts);
  }
  int Apply() {
    standin::HostParams none(std::vector<std::string>{});
    return host.Exec(3, none);
  }
  int Clear() {
    standin::HostParams none(std::vector<std::string>{});
    return host.Exec(4, none);
  }
  // name, target, own point, target point, offset X, offset Y.
  int Pin(std::vector<std::string> params) {
    params.resize(6);
    standin::HostParams texts(params);
    return host.Exec(6, texts);
  }

  Variables Published() const {
    Variables seen;
    for (const auto& set : host.Variables()) seen.emplace_back(set.Name, set.Value);
    return seen;
  }

  standin::StandInHost host{1280, 720};
};

}  // namespace apply_test
