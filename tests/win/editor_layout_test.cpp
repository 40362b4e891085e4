// Where the editors put their windows and controls: owned by the foreground window,
// centred on it, of the stated client size, every control where its table says, in
// pixels at 96 DPI and scaled at other screen DPIs. Where a text needs more room than its
// table gives it in the font in use, only what the growth rules move differs from the
// table (see grown_layout.h). Under wine's own Tahoma at 96 DPI every text fits and the table
// holds exactly; the runner repeats this test at other DPIs and fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor_layouts.h"
#include "editor_session.h"
#include "grown_layout.h"
#include "text_measure.h"

namespace editor_test {
namespace {

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

class EditorLayoutTest : public ::testing::TestWithParam<EditorLayout> {
 protected:
  EditorHost host;
};

TEST_P(EditorLayoutTest, WindowIsOwnedCentredAndSizedAndControlsSitWhereTheTableSays) {
  const auto& layout = GetParam();
  HWND hostWindow = host.Host().Window();
  const int lastControl = layout.Controls.back().Number;
  standin::HostParams params{"", "", "", "", "", "", ""};
  RunEdited(host.Host(), layout.Action, params, [&] {
    HWND editor = WaitForEditor(layout.Title, lastControl);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetWindow(editor, GW_OWNER), hostWindow);
    EXPECT_EQ(GetForegroundWindow(), editor);

    const auto grown = Expect(editor, layout, ScreenDpi());
    // Wine's own Tahoma 8 pt at 96 DPI fits every text: there the table holds to the pixel.
    if (ScreenDpi() == 96 && RealisedFace(GetWindow(editor, GW_CHILD)) == L"Tahoma") {

      EXPECT_EQ(grown.Client.cx, layout.ClientWidth);
      EXPECT_EQ(grown.Client.cy, layout.ClientHeight);
      for (std::size_t i = 0; i < layout.Controls.size(); ++i) {
        EXPECT_EQ(Describe(grown.Rects[i]), Describe(layout.Controls[i].Rect))
            << layout.Name << " control " << layout.Controls[i].Number;
      }
    }
    RECT client{};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, grown.Client.cx);
    EXPECT_EQ(client.bottom, grown.Client.cy);
    const LONG style = GetWindowLongW(editor, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              WS_CAPTION | WS_SYSMENU);

    // Centred on the owner, never before the screen's origin.
    RECT outer{};
    RECT owner{};
    GetWindowRect(editor, &outer);
    GetWindowRect(hostWindow, &owner);
    const long width = outer.right - outer.left;
    const long height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, std::max(owner.left + (owner.right - owner.left - width) / 2, 0L));
    EXPECT_EQ(outer.top, std::max(owner.top + (owner.bottom - owner.top - height) / 2, 0L));

    const auto children = Children(editor);
    EXPECT_EQ(children.size(), layout.Controls.size());
    for (std::size_t i = 0; i < layout.Controls.size(); ++i) {
      const auto& expected = layout.Controls[i];
      HWND control = FindControl(editor, expected);
      ASSERT_NE(control, nullptr) << "control " << expected.Number;
      EXPECT_EQ(standin::ClassName(control), expected.Class) << "control " << expected.Number;
      EXPECT_EQ(Describe(ChildRect(control)), Describe(grown.Rects[i]))
          << layout.Name << " control " << expected.Number;
      if (std::wstring(expected.Class) != L"ComboBox") continue;
      // Opened, a list is wide enough for every entry.
      for (const auto& entry : Entries(editor, expected.Number)) {
        EXPECT_LE(ListEntryNeed(control, entry), ListDroppedRoom(control)) << expected.Number;
      }
    }
    EXPECT_TRUE(PressAndWaitClosed(editor, lastControl));
  });
}

INSTANTIATE_TEST_SUITE_P(EditorLayout, EditorLayoutTest, ::testing::ValuesIn(Layouts()),
                         [](const auto& info) { return std::string(info.param.Name); });

