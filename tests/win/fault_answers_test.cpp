// A host that answers the window look-up (interface command 7) with garbage: texts that
// are no number, numbers that name no window, the host window itself, and windows that
// belong to another top-level window.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "fault_fixture.h"

namespace fault_test {
namespace {

// A second top-level window (WS_POPUP, so its client area is its window rectangle).
struct WindowCloser {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

OwnedWindow MakeWindow(DWORD style, const Box& box, HWND parent) {
  return OwnedWindow(CreateWindowExW(0, L"STATIC", L"", style | WS_VISIBLE, box.Left, box.Top,
                                     box.Width, box.Height, parent, nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
}

Box ScreenBox(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::string HandleText(HWND window) {
  return std::to_string(static_cast<long long>(reinterpret_cast<LONG_PTR>(window)));
}

class GarbageAnswers : public FaultPage, public ::testing::WithParamInterface<const char*> {
 protected:
  // The host's page: two objects on a 1280 x 720 canvas.
  void Page() {
    host.AddObject("Logo", {100, 50, 200, 100});
    host.AddObject("Title", {400, 300, 100, 50});
    ASSERT_EQ(DesignSize(1280, 720), 1);
  }
};

// Whatever the host says, no window is named: registration still succeeds, the pass runs
// and publishes, and no window moves.
TEST_P(GarbageAnswers, NameNoWindowAndMoveNothing) {
  Page();
  host.SetAnswerMode(standin::AnswerMode::Fixed);
  host.SetFixedAnswer(GetParam());
  EXPECT_EQ(Register({"Logo"}), 1);
  EXPECT_EQ(Register({"Title", "UNIFORM", "UNIFORM", "R", "B"}), 1);
  host.Resize(1920, 1080);
  host.ResetPaintCounters();
  EXPECT_EQ(Apply(), 1);
  EXPECT_EQ(host.VariableValue("[Duduve.ScaleX]"), "1.5000");
  EXPECT_EQ(host.VariableValue("[Duduve.ScaleY]"), "1.5000");
  EXPECT_EQ(host.RedrawOffCount(), 1);
  EXPECT_EQ(host.RedrawOnCount(), 1);
  EXPECT_EQ(Clear(), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{100, 50, 200, 100}));
  EXPECT_EQ(host.ObjectBox("Title"), (Box{400, 300, 100, 50}));

  // Once the host answers properly, the same names are placed.
  host.SetAnswerMode(standin::AnswerMode::Normal);
  EXPECT_EQ(Register({"Logo"}), 1);
  EXPECT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{150, 75, 300, 150}));
}

// Not a number; -1 (a handle no window has); 20 digits, whose low 32 bits, 0x630FFFFF,
// name no window; zero in hexadecimal; only spaces.
INSTANTIATE_TEST_SUITE_P(Texts, GarbageAnswers,
                         ::testing::Values("Logo", "abc", "-1", "99999999999999999999", "$0", "   ",
                                           "-"));

TEST_F(FaultPage, TheHostWindowItselfIsTreatedAsThePageObject) {
  host.SetAnswerMode(standin::AnswerMode::Fixed);
  host.SetFixedAnswer(HandleText(host.Window()));
  ASSERT_EQ(DesignSize(1280, 720), 1);
  // Measured in its own client coordinates: the whole client area.
  ASSERT_EQ(Register({"Stage"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  // Stretched to the client area it already has: it stays as it is.
  EXPECT_EQ(ScreenBox(host.Window()), (Box{0, 0, 1920, 1080}));
  EXPECT_EQ(host.ClientBox(), (Box{0, 0, 1920, 1080}));
  EXPECT_EQ(host.VariableValue("[Duduve.ScaleX]"), "1.5000");
  // The clear puts the "object" back to its design rectangle: the host's design size.
  ASSERT_EQ(Clear(), 1);
  EXPECT_EQ(host.ClientBox(), (Box{0, 0, 1280, 720}));
}

TEST_F(FaultPage, AnotherTopLevelWindowMovesInScreenPixels) {
  // The host window sits at the screen's origin, so its client pixels are screen pixels.
  auto other = MakeWindow(WS_POPUP, {1500, 100, 200, 100}, nullptr);
  ASSERT_NE(other, nullptr);
  host.AddObject("Logo", {100, 50, 200, 100});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Logo"}), 1);
  host.SetAnswerMode(standin::AnswerMode::Fixed);
  host.SetFixedAnswer(HandleText(other.get()));
  ASSERT_EQ(Register({"Elsewhere"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(ScreenBox(other.get()), (Box{2250, 150, 300, 150}));
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{150, 75, 300, 150}));
  ASSERT_EQ(Clear(), 1);
  EXPECT_EQ(ScreenBox(other.get()), (Box{1500, 100, 200, 100}));
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{100, 50, 200, 100}));
}

TEST_F(FaultPage, AChildOfAnotherTopLevelWindowLeavesThePageIntact) {
  auto other = MakeWindow(WS_POPUP, {1500, 100, 400, 300}, nullptr);
  auto child = MakeWindow(WS_CHILD, {10, 20, 50, 40}, other.get());
  ASSERT_NE(child, nullptr);
  host.AddObject("Logo", {100, 50, 200, 100});
  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Register({"Logo"}), 1);
  host.SetAnswerMode(standin::AnswerMode::Fixed);
  host.SetFixedAnswer(HandleText(child.get()));
  ASSERT_EQ(Register({"Stranger", "FIXED", "FIXED"}), 1);
  host.Resize(1920, 1080);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{150, 75, 300, 150}));
  ASSERT_EQ(Clear(), 1);
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{100, 50, 200, 100}));
  // Its own parent's coordinates are not the host's: only its size is sure to come back.
  const Box stranger = ScreenBox(child.get());
  EXPECT_EQ(stranger.Width, 50);
  EXPECT_EQ(stranger.Height, 40);
  EXPECT_TRUE(IsWindow(child.get()));
}

}  // namespace
}  // namespace fault_test
