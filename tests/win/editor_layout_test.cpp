// Where the editors put their windows and controls: owned by the foreground window,
// centred on it, of the stated client size, every control where its table says, in
// pixels at 96 DPI and scaled at other screen DPIs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

struct Placed {
  int Number;           // 0 for a label, found by its text
  const wchar_t* Text;  // a label's text
  const wchar_t* Class;
  RECT Rect;  // left, top, right, bottom in DialogUnits
};

struct EditorLayout {
  const char* Name;
  int Action;
  const wchar_t* Title;
  int ClientWidth;
  int ClientHeight;
  std::vector<Placed> Controls;  // in creation order
};

RECT At(int x, int y, int width, int height) {
  return {x, y, x + width, y + height};
}

const std::vector<EditorLayout>& Layouts() {
  static const std::vector<EditorLayout> layouts = {
      {"DesignSize",
       1,
       L"Duduve - Design Size",
       300,
       140,
       {{0, L"The window size you laid the page out at\r\n(the design canvas).", L"Static",
         At(14, 14, 272, 32)},
        {0, L"Width:", L"Static", At(14, 56, 60, 20)},
        {100, nullptr, L"Edit", At(80, 54, 90, 24)},
        {0, L"Height:", L"Static", At(14, 86, 60, 20)},
        {101, nullptr, L"Edit", At(80, 84, 90, 24)},
        {102, nullptr, L"Button", At(120, 112, 80, 26)},
        {103, nullptr, L"Button", At(206, 112, 80, 26)}}},
      {"RegisterObject",
       2,
       L"Duduve - Register Object",
       440,
       330,
       {{0, L"Object:", L"Static", At(14, 16, 56, 20)},
        {200, nullptr, L"Edit", At(74, 12, 280, 24)},
        {201, nullptr, L"Button", At(360, 12, 66, 24)},
        {0, L"Width:", L"Static", At(14, 54, 96, 20)},
        {202, nullptr, L"ComboBox", At(116, 52, 310, 24)},
        {0, L"Height:", L"Static", At(14, 86, 96, 20)},
        {203, nullptr, L"ComboBox", At(116, 84, 310, 24)},
        {0, L"H anchor:", L"Static", At(14, 120, 96, 20)},
        {204, nullptr, L"ComboBox", At(116, 118, 310, 24)},
        {0, L"V anchor:", L"Static", At(14, 152, 96, 20)},
        {205, nullptr, L"ComboBox", At(116, 150, 310, 24)},
        {0, L"Nudge X:", L"Static", At(14, 186, 96, 20)},
        {206, nullptr, L"Edit", At(116, 184, 70, 24)},
        {0, L"Nudge Y:", L"Static", At(206, 186, 70, 20)},
        {207, nullptr, L"Edit", At(278, 184, 70, 24)},
        {0,
         L"Per axis: STRETCH fills that axis (can distort). FIXED keeps the\r\ndesign pixel "
         L"size. UNIFORM scales by min(Xscale,Yscale) -- use it on\r\nBOTH axes to keep an "
         L"object's shape. Anchor picks the edge/point the\r\nobject stays pinned to. Nudge = "
         L"constant pixel fine-tune.",
         L"Static", At(14, 220, 412, 64)},
        {208, nullptr, L"Button", At(260, 292, 80, 26)},
        {209, nullptr, L"Button", At(346, 292, 80, 26)}}},
      {"DpiAwareness",
       5,
       L"Duduve - DPI Awareness",
       440,
       230,
       {{0,
         L"Set process DPI awareness. Call this ONCE in StartupAction,\r\nbefore any page "
         L"loads. Awareness is a one-time process latch --\r\nit cannot be changed once set.",
         L"Static", At(14, 12, 412, 48)},
        {0, L"Mode:", L"Static", At(14, 70, 70, 20)},
        {300, nullptr, L"ComboBox", At(90, 68, 336, 24)},
        {0,
         L"Unaware: the whole process shares one coordinate space, so\r\ntorch/flame overlays "
         L"stay aligned at any resolution. Choose\r\nAware only for Duduve-only pubs, or once "
         L"Dazevide and\r\nZidizovir are also made DPI-aware.",
         L"Static", At(14, 104, 412, 64)},
        {301, nullptr, L"Button", At(260, 192, 80, 26)},
        {302, nullptr, L"Button", At(346, 192, 80, 26)}}},
      {"PinObject",
       6,
       L"Duduve - Pin Object",
       470,
       330,
       {{0,
         L"Pin one object to another so it tracks that object at every\r\nresolution (e.g. a "
         L"flame that stays on its torch).",
         L"Static", At(14, 12, 442, 32)},
        {0, L"Object to pin:", L"Static", At(14, 52, 90, 20)},
        {400, nullptr, L"Edit", At(110, 50, 270, 24)},
        {401, nullptr, L"Button", At(386, 50, 66, 24)},
        {0, L"Pin it to:", L"Static", At(14, 84, 90, 20)},
        {402, nullptr, L"Edit", At(110, 82, 270, 24)},
        {403, nullptr, L"Button", At(386, 82, 66, 24)},
        {0, L"This object's point:", L"Static", At(14, 120, 180, 20)},
        {404, nullptr, L"ComboBox", At(200, 118, 252, 24)},
        {0, L"...sits on target's point:", L"Static", At(14, 152, 180, 20)},
        {405, nullptr, L"ComboBox", At(200, 150, 252, 24)},
        {0, L"Nudge X:", L"Static", At(14, 186, 90, 20)},
        {406, nullptr, L"Edit", At(110, 184, 70, 24)},
        {0, L"Nudge Y:", L"Static", At(200, 186, 70, 20)},
        {407, nullptr, L"Edit", At(272, 184, 70, 24)},
        {0,
         L"Example: to seat a flame on a torch bowl, set the flame's point to\r\nBottom-Center "
         L"and the torch's point to Top-Center. Nudge moves the\r\nflame a few design-pixels "
         L"(scaled) for fine adjustment. Register\r\nBOTH objects before pinning; call this "
         L"before Duduve_Apply.",
         L"Static", At(14, 222, 442, 60)},
        {408, nullptr, L"Button", At(290, 292, 80, 26)},
        {409, nullptr, L"Button", At(376, 292, 80, 26)}}},
      {"RegisterGroup",
       7,
       L"Duduve - Register Group",
       470,
       350,
       {{0,
         L"Scale a set of objects as ONE unit into a registered target\r\nobject's rectangle "
         L"(FIT keeps the shape; FILL stretches).",
         L"Static", At(14, 12, 442, 32)},
        {0, L"Group / frame:", L"Static", At(14, 52, 90, 20)},
        {500, nullptr, L"Edit", At(110, 50, 270, 24)},
        {501, nullptr, L"Button", At(386, 50, 66, 24)},
        {0, L"Target:", L"Static", At(14, 84, 90, 20)},
        {502, nullptr, L"Edit", At(110, 82, 270, 24)},
        {503, nullptr, L"Button", At(386, 82, 66, 24)},
        {0, L"Mode:", L"Static", At(14, 118, 90, 20)},
        {504, nullptr, L"ComboBox", At(110, 116, 342, 24)},
        {0, L"Members:", L"Static", At(14, 152, 90, 20)},
        {505, nullptr, L"Edit", At(110, 150, 270, 24)},
        {506, nullptr, L"Button", At(386, 150, 66, 24)},
        {0,
         L"Members: object names separated by ';' (recommended -- survives\r\npage changes). "
         L"Leave BLANK to auto-collect every object drawn\r\nfully inside the Group object's "
         L"rectangle; the Group must then\r\nbe a real object such as a Rectangle behind the "
         L"set. (VNW's\r\neditor Group command is design-time only -- it does not create\r\na "
         L"runtime object you can name here.) Register the Target with\r\nRegisterObject "
         L"first; call this before Duduve_Apply.",
         L"Static", At(14, 186, 442, 96)},
        {507, nullptr, L"Button", At(290, 312, 80, 26)},
        {508, nullptr, L"Button", At(376, 312, 80, 26)}}},
  };
  return layouts;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::string Describe(const RECT& rect) {
  char text[64];
  std::snprintf(text, sizeof text, "{%ld, %ld, %ld, %ld}", rect.left, rect.top, rect.right,
                rect.bottom);
  return text;
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

    RECT client{};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, layout.ClientWidth);
    EXPECT_EQ(client.bottom, layout.ClientHeight);
    const LONG style = GetWindowLongW(editor, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              WS_CAPTION | WS_SYSMENU);

    RECT outer{};
    RECT owner{};
    GetWindowRect(editor, &outer);
    GetWindowRect(hostWindow, &owner);
    const long width = outer.right - outer.left;
    const long height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, owner.left + (owner.right - owner.left - width) / 2);
    EXPECT_EQ(outer.top, owner.top + (owner.bottom - owner.top - height) / 2);

    const auto children = Children(editor);
    EXPECT_EQ(children.size(), layout.Controls.size());
    for (const auto& expected : layout.Controls) {
      HWND control = expected.Number != 0 ? Item(editor, expected.Number)
                                          : LabelWithText(editor, expected.Text);
      ASSERT_NE(control, nullptr) << "control " << expected.Number;
      EXPECT_EQ(standin::ClassName(control), expected.Class) << "control " << expected.Number;
      EXPECT_EQ(Describe(ChildRect(control)), Describe(expected.Rect))
          << layout.Name << " control " << expected.Number;
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
