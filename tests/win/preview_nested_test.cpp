// The preview on pages whose objects live inside containers: the pictures stack and cut them
// as windows inside windows show, the object under a point is the one drawn there, and the
// batch run and --check play them through the real Duduve.dll.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "nested_page.h"
#include "page_check.h"
#include "page_file.h"
#include "page_painter.h"
#include "preview_run.h"

namespace preview {
namespace {

using Rgb = std::array<int, 3>;

Rgb PixelAt(const Image& image, int x, int y) {
  const auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width) +
                   static_cast<std::size_t>(x)) *
                  3;
  return {image.Rgb[at], image.Rgb[at + 1], image.Rgb[at + 2]};
}

Page Parsed(const std::string& text) {
  Page page;
  const auto error = ParsePage(text, "nested.page", page);
  EXPECT_FALSE(error.has_value()) << error->Text();
  return page;
}

std::vector<standin::Box> DesignBoxes(const Page& page) {
  std::vector<standin::Box> boxes;
  for (const auto& object : page.Objects) {
    boxes.push_back({object.Left, object.Top, object.Width, object.Height});
  }
  return boxes;
}

// Box holds Inner, which reaches past Box's right edge and holds Deep; Over is listed after
// Inner but lies beside Box, so it stacks above Box and everything inside it.
constexpr char kStack[] = R"(page 100 60
object Box   10 10 40 30 colour=#c00000 label=""
object Inner 20 20 40 10 colour=#00c000 label="" in=Box
object Over  40  5 30 20 colour=#0000c0 label=""
object Deep  48 22  6  6 colour=#c0c000 label="" in=Inner
)";

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{192, 0, 0};
constexpr Rgb kGreen{0, 192, 0};
constexpr Rgb kBlue{0, 0, 192};
constexpr Rgb kYellow{192, 192, 0};

const struct {
  int X, Y;
  Rgb Colour;
  std::optional<std::size_t> Object;
  const char* What;
} kStackProbes[] = {
    {15, 15, kRed, 0, "the container alone"},
    {25, 25, kGreen, 1, "an object inside it, on top of it"},
    {55, 25, kWhite, std::nullopt, "past the container's edge the object inside is cut"},
    {45, 12, kBlue, 2, "a later object beside the container, over it"},
    {45, 22, kBlue, 2, "... and over what is inside it, though listed after it"},
    {49, 26, kYellow, 3, "depth 2, inside both containers"},
    {52, 26, kWhite, std::nullopt, "depth 2 is cut by its outer container too"},
    {5, 5, kWhite, std::nullopt, "nothing"},
};

TEST(PreviewNested, ObjectsInsideAContainerStackOnItAndAreCutToIt) {
  const Page page = Parsed(kStack);
  EXPECT_EQ(DrawingOrder(page), (std::vector<std::size_t>{0, 1, 3, 2}));
  const SizeRun size{{100, 60}, {}, DesignBoxes(page), {}};
  const Image image = PaintPage(page, size);
  ASSERT_EQ(image.Width, 100);
  for (const auto& probe : kStackProbes) {
    EXPECT_EQ(PixelAt(image, probe.X, probe.Y), probe.Colour)
        << probe.What << " at " << probe.X << ", " << probe.Y;
    EXPECT_EQ(TopmostObjectAt(page, size.Boxes, probe.X, probe.Y), probe.Object)
        << probe.What << " at " << probe.X << ", " << probe.Y;
  }
}

TEST(PreviewNested, GhostsShowWholeDesignRectanglesAlsoPastAContainersEdge) {
  const Page page = Parsed(kStack);
  std::vector<standin::Box> boxes = DesignBoxes(page);
  boxes[1].Top = 32;  // Inner has moved down, off its design rectangle
  const SizeRun size{{100, 60}, {}, boxes, {}};
  // The bottom edge of Inner's design rectangle, 38 pixels along: a dash, past Box's right edge.
  constexpr Rgb kDarkGreen{0, 125, 0};
  EXPECT_EQ(PixelAt(PaintPage(page, size, true), 58, 29), kDarkGreen);
  EXPECT_EQ(PixelAt(PaintPage(page, size, false), 58, 29), kWhite);
}

