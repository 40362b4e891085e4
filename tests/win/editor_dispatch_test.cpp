// _nbEditAction's dispatch, host code re-entering the plug-in from inside an editor, an
// editor cut short by an exception, and the refusal box keeping the thread's other windows
// from taking input.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/action_table.h"
#include "editor_session.h"
#include "import_patch.h"
#include "window_driver.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kRegisterTitle = L"Duduve - Register Object";
constexpr int kNameBox = 200;
constexpr int kPick = 201;
constexpr int kOk = 208;
constexpr int kCancel = 209;

TEST(EditorDispatch, ActionsWithoutAnEditorReturnOneAndOpenNothing) {
  EditorHost host;
  standin::HostParams params{"keep", "these"};
  char* const first = params.Slot(0);
  for (int action : {3, 4, 0, 8, 9, -1}) {
    EXPECT_EQ(host.Host().Edit(action, params), 1) << action;
  }
  EXPECT_EQ(FindWindowW(nullptr, L"Duduve - Design Size"), nullptr);
  EXPECT_EQ(params.Slot(0), first);
  EXPECT_EQ(params.Text(0), "keep");
  EXPECT_EQ(params.Text(1), "these");
}

// Every row of the plug-in's action table opens its own editor, or none for an action
// without parameters.
TEST(EditorDispatch, EveryRowOfTheActionTableOpensItsOwnEditor) {
  using duduve::ActionId;
  const std::map<ActionId, const wchar_t*> titles = {
      {ActionId::SetDesignSize, L"Duduve - Design Size"},
      {ActionId::RegisterObject, kRegisterTitle},
      {ActionId::InitDpi, L"Duduve - DPI Awareness"},
      {ActionId::PinObject, L"Duduve - Pin Object"},
      {ActionId::RegisterGroup, L"Duduve - Register Group"},
  };
  EditorHost host;
  for (const auto& row : duduve::ActionTable()) {
    const auto title = titles.find(row.Id);
    SCOPED_TRACE(duduve::Number(row.Id));
    standin::HostParams params(std::vector<std::string>(row.Params.size()));
    bool opened = false;
    const int result = RunEdited(host.Host(), duduve::Number(row.Id), params, [&] {
      if (title == titles.end()) return;
      HWND editor = standin::WaitForWindow(nullptr, title->second);
      if (editor == nullptr) return;
      opened = true;
      PostMessageW(editor, WM_CLOSE, 0, 0);
      EXPECT_TRUE(standin::WaitForWindowGone(editor));
    });
    // Closed unconfirmed, an editor answers 0; an action without one answers 1 at once.
    EXPECT_EQ(opened, title != titles.end());
    EXPECT_EQ(result, title != titles.end() ? 0 : 1);
  }
}

TEST(EditorDispatch, NestedEditCallsAnswerZeroForAnEditorAndOneForActionsWithout) {
  EditorHost host;
  standin::HostParams params{"", "", "", "", "", "", ""};
  standin::HostParams nestedParams{"", "", "", "", "", "", ""};
  // Every action's nested answer, and whether a window other than the open editor showed.
  const std::vector<std::pair<int, int>> expected = {{1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 0},
                                                     {6, 0}, {7, 0}, {0, 1}, {8, 1}, {-1, 1}};
  std::vector<std::pair<int, int>> nested;
  std::atomic<bool> nestedWindow{true};
  // Straight through the export, as host code inside the editor's loop would call it.
  using EditExport = int(WINAPI*)(int, char**);
  const auto edit = reinterpret_cast<EditExport>(
      reinterpret_cast<void*>(GetProcAddress(host.Host().Module(), "_nbEditAction")));
  ASSERT_NE(edit, nullptr);
  host.DuringPick = [&](standin::StandInHost&) {
    for (const auto& [action, result] : expected) {
      nested.emplace_back(action, edit(action, nestedParams.Data()));
    }
    nestedWindow = FindWindowW(nullptr, L"Duduve - Design Size") != nullptr ||
                   FindWindowW(nullptr, L"Duduve - DPI Awareness") != nullptr;
  };
  const int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kRegisterTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Pick(editor, kPick, "Torch");
    EXPECT_EQ(nested, expected);
    EXPECT_FALSE(nestedWindow.load());
    EXPECT_EQ(FindWindowW(nullptr, kRegisterTitle), editor);
    EXPECT_EQ(Text(editor, kNameBox), L"Torch");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(0), "Torch");
  EXPECT_EQ(params.Text(1), "STRETCH");
  EXPECT_EQ(nestedParams.Text(0), "");
  // Once the first editor is gone, editing works again.
  const int again = RunEdited(host.Host(), 1, nestedParams, [] {
    HWND editor = WaitForEditor(L"Duduve - Design Size", 103);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(PressAndWaitClosed(editor, 102));
  });
  EXPECT_EQ(again, 1);
  EXPECT_EQ(nestedParams.Text(0), "1280");
}

