#include "layout/restore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/context.h"
#include "fake_windows.h"
#include "plugin/dispatch.h"

namespace duduve::testing {
namespace {

// Logs every call that reaches a window, in order.
class RecordingWindows : public FakeWindowSystem {
 public:
  std::vector<std::string> Log;

  void MoveNow(WindowHandle window, const Rect& to) override {
    Log.push_back("move " + std::to_string(window));
    FakeWindowSystem::MoveNow(window, to);
  }
  bool IsWindow(WindowHandle window) override {
    Log.push_back("is-window " + std::to_string(window));
    return FakeWindowSystem::IsWindow(window);
  }
  bool WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) override {
    Log.push_back("read " + std::to_string(window));
    return FakeWindowSystem::WindowRectInHost(host, window, out);
  }
  void DrainMessages(WindowHandle host, int limit) override {
    Log.push_back("drain " + std::to_string(host) + " " + std::to_string(limit));
    if (OnDrain) OnDrain();
  }
  // A host script run by one of the drained messages.
  std::function<void()> OnDrain;
  // What the plug-in passes the release message to close an open editor.
  void CloseEditor() { Log.push_back("close-editor"); }
};

class Restore : public ::testing::Test {
 protected:
  Restore() { context.HostWindow = FakeWindowSystem::kHostWindow; }

  WindowHandle AddObject(const std::wstring& name, const Rect& rect) {
    const auto window = windows.AddChild(rect);
    host.Name(name, window);
    return window;
  }
  int Run(int action, std::vector<std::wstring> params = {}) {
    params.resize(7);
    return ExecuteAction(context, action, params);
  }

  // A page at 1.5 times its design size: objects, a pin and a group with a listed and
  // a collected member, all moved away from their design rectangles by one apply.
  void BuildAndApplyPage() {
    windows.SetClientSize(1920, 1080);
    ASSERT_EQ(Run(1, {L"1280", L"720"}), 1);
    for (const auto& [name, rect] : design) AddObject(name, rect);
    collected = windows.AddChild({620, 420, 30, 30});
    ASSERT_EQ(Run(2, {L"Stage"}), 1);
    ASSERT_EQ(Run(2, {L"Torch", L"FIXED", L"FIXED"}), 1);
    ASSERT_EQ(Run(2, {L"Flame"}), 1);
    ASSERT_EQ(Run(6, {L"Flame", L"Torch"}), 1);
    ASSERT_EQ(Run(7, {L"Panel", L"Stage", L"FIT", L""}), 1);
    ASSERT_EQ(Run(7, {L"Caption", L"Stage", L"FILL", L"Label"}), 1);
    ASSERT_EQ(Run(3), 1);
    for (const auto& [name, rect] : design) {
      ASSERT_NE(windows.RectOf(Window(name)), rect) << std::string(name.begin(), name.end());
    }
    ASSERT_NE(windows.RectOf(collected), (Rect{620, 420, 30, 30}));
  }

  WindowHandle Window(const std::wstring& name) {
    const auto answer = host.CallInterface(7, name);
    return static_cast<WindowHandle>(std::stoull(answer));
  }

  void ExpectEverythingAtDesign() {
    for (const auto& [name, rect] : design) {
      EXPECT_EQ(windows.RectOf(Window(name)), rect) << std::string(name.begin(), name.end());
    }
    EXPECT_EQ(windows.RectOf(collected), (Rect{620, 420, 30, 30}));
  }

