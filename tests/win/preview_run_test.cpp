// One whole preview run through the real Duduve.dll in the stand-in host: page entry, two
// window sizes, and the printed rectangles checked against hand-computed values.
#include "preview_run.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "file_output.h"
#include "page_file.h"
#include "preview_report.h"
#include "stand_in_host.h"

namespace preview {
namespace {

// Design 1280 x 720. The group's three members span (10, 20, 200, 100).
constexpr char kPage[] = R"(page 1280 720
object Card    100  50 200 100
object Logo    100  50 200 100 kind=image
object Side    100  50 200 100
object Corner 1100 640 160  60 kind=button
object Torch     0   0  80 200
object Flame   700 500  40  60
object Box     100  50 400 300 kind=panel
object A        10  20  40  30
object B       170  90  40  30
object M        30  40  50  20
on enter
Duduve_Clear
Duduve_SetDesignSize "1280" "720"
Duduve_RegisterObject "Card" "STRETCH" "STRETCH" "L" "T" "0" "0"
Duduve_RegisterObject "Logo" "UNIFORM" "UNIFORM" "L" "T" "0" "0"
Duduve_RegisterObject "Side" "STRETCH" "FIXED" "R" "T" "0" "0"
Duduve_RegisterObject "Corner" "FIXED" "FIXED" "R" "B" "0" "0"
Duduve_RegisterObject "Torch" "FIXED" "FIXED" "L" "T" "500" "300"
Duduve_RegisterObject "Flame" "" "" "" "" "0" "0"
Duduve_PinObject "Flame" "Torch" "" "" "0" "0"
Duduve_RegisterObject "Box" "FIXED" "FIXED" "L" "T" "0" "0"
Duduve_RegisterGroup "Set" "Box" "FIT" "A;B;M"
Duduve_Apply
)";

constexpr char kTableAt1920x1080[] = R"(
Window 1920 x 1080 (16:9)
  Duduve_Apply                                                     -> 1
  Object   Left    Top  Width Height
  Card      150     75    300    150
  Logo      150     75    300    150
  Side      150     75    300    100
  Corner   1730    990    160     60
  Torch     500    300     80    200
  Flame     510    210     60     90
  Box       150     75    400    300
  A         150    125     80     60
  B         470    265     80     60
  M         190    165    100     40
  Host variables set:
    [Duduve.ScaleX]      = 1.5000
    [Duduve.ScaleY]      = 1.5000
    [Duduve.Uniform]     = 1.5000
    [Duduve.FontScale]   = 1.5000
)";

constexpr char kTableAt1920x720[] = R"(
Window 1920 x 720 (2.67:1)
  Duduve_Apply                                                     -> 1
  Object   Left    Top  Width Height
  Card      150     50    300    100
  Logo      420     50    200    100
  Side      150     50    300    100
  Corner   1730    640    160     60
  Torch     500    300     80    200
  Flame     520    240     40     60
  Box       150     50    400    300
  A         150    100     80     60
  B         470    240     80     60
  M         190    140    100     40
  Host variables set:
    [Duduve.ScaleX]      = 1.5000
    [Duduve.ScaleY]      = 1.0000
    [Duduve.Uniform]     = 1.0000
    [Duduve.FontScale]   = 1.0000
)";

TEST(PreviewRun, PrintsEveryRectangleAndTheHostVariablesAtEachSize) {
  standin::GlobalAccount::Instance().ClearFaults();
  Page page;
  ASSERT_FALSE(ParsePage(kPage, "test.page", page));
  PreviewRun run;
  const auto failure = PlayPage(page, {{1920, 1080}, {1920, 720}, {1920, 720}},
                                standin::StandInHost::DefaultDllPath(), "test.page", run);
  ASSERT_FALSE(failure.has_value()) << failure->Text;
  EXPECT_TRUE(run.Unloaded);
  EXPECT_EQ(run.Faults, "");
  ASSERT_EQ(run.Enter.size(), 12u);
  for (const auto& outcome : run.Enter) EXPECT_EQ(outcome.Result, 1) << outcome.Text;

  const std::string report = FormatRun(page, run);
  EXPECT_TRUE(
      report.starts_with("Page entry, window 1280 x 720 (16:9)\n"
                         "  Duduve_Clear                                              "
                         "       -> 1\n"))
      << report;
  EXPECT_NE(report.find(kTableAt1920x1080), std::string::npos) << report;
  EXPECT_NE(report.find(kTableAt1920x720), std::string::npos) << report;
  // The third size repeats the second: everything moves again, nothing is published.
  EXPECT_TRUE(
      report.ends_with("  M         190    140    100     40\n"
                       "  Host variables: none set (the factors and the DPI did not change)\n"))
      << report;
}

TEST(PreviewRun, AnActionThePlugInDoesNotDeclareIsAPageError) {
  Page page;
  ASSERT_FALSE(ParsePage("page 100 100\nobject A 0 0 5 5\n\nDuduve_Refresh\n", "x.page", page));
  PreviewRun run;
  const auto failure =
      PlayPage(page, {{200, 200}}, standin::StandInHost::DefaultDllPath(), "x.page", run);
  ASSERT_TRUE(failure.has_value());
  EXPECT_TRUE(failure->InPageFile);
  EXPECT_EQ(failure->Text,
            "x.page:4: expected one of the plug-in's actions (Duduve_SetDesignSize, "
            "Duduve_RegisterObject, Duduve_Apply, Duduve_Clear, Duduve_InitDPI, "
            "Duduve_PinObject, Duduve_RegisterGroup), found \"Duduve_Refresh\"");
  EXPECT_TRUE(run.Sizes.empty());
}

TEST(PreviewRun, AMissingPlugInIsReportedNotRun) {
  Page page;
  ASSERT_FALSE(ParsePage("page 100 100\nobject A 0 0 5 5\n", "x.page", page));
  PreviewRun run;
  const auto failure = PlayPage(page, {{200, 200}}, L"C:\\nowhere\\Duduve.dll", "x.page", run);
  ASSERT_TRUE(failure.has_value());
  EXPECT_FALSE(failure->InPageFile);
  EXPECT_EQ(failure->Text, "could not load C:\\nowhere\\Duduve.dll or find its seven entry points");
}

class PreviewFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"duduve-preview-test-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(MakeFolders(folder_ + L"\\a\\b"));
  }
  void TearDown() override {
    for (const wchar_t* name : {L"\\a\\b\\one.png", L"\\a\\b\\one.png.part"}) {
      DeleteFileW((folder_ + name).c_str());
    }
    RemoveDirectoryW((folder_ + L"\\a\\b").c_str());
    RemoveDirectoryW((folder_ + L"\\a").c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  bool Exists(const std::wstring& name) const {
    return GetFileAttributesW((folder_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::wstring folder_;
};

TEST_F(PreviewFiles, AllOrNothing) {
  const std::wstring one = folder_ + L"\\a\\b\\one.png";
  const std::wstring lost = folder_ + L"\\missing\\two.png";
  EXPECT_EQ(WriteAllOrNothing({{one, {1, 2, 3}}, {lost, {4}}}), lost);
  EXPECT_FALSE(Exists(L"\\a\\b\\one.png"));
  EXPECT_FALSE(Exists(L"\\a\\b\\one.png.part"));

  EXPECT_EQ(WriteAllOrNothing({{one, {1, 2, 3}}}), std::nullopt);
  EXPECT_EQ(ReadWholeFile(one), std::string("\x01\x02\x03"));
  EXPECT_FALSE(Exists(L"\\a\\b\\one.png.part"));
}

}  // namespace
}  // namespace preview
