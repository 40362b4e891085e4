// The live window's script lines through the real Duduve.dll: warnings and remarks under
// their lines, wrapped to the window's width; the window of lines never covers the page; a
// reload starts the plug-in afresh, so a valid Duduve_InitDPI stays valid.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "editor_session.h"
#include "line_list_window.h"
#include "live_fixture.h"
#include "live_status.h"
#include "window_driver.h"

namespace preview {
namespace {

using editor_test::WaitUntil;

constexpr char kPage[] = R"(page 640 360
object Bar     0   0 640  60
object Score 520  80 100  40
object Answer 40 200 240  60
on enter
Duduve_Clear
Duduve_SetDesignSize "640" "360"
Duduve_RegisterObject "Bar" "STRETCH" "FIXED" "L" "T" "0" "0"
Duduve_RegisterObject "Score" "STRETCH" "STRETCH" "R" "T" "0" "0"
Duduve_RegisterObject "Answer" "STRETCH" "UNIFORM" "L" "C" "0" "0"
Duduve_Apply
)";

int EntryHeight(HWND lines, std::size_t index) {
  return static_cast<int>(SendMessageW(List(lines), LB_GETITEMHEIGHT, index, 0));
}

int FontHeight(HWND control) {
  HDC dc = GetDC(control);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return metrics.tmHeight;
}

int Height(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return bounds.bottom - bounds.top;
}

// The lines beside the page: not over it, and on the screen's work area.
bool Beside(HWND page, HWND lines) {
  RECT first{};
  RECT second{};
  RECT both{};
  GetWindowRect(page, &first);
  GetWindowRect(lines, &second);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(page, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  return !IntersectRect(&both, &first, &second) && second.left >= work.left &&
         second.right <= work.right && second.top >= work.top && second.bottom <= work.bottom;
}

using PreviewLiveLines = LiveFixture;

TEST_F(PreviewLiveLines, WarningsAndRemarksStandUnderTheirLinesAndWrap) {
  Write(kPage);
  RunLive([&](HWND live) {
    const std::vector<std::pair<std::wstring, int>> expected = {
        {L"on enter", 0},
        {L"   6  Duduve_Clear", 6},
        {L"   7  Duduve_SetDesignSize \"640\" \"360\"", 7},
        {L"   8  Duduve_RegisterObject \"Bar\" \"STRETCH\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"", 8},
        {L"   9  Duduve_RegisterObject \"Score\" \"STRETCH\" \"STRETCH\" \"R\" \"T\" \"0\" \"0\"",
         9},
        {L"        ~ HAnchor R on a STRETCH width puts \"Score\" where L would: both its margins "
         L"scale with the window",
         9},
        {L"  10  Duduve_RegisterObject \"Answer\" \"STRETCH\" \"UNIFORM\" \"L\" \"C\" \"0\" \"0\"",
         10},
        {L"        ! at the design size \"Answer\" moves 50 px up (from 40, 200 to 40, 150): "
         L"VAnchor C centres it in the window, and it is drawn off-centre",
         10},
        {L"  11  Duduve_Apply", 11},
    };
    EXPECT_EQ(Entries(lines_), expected);
    EXPECT_TRUE(standin::WindowText(live).starts_with(
        L"1 warning (!) and 1 remark (~) in the script lines | live.page - 640 x 360"))
        << ToAnsi(standin::WindowText(live));

    editor_test::SaveScreenshot({live, lines_}, L"live-lines-findings");
    // The warning is too long for one line of the list: it takes two or more.
    const int oneLine = EntryHeight(lines_, 8);
    EXPECT_GE(EntryHeight(lines_, 7), 2 * oneLine - 2);
    // Narrowed, the list wraps its entries again and the status line takes two lines.
    HWND status = GetDlgItem(lines_, LineListWindow::kStatusId);
    EXPECT_EQ(GetWindowLongW(status, GWL_STYLE) & SS_TYPEMASK, SS_LEFT)
        << "a status line that wraps";
    const int statusLine = FontHeight(status);
    EXPECT_LT(Height(status), 2 * statusLine);
    const int before = EntryHeight(lines_, 7);
    SetWindowPos(lines_, nullptr, 0, 0, 320, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return EntryHeight(lines_, 7) > before; }));
    EXPECT_TRUE(WaitUntil([&] { return Height(status) >= 2 * statusLine; }))
        << Height(status) << " px for " << ToAnsi(Status(lines_));
    EXPECT_EQ(Entries(lines_), expected) << "the entries keep their texts";
    editor_test::SaveScreenshot(lines_, L"live-lines-narrow");
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
}

TEST_F(PreviewLiveLines, NeverCoverThePage) {
  Write(kPage);
  RunLive([&](HWND live) {
    EXPECT_TRUE(Beside(live, lines_)) << "when opened";
    const auto clientWidth = [&] {
      RECT client{};
      GetClientRect(live, &client);
      return client.right;
    };
    // 21:9 at the screen's height is wider than the screen: the page leaves the lines room.
    PostMessageW(live, WM_KEYDOWN, '4', 1);
    EXPECT_TRUE(WaitUntil([&] { return clientWidth() != 640; }));
    EXPECT_TRUE(WaitUntil([&] { return Beside(live, lines_); })) << "at 21:9";

    PostMessageW(live, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsZoomed(live) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return Beside(live, lines_); })) << "maximised";
    PostMessageW(live, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsZoomed(live) == FALSE; }));

    // Moved against the screen's right edge, the lines go to its left.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(live, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    RECT page{};
    GetWindowRect(live, &page);
    SetWindowPos(live, nullptr, work.right - (page.right - page.left), page.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return Beside(live, lines_); })) << "against the right edge";
    // As wide as the screen, the page narrows to leave room.
    SetWindowPos(live, nullptr, work.left, work.top, work.right - work.left, 600,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return Beside(live, lines_); })) << "as wide as the screen";
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
}