  const std::vector<std::pair<std::wstring, Rect>> design = {{L"Stage", {100, 50, 400, 300}},
                                                             {L"Torch", {500, 300, 80, 200}},
                                                             {L"Flame", {520, 200, 40, 60}},
                                                             {L"Panel", {600, 400, 100, 80}},
                                                             {L"Label", {40, 600, 60, 20}}};
  WindowHandle collected = 0;
  RecordingWindows windows;
  FakeHost host;
  Context context{windows, host};
};

TEST_F(Restore, ClearOnAnEmptyRegistryDoesNothing) {
  EXPECT_EQ(Run(4), 1);
  EXPECT_EQ(Run(4), 1);
  EXPECT_TRUE(windows.Log.empty());
  EXPECT_EQ(host.InterfaceCalls, 0);
}

TEST_F(Restore, ClearPutsEveryObjectMemberAndFrameBackAndKeepsTheMemory) {
  BuildAndApplyPage();
  EXPECT_EQ(Run(4), 1);
  ExpectEverythingAtDesign();
  const auto& registry = context.Registry;
  EXPECT_TRUE(registry.Objects.empty());
  EXPECT_TRUE(registry.Groups.empty());
  EXPECT_EQ(registry.DesignRectCache.size(), 5u);
  EXPECT_EQ(registry.GroupCache.size(), 2u);
  EXPECT_EQ(registry.CanvasWidth, 1280);

  windows.Log.clear();
  EXPECT_EQ(Run(4), 1);
  EXPECT_TRUE(windows.Log.empty());

  // Registering again starts from the first measurements: the same layout as before.
  ASSERT_EQ(Run(2, {L"Stage"}), 1);
  ASSERT_EQ(Run(7, {L"Caption", L"Stage", L"FILL", L"Label"}), 1);
  ASSERT_EQ(Run(3), 1);
  EXPECT_EQ(windows.RectOf(Window(L"Stage")), (Rect{150, 75, 600, 450}));
  EXPECT_EQ(windows.RectOf(Window(L"Label")), (Rect{150, 75, 600, 450}));
}

TEST_F(Restore, ObjectsNeverMeasuredStayAndWindowsFoundLateAreKept) {
  ASSERT_EQ(Run(2, {L"Ghost"}), 1);
  const auto first = AddObject(L"Known", {10, 10, 20, 20});
  ASSERT_EQ(Run(2, {L"Known"}), 1);
  ASSERT_EQ(Run(4), 1);
  // Known is captured from memory but the host no longer names a window for it.
  host.Forget(L"Known");
  windows.Destroy(first);
  ASSERT_EQ(Run(2, {L"Known"}), 1);
  ASSERT_EQ(context.Registry.Objects[0].Window, 0u);
  const auto second = AddObject(L"Known", {300, 300, 5, 5});
  windows.Log.clear();
  EXPECT_EQ(Run(4), 1);
  EXPECT_EQ(windows.RectOf(second), (Rect{10, 10, 20, 20}));
  EXPECT_EQ(windows.Log, (std::vector<std::string>{"move " + std::to_string(second)}));
}

TEST_F(Restore, NothingThatWasNeverMeasuredIsMoved) {
  // Registered before the host could name any of their windows.
  ASSERT_EQ(Run(2, {L"Ghost"}), 1);
  ASSERT_EQ(Run(7, {L"Caption", L"Stage", L"", L"Late"}), 1);
  ASSERT_FALSE(context.Registry.Groups[0].HasBounds);
  AddObject(L"Ghost", {1, 2, 3, 4});
  AddObject(L"Late", {5, 6, 7, 8});
  AddObject(L"Caption", {9, 10, 11, 12});
  windows.Log.clear();
  EXPECT_EQ(Run(4), 1);
  EXPECT_TRUE(windows.Log.empty());
}

TEST_F(Restore, RememberedEmptyBoundsDoNotCollapseTheFrame) {
  ASSERT_EQ(Run(7, {L"Caption", L"Stage", L"", L"Late"}), 1);
  ASSERT_EQ(Run(4), 1);
  ASSERT_EQ(Run(7, {L"Caption", L"Stage", L"", L""}), 1);
  ASSERT_FALSE(context.Registry.Groups[0].HasBounds);
  const auto caption = AddObject(L"Caption", {9, 10, 11, 12});
  EXPECT_EQ(Run(4), 1);
  EXPECT_EQ(windows.RectOf(caption), (Rect{9, 10, 11, 12}));
}

TEST_F(Restore, GroupWindowsAreCheckedAndLookedUpByName) {
  AddObject(L"Stage", {0, 0, 10, 10});
  const auto panel = AddObject(L"Panel", {100, 100, 200, 100});
  const auto loose = windows.AddChild({110, 110, 20, 20});
  const auto named = AddObject(L"Title", {150, 110, 20, 20});
  ASSERT_EQ(Run(7, {L"Panel", L"Stage", L"", L""}), 1);
  ASSERT_EQ(Run(7, {L"Caption", L"Stage", L"", L"Title"}), 1);
  windows.Destroy(loose);
  windows.Destroy(named);
  windows.Destroy(panel);
  const auto newTitle = AddObject(L"Title", {0, 0, 1, 1});
  const auto newPanel = AddObject(L"Panel", {0, 0, 1, 1});
  EXPECT_EQ(Run(4), 1);
  EXPECT_EQ(windows.RectOf(newTitle), (Rect{150, 110, 20, 20}));
  EXPECT_EQ(windows.RectOf(newPanel), (Rect{100, 100, 200, 100}));
  for (const auto& entry : windows.Log) EXPECT_NE(entry, "move " + std::to_string(loose));
}

TEST_F(Restore, ReleaseClosesTheEditorRestoresDrainsAndForgetsEverything) {
  BuildAndApplyPage();
  windows.Log.clear();
  HandleMessage(context, 2, [this] { windows.CloseEditor(); });
  ExpectEverythingAtDesign();
  ASSERT_GE(windows.Log.size(), 3u);
  EXPECT_EQ(windows.Log.front(), "close-editor");
  EXPECT_EQ(windows.Log.back(), "drain 1 32");
  const auto& registry = context.Registry;
  EXPECT_TRUE(registry.Objects.empty());
  EXPECT_TRUE(registry.Groups.empty());
  EXPECT_TRUE(registry.DesignRectCache.empty());
  EXPECT_TRUE(registry.GroupCache.empty());
  EXPECT_EQ(registry.CanvasWidth, 0);
  EXPECT_EQ(registry.CanvasHeight, 0);
  EXPECT_FALSE(registry.ApplyInProgress);
  // The published factors stay, so nothing is republished at the same size.
  EXPECT_EQ(registry.LastScaleX, 1.5f);

  ASSERT_EQ(Run(2, {L"Stage"}), 1);
  EXPECT_EQ(Run(3), 0);
}

// The layout is forgotten before the host's pending messages run, so a page that a script run
// by one of them sets up stands: its design size is not wiped afterwards.
TEST_F(Restore, APageSetUpWhileReleaseDrainsMessagesStands) {
  BuildAndApplyPage();
  windows.OnDrain = [this] {
    EXPECT_EQ(Run(1, {L"1280", L"720"}), 1);
    EXPECT_EQ(Run(2, {L"Stage"}), 1);
  };
  HandleMessage(context, 2, [this] { windows.CloseEditor(); });
  EXPECT_EQ(context.Registry.CanvasWidth, 1280);
  EXPECT_EQ(context.Registry.Objects.size(), 1u);
  EXPECT_EQ(Run(3), 1);
}

TEST_F(Restore, ReleaseWithoutAHostWindowDrainsNothing) {
  context.HostWindow = 0;
  HandleMessage(context, 2, [this] { windows.CloseEditor(); });
  EXPECT_EQ(windows.Log, (std::vector<std::string>{"close-editor"}));
}

TEST_F(Restore, UnloadTouchesNoWindowAndAsksTheHostNothing) {
  BuildAndApplyPage();
  windows.Log.clear();
  const auto calls = host.InterfaceCalls;
  const auto moves = windows.Moves;
  context.UnloadingFlag = true;
  ReleasePass(context);
  EXPECT_TRUE(windows.Log.empty());
  EXPECT_EQ(windows.Moves, moves);
  EXPECT_EQ(host.InterfaceCalls, calls);
  EXPECT_TRUE(context.Registry.Objects.empty());
  EXPECT_TRUE(context.Registry.GroupCache.empty());
  EXPECT_EQ(context.Registry.CanvasWidth, 0);
}

}  // namespace
}  // namespace duduve::testing
