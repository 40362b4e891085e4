// The preview's design ghosts, pixel by pixel: a tinted design rectangle under the objects,
// its dashed outline over them, the design page dashed around it, and none of it by default.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "page_file.h"
#include "page_painter.h"
#include "preview_options.h"

namespace preview {
namespace {

using Rgb = std::array<int, 3>;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{192, 0, 0};
constexpr Rgb kDarkRed{125, 0, 0};      // the red 35% toward black: outlines and ghost dashes
constexpr Rgb kPaleRed{246, 217, 217};  // the red 85% toward white: the vacated design area
constexpr Rgb kBlue{0, 0, 192};
constexpr Rgb kDarkBlue{0, 0, 125};
constexpr Rgb kDesignPage{170, 170, 170};

Rgb PixelAt(const Image& image, int x, int y) {
  const auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width) +
                   static_cast<std::size_t>(x)) *
                  3;
  return {image.Rgb[at], image.Rgb[at + 1], image.Rgb[at + 2]};
}

// Designed at 100 x 60; shown at 120 x 80. Moved leaves its design rectangle (10, 10, 30, 20)
// for (60, 40); Cover grows from (50, 5, 20, 10) over its own design rectangle.
class PreviewGhosts : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(
        ParsePage("page 100 60\n"
                  "object Moved 10 10 30 20 colour=#c00000 label=\"\"\n"
                  "object Cover 50  5 20 10 colour=#0000c0 label=\"\"\n",
                  "ghost.page", page_));
    size_ = SizeRun{{120, 80}, {}, {{60, 40, 30, 20}, {45, 0, 40, 30}}, {}};
  }
  Page page_;
  SizeRun size_;
};

TEST_F(PreviewGhosts, DashedDesignRectanglesOverTintedOnes) {
  const Image image = PaintPage(page_, size_, true);
  ASSERT_EQ(image.Width, 120);
  ASSERT_EQ(image.Height, 80);
  struct Probe {
    int X, Y;
    Rgb Expected;
    const char* What;
  };
  // Dashes are 4 pixels on, 3 off, from each edge's top or left end.
  const Probe probes[] = {
      {10, 10, kDarkRed, "ghost corner: a dash"},
      {13, 10, kDarkRed, "last pixel of the first dash"},
      {14, 10, kPaleRed, "first gap on the top edge shows the tint"},
      {16, 10, kPaleRed, "last pixel of the first gap"},
      {17, 10, kDarkRed, "second dash"},
      {21, 10, kPaleRed, "second gap"},
      {10, 14, kPaleRed, "first gap on the left edge"},
      {39, 29, kDarkRed, "bottom-right corner: 29 pixels in, a dash"},
      {25, 20, kPaleRed, "inside the design rectangle"},
      {40, 20, kWhite, "right of the design rectangle"},
      {60, 40, kDarkRed, "the placed object's own outline"},
      {70, 50, kRed, "inside the placed object"},
      {50, 5, kDarkBlue, "a ghost dash drawn over its object"},
      {54, 5, kBlue, "a gap over the object shows the object, not the tint"},
      {0, 0, kDesignPage, "design page corner"},
      {4, 0, kWhite, "design page gap"},
      {99, 59, kDesignPage, "design page's far corner"},
      {100, 59, kWhite, "beyond the design page"},
      {115, 75, kWhite, "background"},
  };
  for (const auto& probe : probes) {
    EXPECT_EQ(PixelAt(image, probe.X, probe.Y), probe.Expected)
        << probe.What << " at " << probe.X << ", " << probe.Y;
  }
}

TEST_F(PreviewGhosts, NoneUnlessAskedFor) {
  const Image image = PaintPage(page_, size_);
  const std::pair<int, int> ghostPixels[] = {{10, 10}, {25, 20}, {0, 0}, {99, 59}};
  for (const auto& [x, y] : ghostPixels) {
    EXPECT_EQ(PixelAt(image, x, y), kWhite) << x << ", " << y;
  }
  EXPECT_EQ(PixelAt(image, 50, 5), kBlue);
  EXPECT_EQ(PixelAt(image, 70, 50), kRed);
}

TEST(PreviewGhostsOption, OffUnlessGiven) {
  Options options;
  ASSERT_FALSE(ParseArguments({L"castle.page", L"--no-sheet"}, options));
  EXPECT_FALSE(options.Ghosts);
  ASSERT_FALSE(ParseArguments({L"--ghosts", L"castle.page"}, options));
  EXPECT_TRUE(options.Ghosts);
  EXPECT_TRUE(options.Sheet);
}

}  // namespace
}  // namespace preview