// A dialog larger than its owner overhangs it by the same amount on both sides (the
// halving truncates toward zero); only a left or top before the screen's origin is
// raised to 0.
TEST(EditorPlacement, ALargerDialogOverhangsItsOwnerEquallyButNeverBeforeTheOrigin) {
  EditorHost host;
  HWND hostWindow = host.Host().Window();
  for (const POINT origin : {POINT{500, 400}, POINT{30, 20}}) {
    SetWindowPos(hostWindow, nullptr, origin.x, origin.y, 201, 101, SWP_NOZORDER);
    standin::HostParams params{"", ""};
    RunEdited(host.Host(), 1, params, [&] {
      HWND editor = WaitForEditor(L"Duduve - Design Size", 103);
      ASSERT_NE(editor, nullptr);
      RECT outer{};
      GetWindowRect(editor, &outer);
      const long width = outer.right - outer.left;
      const long height = outer.bottom - outer.top;
      const long left = origin.x - (width - 201) / 2;
      const long top = origin.y - (height - 101) / 2;
      EXPECT_EQ(outer.left, left < 0 ? 0 : left);
      EXPECT_EQ(outer.top, top < 0 ? 0 : top);
      EXPECT_TRUE(PressAndWaitClosed(editor, 103));
    });
  }
}

// The screen DPI the run expects: 96 unless DUDUVE_EXPECT_DPI says otherwise (the test
// runner sets it for its second run, made with the screen at 144 DPI).
int ExpectedDpi() {
  const char* value = std::getenv("DUDUVE_EXPECT_DPI");
  return value != nullptr ? std::atoi(value) : 96;
}

TEST(EditorScreenDpi, DialogUnitsBecomePixelsByTheScreenDpi) {
  const int dpi = ExpectedDpi();
  ASSERT_TRUE(dpi == 96 || dpi == 144) << "no expectations for " << dpi << " DPI";
  HDC screen = GetDC(nullptr);
  const int reported = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(reported, dpi) << "the screen is not at the DPI this run expects";

  EditorHost host;
  standin::HostParams params{"", ""};
  RunEdited(host.Host(), 1, params, [&] {
    HWND editor = WaitForEditor(L"Duduve - Design Size", 103);
    ASSERT_NE(editor, nullptr);
    RECT client{};
    GetClientRect(editor, &client);
    HWND intro =
        LabelWithText(editor, L"The window size you laid the page out at\r\n(the design canvas).");
    ASSERT_NE(intro, nullptr);
    if (dpi == 144) {
      EXPECT_EQ(client.right, 450);
      EXPECT_EQ(client.bottom, 210);
      EXPECT_EQ(Describe(ChildRect(intro)), Describe(At(21, 21, 408, 48)));
      EXPECT_EQ(Describe(ChildRect(Item(editor, 100))), Describe(At(120, 81, 135, 36)));
      EXPECT_EQ(Describe(ChildRect(Item(editor, 103))), Describe(At(309, 168, 120, 39)));
    } else {
      EXPECT_EQ(client.right, 300);
      EXPECT_EQ(client.bottom, 140);
      EXPECT_EQ(Describe(ChildRect(intro)), Describe(At(14, 14, 272, 32)));
    }
    EXPECT_TRUE(PressAndWaitClosed(editor, 103));
  });

  standin::HostParams dpiParams{""};
  RunEdited(host.Host(), 5, dpiParams, [&] {
    HWND editor = WaitForEditor(L"Duduve - DPI Awareness", 302);
    ASSERT_NE(editor, nullptr);
    // A closed drop-down list is exactly as tall as asked: 24 units.
    const RECT list = ChildRect(Item(editor, 300));
    EXPECT_EQ(list.bottom - list.top, dpi == 144 ? 36 : 24);
    EXPECT_TRUE(PressAndWaitClosed(editor, 302));
  });
}

}  // namespace
}  // namespace editor_test
