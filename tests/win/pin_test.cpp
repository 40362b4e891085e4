// Pins through the real exports, with real child windows of the host window.
#include "apply_fixture.h"

namespace apply_test {
namespace {

class PinPage : public PageFixture {
 protected:
  // A torch resolved at (500, 300, 80, 200) at every size and a 40 x 60 flame.
  void TorchAndFlame() {
    host.AddObject("Torch", {0, 0, 80, 200});
    host.AddObject("Flame", {700, 500, 40, 60});
    ASSERT_EQ(DesignSize(1280, 720), 1);
    ASSERT_EQ(Register({"Torch", "FIXED", "FIXED", "", "", "500", "300"}), 1);
    ASSERT_EQ(Register({"Flame"}), 1);
  }
};

TEST_F(PinPage, TheFlameSitsOnTheTorch) {
  TorchAndFlame();
  ASSERT_EQ(Pin({"Flame", "Torch"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Torch"), (Box{500, 300, 80, 200}));
  EXPECT_EQ(host.ObjectBox("Flame"), (Box{510, 210, 60, 90}));
}

TEST_F(PinPage, AScaledOffsetAndPointsInAnyCase) {
  TorchAndFlame();
  ASSERT_EQ(Pin({"flame", "TORCH", " bc ", "tc", "0", "-4"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Flame"), (Box{510, 204, 60, 90}));
  host.Resize(1280, 720);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Flame"), (Box{520, 236, 40, 60}));
}

TEST_F(PinPage, ChainsInBothOrders) {
  host.AddObject("C", {10, 10, 10, 10});
  host.AddObject("B", {50, 50, 4, 4});
  host.AddObject("A", {80, 80, 2, 2});
  host.AddObject("Q", {90, 90, 2, 2});
  ASSERT_EQ(DesignSize(100, 100), 1);
  host.Resize(100, 100);
  ASSERT_EQ(Register({"C"}), 1);
  ASSERT_EQ(Register({"A"}), 1);  // registered before its target B
  ASSERT_EQ(Register({"B"}), 1);
  ASSERT_EQ(Register({"Q"}), 1);  // registered after its target B
  ASSERT_EQ(Pin({"A", "B", "TL", "BR"}), 1);
  ASSERT_EQ(Pin({"B", "C", "TL", "BR"}), 1);
  ASSERT_EQ(Pin({"Q", "B", "TL", "BR"}), 1);
  ASSERT_EQ(Apply(), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("B"), (Box{20, 20, 4, 4}));
  EXPECT_EQ(host.ObjectBox("A"), (Box{80, 80, 2, 2}));
  EXPECT_EQ(host.ObjectBox("Q"), (Box{24, 24, 2, 2}));
}

TEST_F(PinPage, ASelfPinNeverMoves) {
  host.AddObject("Self", {30, 40, 50, 60});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Self"}), 1);
  ASSERT_EQ(Pin({"Self", "self"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Self"), (Box{30, 40, 50, 60}));
}

}  // namespace
}  // namespace apply_test
