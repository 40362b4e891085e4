// The DPI editor: any spelling of the mode opens on Aware or Unaware and comes back
// as "aware" or "unaware".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kTitle = L"Duduve - DPI Awareness";
constexpr int kModeList = 300;
constexpr int kOk = 301;
constexpr int kCancel = 302;

struct ModeCase {
  const char* Mode;
  int Position;
  const char* Written;
};

class EditorDpiAwareness : public ::testing::TestWithParam<ModeCase> {
 protected:
  EditorHost host;
};

TEST_P(EditorDpiAwareness, ModeOpensOnItsEntryAndOkWritesTheCanonicalWord) {
  const auto& mode = GetParam();
  standin::HostParams params{mode.Mode};
  const int result = RunEdited(host.Host(), 5, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Chosen(editor, kModeList), mode.Position);
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(0), mode.Written);
}

INSTANTIATE_TEST_SUITE_P(EditorDpiModes, EditorDpiAwareness,
                         ::testing::Values(ModeCase{"", 0, "unaware"},
                                           ModeCase{" AWARE", 1, "aware"},
                                           ModeCase{"1", 1, "aware"}, ModeCase{"0", 0, "unaware"},
                                           ModeCase{"Unaware", 0, "unaware"},
                                           ModeCase{"crisp", 0, "unaware"}));

TEST(EditorDpiChoice, EntriesAreTheTwoModesAndAChoiceIsWrittenCancelIsNot) {
  EditorHost host;
  standin::HostParams params{"unaware"};
  int result = RunEdited(host.Host(), 5, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(
        Entries(editor, kModeList),
        (std::vector<std::wstring>{L"Unaware (default -- matches VNW + overlays/particles)",
                                   L"Aware (crisp high-DPI -- only if ALL plugins are aware)"}));
    SaveScreenshot(editor, L"dpi-awareness");
    Choose(editor, kModeList, 1);
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(params.Text(0), "unaware");

  result = RunEdited(host.Host(), 5, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    Choose(editor, kModeList, 1);
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(0), "aware");
}

}  // namespace
}  // namespace editor_test
