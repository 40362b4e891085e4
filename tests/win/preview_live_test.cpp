// The live preview window through the real Duduve.dll: it runs on the test's thread while a
// second thread resizes it, edits its page file and presses its keys, and every object's
// rectangle is checked against the batch run at the same window size.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor_session.h"
#include "file_output.h"
#include "live_fixture.h"
#include "live_window.h"
#include "nested_page.h"
#include "window_driver.h"

namespace preview {
namespace {

constexpr char kPage[] = R"(page 640 360
object Bar     0   0 640  60 kind=panel colour=#c0c8d0 label="Title"
object Logo  270  10 100  40 kind=image colour=#e0a030
object Stage  40 100 200 200 colour=#4682b4
object Start 520 300 100  40 kind=button colour=#c03020
object Tag    40  80  80  16 kind=text
on enter
Duduve_Clear
Duduve_SetDesignSize "640" "360"
Duduve_RegisterObject "Bar" "STRETCH" "FIXED" "L" "T" "0" "0"
Duduve_RegisterObject "Logo" "UNIFORM" "UNIFORM" "C" "T" "0" "0"
Duduve_RegisterObject "Stage" "UNIFORM" "UNIFORM" "L" "T" "0" "0"
Duduve_RegisterObject "Start" "FIXED" "FIXED" "R" "B" "0" "0"
Duduve_RegisterObject "Tag" "" "" "" "" "0" "0"
Duduve_PinObject "Tag" "Stage" "BL" "TL" "0" "-4"
Duduve_Apply
)";

// The page edited: Start hugs the bottom-left corner now and a Badge joins.
std::string EditedPage() {
  std::string text = kPage;
  const auto replace = [&text](std::string_view from, std::string_view to) {
    text.replace(text.find(from), from.size(), to);
  };
  replace(R"("Start" "FIXED" "FIXED" "R")", R"("Start" "FIXED" "FIXED" "L")");
  replace("on enter\n", "object Badge 600 10 30 30 colour=#208040\non enter\n");
  replace("Duduve_Apply\n",
          "Duduve_RegisterObject \"Badge\" \"UNIFORM\" \"UNIFORM\" \"R\" \"T\" \"0\" \"0\"\n"
          "Duduve_Apply\n");
  return text;
}

constexpr char kBrokenPage[] = "page 640 360\nobject Bar 0 0 640\n";

using editor_test::WaitUntil;

void ResizeClient(HWND window, const WindowSize& size) {
  const SIZE outer = standin::StandInHost::FrameSize(window, size.Width, size.Height);
  SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PressKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
}

// True once the window and every window inside it have painted all they were asked to.
bool Painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!Painted(child)) return false;
  }
  return true;
}

// The colour on screen at a point of a window's client area.
COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

// The colours on screen down one column of the window's client area.
std::vector<COLORREF> Column(HWND window, int x, int top, int bottom) {
  HDC dc = GetDC(window);
  std::vector<COLORREF> colours;
  for (int y = top; y < bottom; ++y) colours.push_back(GetPixel(dc, x, y));
  ReleaseDC(window, dc);
  return colours;
}

using PreviewLive = LiveFixture;

TEST_F(PreviewLive, FollowsEveryResizeAsTheBatchRunDoesAndReleasesOnClose) {
  const Page page = Parsed(kPage);
  const auto batch = BatchBoxes(kPage, {{640, 360}, {800, 600}, {640, 360}, {1280, 400}});
  Write(kPage);
  const LiveEnd end = RunLive([&](HWND window) {
    const auto style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), WS_CAPTION | WS_THICKFRAME);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 360);
    ExpectBoxes(window, page, batch[0], "after page entry");

    ResizeClient(window, {800, 600});
    ExpectBoxes(window, page, batch[1], "at 800 x 600");
    EXPECT_EQ(standin::WindowText(window),
              L"live.page - 800 x 600 (4:3) - ScaleX=1.2500, ScaleY=1.6667, Uniform=1.2500, "
              L"FontScale=1.2500, DPI=96, DPIScale=1.0000");
    editor_test::SaveScreenshot(window, L"live-800x600");

    PressKey(window, '0');
    ExpectBoxes(window, page, batch[2], "back at the design size (key 0)");

    ResizeClient(window, {1280, 400});
    ExpectBoxes(window, page, batch[3], "at 1280 x 400");
    // Start has left its design rectangle (520, 300, 100 x 40); its left edge is drawn
    // only with the design rectangles shown.
    ASSERT_TRUE(WaitUntil([&] { return Painted(window); }));
    const auto plain = Column(window, 520, 300, 340);
    PressKey(window, 'G');
    EXPECT_TRUE(WaitUntil([&] { return Column(window, 520, 300, 340) != plain; }))
        << "no design rectangle drawn";
    EXPECT_TRUE(standin::WindowText(window).ends_with(L" - design rectangles shown"));
    editor_test::SaveScreenshot(window, L"live-1280x400-design-rectangles");
    PressKey(window, 'G');
    EXPECT_TRUE(WaitUntil([&] { return Column(window, 520, 300, 340) == plain; }));

    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  // The release message put every object back before the module went.
  EXPECT_EQ(end.Released, DesignBoxes(page));
  EXPECT_TRUE(end.Unloaded);
  EXPECT_EQ(GetModuleHandleW(L"Duduve.dll"), nullptr);
  EXPECT_EQ(end.Faults, "");
}