TEST(EditorDispatch, TheReleaseMessageClosesAnOpenEditorWhichThenWritesNothing) {
  EditorHost host;
  standin::HostParams params{"Lamp", "", "", "", "", "", ""};
  char* const first = params.Slot(0);
  host.DuringPick = [](standin::StandInHost& plugin) { plugin.Message(2); };
  const int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kRegisterTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Host().SetPickAnswer("Torch");
    Press(editor, kPick);
    EXPECT_TRUE(standin::WaitForWindowGone(editor));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(params.Slot(0), first);
  EXPECT_EQ(params.Text(0), "Lamp");
  EXPECT_EQ(host.Picks(), 1);
}

// The plug-in's allocations through its msvcrt import of malloc, failing on demand.
std::atomic<int> allocationsToFail{0};
using MallocFunction = void*(__cdecl*)(std::size_t);
MallocFunction realMalloc = nullptr;

void* __cdecl FailingMalloc(std::size_t size) {
  if (allocationsToFail.load() > 0) {
    --allocationsToFail;
    return nullptr;
  }
  return realMalloc(size);
}

// Points the plug-in's malloc at FailingMalloc while it lives.
class FailableAllocations {
 public:
  explicit FailableAllocations(HMODULE plugin) : plugin_(plugin) {
    realMalloc = reinterpret_cast<MallocFunction>(standin::ReplaceImport(
        plugin, "msvcrt.dll", "malloc", reinterpret_cast<void*>(&FailingMalloc)));
  }
  ~FailableAllocations() {
    if (realMalloc != nullptr) {
      standin::ReplaceImport(plugin_, "msvcrt.dll", "malloc", reinterpret_cast<void*>(realMalloc));
    }
    allocationsToFail = 0;
  }
  FailableAllocations(const FailableAllocations&) = delete;
  FailableAllocations& operator=(const FailableAllocations&) = delete;
  bool Active() const { return realMalloc != nullptr; }

 private:
  HMODULE plugin_;
};

TEST(EditorDispatch, AnEditorEndingInAnExceptionReturnsZeroAndWritesNothing) {
  EditorHost host;
  FailableAllocations allocations(host.Host().Module());
  ASSERT_TRUE(allocations.Active());
  standin::HostParams params{"Lamp", "fixed", "", "", "", "", ""};
  char* const first = params.Slot(0);
  // The picked name is too long for a string's own buffer: taking it needs the heap.
  host.DuringPick = [](standin::StandInHost&) { allocationsToFail = 1; };
  const int result = RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kRegisterTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Host().SetPickAnswer("A name long enough to live on the heap");
    Press(editor, kPick);
    EXPECT_TRUE(standin::WaitForWindowGone(editor));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(allocationsToFail.load(), 0) << "the plug-in never asked for memory";
  EXPECT_EQ(host.Picks(), 1);
  EXPECT_EQ(params.Slot(0), first);
  EXPECT_EQ(params.Text(0), "Lamp");
  EXPECT_EQ(params.Text(1), "fixed");

  // Nothing is left marked as running: the next editor opens and confirms.
  host.DuringPick = nullptr;
  const int again = RunEdited(host.Host(), 2, params, [] {
    HWND editor = WaitForEditor(kRegisterTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(again, 1);
  EXPECT_EQ(params.Text(1), "FIXED");
}

TEST(EditorMessageBox, WhileARefusalIsShownTheThreadsOtherWindowsTakeNoInput) {
  EditorHost host;
  HWND hostWindow = host.Host().Window();
  // Another top-level window of the editor's thread, topmost, as a host's tool palette.
  HWND palette =
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Static", L"palette",
                      WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(palette, nullptr);
  standin::HostParams params{"", "", "", "", "", "", ""};
  RunEdited(host.Host(), 2, params, [&] {
    HWND editor = WaitForEditor(kRegisterTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(GetWindowLongW(palette, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "before the box";
    Press(editor, kOk);
    HWND box = standin::WaitForWindow(L"#32770", L"Duduve");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(standin::MessageBoxText(box), L"Object name required.");
    EXPECT_EQ(GetWindow(box, GW_OWNER), editor);
    EXPECT_FALSE(IsWindowEnabled(editor));
    EXPECT_FALSE(IsWindowEnabled(hostWindow));
    EXPECT_FALSE(IsWindowEnabled(palette));
    EXPECT_EQ(GetWindowLongW(palette, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // One button, OK.
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDNO), nullptr);
    standin::DismissMessageBox(box);
    EXPECT_TRUE(standin::WaitForWindowGone(box));
    Settle(editor);
    EXPECT_TRUE(IsWindowEnabled(editor));
    EXPECT_TRUE(IsWindowEnabled(hostWindow));
    EXPECT_TRUE(IsWindowEnabled(palette));
    // Wine 8 ignores HWND_TOPMOST for this thread's windows while the editor is active,
    // so the palette's return to the topmost band is not checked here.
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  DestroyWindow(palette);
}

}  // namespace
}  // namespace editor_test