TEST(PreviewNested, DrawingOrderPutsEachContainersContentsRightAfterIt) {
  const Page page = Parsed(
      "page 10 10\n"
      "object A 0 0 5 5\n"
      "object C 0 0 5 5\n"
      "object B 0 0 5 5 in=A\n"
      "object D 0 0 5 5 in=B\n"
      "object E 0 0 5 5 in=a\n"
      "object F 0 0 5 5 in=C\n");
  EXPECT_EQ(DrawingOrder(page), (std::vector<std::size_t>{0, 2, 3, 4, 1, 5}));
}

// The nested page played twice, as it is and with every object a child of the host window.
class PreviewNestedRun : public ::testing::Test {
 protected:
  static std::vector<std::vector<standin::Box>> Play(const std::string& text) {
    standin::GlobalAccount::Instance().ClearFaults();
    Page page = Parsed(text);
    PreviewRun run;
    const auto failure =
        PlayPage(page, kSizes, standin::StandInHost::DefaultDllPath(), "nested.page", run);
    EXPECT_FALSE(failure.has_value()) << failure->Text;
    for (const auto& outcome : run.Enter) EXPECT_EQ(outcome.Result, 1) << outcome.Text;
    EXPECT_TRUE(run.Unloaded);
    EXPECT_EQ(run.Faults, "");
    std::vector<std::vector<standin::Box>> boxes;
    for (const auto& size : run.Sizes) boxes.push_back(size.Boxes);
    return boxes;
  }
  inline static const std::vector<WindowSize> kSizes = {
      {640, 360}, {1280, 720}, {960, 360}, {640, 480}};
};

TEST_F(PreviewNestedRun, EveryRuleGivesANestedObjectTheRectangleItGivesAChildOfTheWindow) {
  const Page page = Parsed(kNestedPage);
  const auto nested = Play(kNestedPage);
  const auto flat = Play(FlatPage(kNestedPage));
  ASSERT_EQ(nested.size(), kSizes.size());
  ASSERT_EQ(flat.size(), kSizes.size());
  EXPECT_EQ(flat[0], DesignBoxes(page)) << "the flat page is at its design at the design size";
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    const WindowSize& size = kSizes[i];
    ASSERT_EQ(nested[i].size(), page.Objects.size());
    for (std::size_t j = 0; j < page.Objects.size(); ++j) {
      EXPECT_EQ(nested[i][j], flat[i][j])
          << page.Objects[j].Name << " at " << size.Width << " x " << size.Height;
    }
  }
}

// The findings of a kind, in order.
std::vector<Finding> OfKind(const std::vector<Finding>& findings, Severity kind) {
  std::vector<Finding> chosen;
  for (const auto& finding : findings) {
    if (finding.Kind == kind) chosen.push_back(finding);
  }
  return chosen;
}

TEST(PreviewNestedCheck, TheNestedPageGivesNoWarningAndRemarksOnItsAnchorsThatChangeNothing) {
  const Page page = Parsed(kNestedPage);
  std::vector<Finding> findings;
  const auto failure =
      CheckPageFile(page, standin::StandInHost::DefaultDllPath(), "nested.page", findings);
  ASSERT_FALSE(failure) << failure->Text;
  // R on Side's STRETCH width, Badge's and Slot's UNIFORM widths, B on Shelf's STRETCH
  // height: each puts its object where L or T would.
  std::vector<int> remarked;
  for (const auto& finding : OfKind(findings, Severity::Remark)) remarked.push_back(finding.Line);
  EXPECT_EQ(OfKind(findings, Severity::Warning), std::vector<Finding>{})
      << FormatFindings("nested.page", findings);
  EXPECT_EQ(remarked, (std::vector<int>{18, 19, 21, 26}))
      << FormatFindings("nested.page", findings);
}

TEST(PreviewNestedCheck, ANestedObjectTheScriptMisnamesIsFound) {
  std::string text = kNestedPage;
  const std::string from = R"(Duduve_RegisterObject "Star")";
  text.replace(text.find(from), from.size(), R"(Duduve_RegisterObject "Starr")");
  const Page page = Parsed(text);
  std::vector<Finding> findings;
  ASSERT_FALSE(
      CheckPageFile(page, standin::StandInHost::DefaultDllPath(), "nested.page", findings));
  EXPECT_EQ(OfKind(findings, Severity::Warning),
            (std::vector<Finding>{
                {20,
                 "there is no object \"Starr\" on the page, so Duduve never measures it and never "
                 "moves it",
                 "correct the name: the page has \"Star\""}}))
      << FormatFindings("nested.page", findings);
}

}  // namespace
}  // namespace preview