TEST_F(PreviewLive, ReloadsTheChangedFileAndKeepsTheLastGoodPageOnAMistake) {
  const Page page = Parsed(kPage);
  const std::string editedText = EditedPage();
  const Page edited = Parsed(editedText);
  const auto before = BatchBoxes(kPage, {{800, 600}});
  const auto after = BatchBoxes(editedText, {{800, 600}});
  std::string mistake;
  {
    Page broken;
    mistake = ParsePage(kBrokenPage, "live.page", broken)->Text();
  }
  ASSERT_EQ(mistake.rfind("live.page:2: expected ", 0), 0u) << mistake;
  Write(kPage);
  const LiveEnd end = RunLive([&](HWND window) {
    ResizeClient(window, {800, 600});
    ExpectBoxes(window, page, before[0], "before the edit");

    Write(editedText);
    ExpectBoxes(window, edited, after[0], "after the edit");
    const std::wstring caption = standin::WindowText(window);

    Write(kBrokenPage);
    const std::wstring refused = FromAnsi(mistake) + L" (the last good page stays) | " + caption;
    EXPECT_TRUE(WaitUntil([&] { return standin::WindowText(window) == refused; }))
        << ToAnsi(standin::WindowText(window));
    PressKey(window, VK_F5);
    PressKey(window, 'P');
    EXPECT_TRUE(WaitUntil([&] { return !Read(picture_).empty(); }));
    EXPECT_EQ(LiveBoxes(window, edited), after[0]) << "the last good page stays";
    EXPECT_TRUE(standin::WindowText(window).starts_with(FromAnsi(mistake)));

    PressKey(window, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
  });
  EXPECT_EQ(end.Released, DesignBoxes(edited));
  EXPECT_TRUE(end.Unloaded);
  EXPECT_EQ(end.Faults, "");
  // The picture is the window's view: a PNG of 800 x 600 pixels.
  const std::string png = Read(picture_);
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(12, 12), std::string("IHDR\0\0\x03\x20\0\0\x02\x58", 12));
}

TEST_F(PreviewLive, NestedPagesFollowEveryResizeAsTheBatchRunDoesAndReleaseToTheirDesign) {
  const Page page = Parsed(kNestedPage);
  const auto batch = BatchBoxes(kNestedPage, {{640, 360}, {960, 540}, {1280, 400}});
  Write(kNestedPage);
  const LiveEnd end = RunLive([&](HWND window) {
    ExpectBoxes(window, page, batch[0], "after page entry");
    // A window inside a container inside the page shows its own part of the picture: A, in
    // the tray, in its palette colour.
    ASSERT_TRUE(WaitUntil([&] { return Painted(window); }));
    HWND a = FindObjectWindow(window, "A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(GetParent(a), FindObjectWindow(window, "Tray"));
    EXPECT_EQ(PixelOf(a, 20, 20), RGB(200, 90, 80));
    ResizeClient(window, {960, 540});
    ExpectBoxes(window, page, batch[1], "at 960 x 540");
    ResizeClient(window, {1280, 400});
    ExpectBoxes(window, page, batch[2], "at 1280 x 400");
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(end.Released, DesignBoxes(page));
  EXPECT_TRUE(end.Unloaded);
  EXPECT_EQ(end.Faults, "");
}

TEST(PreviewLiveShapes, FillTheScreensHeightUnlessTooWide) {
  const struct {
    WindowSize Room;
    WindowSize Shapes[4];  // 4:3, 16:9, 16:10, 21:9
  } cases[] = {
      {{1912, 1010}, {{1347, 1010}, {1796, 1010}, {1616, 1010}, {1912, 819}}},
      {{1272, 1394}, {{1272, 954}, {1272, 716}, {1272, 795}, {1272, 545}}},
      {{9000, 9000}, {{8192, 6144}, {8192, 4608}, {8192, 5120}, {8192, 3511}}},
  };
  for (const auto& example : cases) {
    for (std::size_t i = 0; i < kCommonShapes.size(); ++i) {
      EXPECT_EQ(FitShape(kCommonShapes[i], example.Room), example.Shapes[i])
          << kCommonShapes[i].Name << " in " << example.Room.Width << " x " << example.Room.Height;
    }
  }
}

}  // namespace
}  // namespace preview