TEST(PreviewLiveArrangement, LinesBesideThePageOrThePageMakesRoom) {
  const RECT work{0, 0, 1920, 1040};
  const struct {
    RECT Page;
    RECT Placed;
    RECT Lines;
  } cases[] = {
      // Room on the right.
      {{100, 100, 740, 500}, {100, 100, 740, 500}, {748, 100, 1368, 500}},
      // None on the right, some on the left.
      {{1200, 100, 1840, 500}, {1200, 100, 1840, 500}, {572, 100, 1192, 500}},
      // None on either side: the page moves left as little as it must.
      {{600, 100, 1400, 500}, {492, 100, 1292, 500}, {1300, 100, 1920, 500}},
      // As wide as the work area: the page narrows.
      {{0, 0, 1920, 1040}, {0, 0, 1292, 1040}, {1300, 0, 1920, 1040}},
      // A short page gets lines of a useful height, kept on the work area.
      {{100, 100, 740, 200}, {100, 100, 740, 200}, {748, 100, 1368, 400}},
      {{100, 900, 740, 1000}, {100, 900, 740, 1000}, {748, 740, 1368, 1040}},
  };
  for (const auto& example : cases) {
    const Arrangement arranged = ArrangeBeside(example.Page, work, 620);
    EXPECT_TRUE(EqualRect(&arranged.Page, &example.Placed))
        << arranged.Page.left << " " << arranged.Page.right << " for " << example.Page.left;
    EXPECT_TRUE(EqualRect(&arranged.Lines, &example.Lines))
        << arranged.Lines.left << " " << arranged.Lines.top << " " << arranged.Lines.right << " "
        << arranged.Lines.bottom << " for " << example.Page.left;
  }
}

TEST_F(PreviewLiveLines, AReloadStartsThePlugInAfreshSoAValidInitDpiStaysValid) {
  const std::string page = std::string(kPage) + "Duduve_InitDPI \"unaware\"\n";
  Write(page);
  RunLive([&](HWND live) {
    const auto refused = [&] {
      for (const auto& entry : Entries(lines_)) {
        if (entry.first.find(L"Duduve refuses it") != std::wstring::npos) return true;
      }
      return false;
    };
    ASSERT_EQ(Entries(lines_).size(), 11u);
    EXPECT_FALSE(refused());
    // The changed file is reloaded: page entry runs again, with the plug-in loaded anew.
    Write(page + "Duduve_Apply\n");
    EXPECT_TRUE(WaitUntil([&] {
      const auto entries = Entries(lines_);
      return !entries.empty() && entries.back().second == 13;
    }));
    EXPECT_FALSE(refused()) << "Duduve_InitDPI was refused after the reload";
    PostMessageW(live, WM_CLOSE, 0, 0);
  });
}

}  // namespace
}  // namespace preview
