// Every editor shows all of its text in the message font at the screen's DPI: each label's
// text fits its client area, each list entry fits the list's item area and its dropped
// part, each button caption fits its button. Only what needs it grows: a label to its
// text's height, pushing what is below it down, a list to the right, and the window with
// them; every other rectangle is the table's. The runner repeats these tests at 96, 120,
// 144 and 192 DPI under wine's own message font and under Noto Sans 9 pt, and the second
// one under Noto Sans 12 pt, whose entries are wider than their lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "editor_layouts.h"
#include "editor_session.h"
#include "text_measure.h"

namespace editor_test {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow.push_back(c < 128 ? static_cast<char>(c) : '?');
  return narrow;
}

// The first words of a text, to name a control in a message.
std::string Head(const std::wstring& text) {
  const auto line = text.substr(0, text.find(L'\r'));
  return Narrow(line.size() > 24 ? line.substr(0, 24) + L"..." : line);
}

std::string Shortfall(const std::string& what, const std::wstring& text, long need, long room,
                      const char* unit) {
  return what + " \"" + Head(text) + "\" needs " + std::to_string(need) + " of " +
         std::to_string(room) + " px " + unit;
}

// Every text of the editor's controls that does not fit, one line each.
std::vector<std::string> Shortfalls(HWND editor) {
  std::vector<std::string> found;
  for (HWND control = GetWindow(editor, GW_CHILD); control != nullptr;
       control = GetWindow(control, GW_HWNDNEXT)) {
    const auto kind = standin::ClassName(control);
    const auto text = standin::WindowText(control);
    RECT client{};
    GetClientRect(control, &client);
    if (kind == L"Static") {
      const SIZE need = LabelTextNeed(control, text, client.right);
      if (need.cy > client.bottom)
        found.push_back(Shortfall("label", text, need.cy, client.bottom, "high"));
      if (need.cx > client.right)
        found.push_back(Shortfall("label", text, need.cx, client.right, "wide"));
    } else if (kind == L"ComboBox") {
      const long room = ListItemWidth(control);
      const long dropped = ListDroppedRoom(control);
      for (const auto& entry : Entries(editor, GetDlgCtrlID(control))) {
        const long need = ListEntryNeed(control, entry);
        if (need > room) found.push_back(Shortfall("list entry", entry, need, room, "wide"));
        if (need > dropped) {
          found.push_back(Shortfall("dropped entry", entry, need, dropped, "wide"));
        }
      }
    } else if (kind == L"Button") {
      const SIZE need = ButtonCaptionNeed(control, text);
      if (need.cx > client.right)
        found.push_back(Shortfall("button", text, need.cx, client.right, "wide"));
      if (need.cy > client.bottom)
        found.push_back(Shortfall("button", text, need.cy, client.bottom, "high"));
    }
  }
  return found;
}

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// "RegisterGroup" becomes "register-group".
std::wstring ShotName(const std::string& name) {
  std::wstring shot;
  for (char c : name) {
    if (c >= 'A' && c <= 'Z') {
      if (!shot.empty()) shot.push_back(L'-');
      shot.push_back(static_cast<wchar_t>(c - 'A' + 'a'));
    } else {
      shot.push_back(static_cast<wchar_t>(c));
    }
  }
  return shot;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Pixels(int units, int dpi) {
  return MulDiv(units, dpi, 96);
}

// A table rectangle in pixels, as the toolkit converts it (position and size each).
RECT InPixels(const RECT& units, int dpi) {
  const int x = Pixels(units.left, dpi);
  const int y = Pixels(units.top, dpi);
  return {x, y, x + Pixels(units.right - units.left, dpi),
          y + Pixels(units.bottom - units.top, dpi)};
}

HWND Find(HWND editor, const Placed& placed) {
  return placed.Number != 0 ? Item(editor, placed.Number) : LabelWithText(editor, placed.Text);
}

// Where the editor's controls belong with the texts measured in its own font.
struct Expectation {
  std::vector<RECT> Rects;  // in the layout's order
  SIZE Client{};
};

Expectation Expect(HWND editor, const EditorLayout& layout, int dpi) {
  const std::size_t count = layout.Controls.size();
  std::vector<RECT> given(count);
  std::vector<int> taller(count, 0);
  std::vector<int> wider(count, 0);
  std::vector<int> lower(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const auto& placed = layout.Controls[i];
    given[i] = InPixels(placed.Rect, dpi);
    const int width = given[i].right - given[i].left;
    HWND control = Find(editor, placed);
    if (placed.Number == 0) {
      const int need = LabelTextNeed(control, placed.Text, width).cy;
      taller[i] = std::max(0, need - static_cast<int>(given[i].bottom - given[i].top));
    } else if (std::wstring(placed.Class) == L"ComboBox") {
      const RECT shown = ChildRect(control);
      const int itemArea = ListItemWidth(control) - (shown.right - shown.left - width);
      for (const auto& entry : Entries(editor, placed.Number)) {
        wider[i] = std::max(wider[i], ListEntryNeed(control, entry) - itemArea);
      }
    }
  }
  // A list grows only where no other control stands.
  for (std::size_t i = 0; i < count; ++i) {
    const RECT band{given[i].right, given[i].top, given[i].right + wider[i], given[i].bottom};
    for (std::size_t j = 0; j < count; ++j) {
      RECT overlap{};
      if (wider[i] > 0 && j != i && IntersectRect(&overlap, &band, &given[j])) wider[i] = 0;
    }
  }
  std::vector<std::size_t> byTop(count);
  std::iota(byTop.begin(), byTop.end(), std::size_t{0});
  std::stable_sort(byTop.begin(), byTop.end(),
                   [&](std::size_t a, std::size_t b) { return given[a].top < given[b].top; });
  Expectation expected{{}, {Pixels(layout.ClientWidth, dpi), Pixels(layout.ClientHeight, dpi)}};
  int extraHeight = 0;
  for (std::size_t i : byTop) {
    for (std::size_t j = 0; j < count; ++j) {
      if (taller[j] > 0 && given[j].bottom <= given[i].top) {
        lower[i] = std::max(lower[i], lower[j] + taller[j]);
      }
    }
    extraHeight = std::max(extraHeight, lower[i] + taller[i]);
  }
  for (std::size_t i = 0; i < count; ++i) {
    expected.Rects.push_back({given[i].left, given[i].top + lower[i], given[i].right + wider[i],
                              given[i].bottom + lower[i] + taller[i]});
  }
  expected.Client.cx += *std::max_element(wider.begin(), wider.end());
  expected.Client.cy += extraHeight;
  return expected;
}

class EditorTextFit : public ::testing::TestWithParam<EditorLayout> {
 protected:
  EditorHost host;
};

TEST_P(EditorTextFit, EveryLabelListEntryAndCaptionFitsItsControl) {
  const auto& layout = GetParam();
  const auto expectedDpi = Environment("DUDUVE_EXPECT_DPI");
  ASSERT_EQ(ScreenDpi(), expectedDpi.empty() ? 96 : std::atoi(expectedDpi.c_str()));
  standin::HostParams params{"", "", "", "", "", "", ""};
  RunEdited(host.Host(), layout.Action, params, [&] {
    HWND editor = WaitForEditor(layout.Title, layout.Controls.back().Number);
    ASSERT_NE(editor, nullptr);
    const auto face = Environment("DUDUVE_EXPECT_FONT");
    if (!face.empty()) {
      EXPECT_EQ(Narrow(RealisedFace(Item(editor, layout.Controls.back().Number))), face);
    }
    const auto tag = Environment("DUDUVE_SCREEN_TAG");
    if (!tag.empty()) SaveScreenshot(editor, ShotName(layout.Name) + L"-" + Wide(tag));
    std::string report;
    for (const auto& line : Shortfalls(editor)) report += "\n  " + line;
    EXPECT_EQ(report, "") << layout.Name;
    EXPECT_TRUE(PressAndWaitClosed(editor, layout.Controls.back().Number));
  });
}

TEST_P(EditorTextFit, ControlsGrowOnlyWhereTheirTextNeedsIt) {
  const auto& layout = GetParam();
  const int dpi = ScreenDpi();
  HWND hostWindow = host.Host().Window();
  standin::HostParams params{"", "", "", "", "", "", ""};
  RunEdited(host.Host(), layout.Action, params, [&] {
    HWND editor = WaitForEditor(layout.Title, layout.Controls.back().Number);
    ASSERT_NE(editor, nullptr);
    const auto expected = Expect(editor, layout, dpi);
    RECT client{};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, expected.Client.cx);
    EXPECT_EQ(client.bottom, expected.Client.cy);
    for (std::size_t i = 0; i < layout.Controls.size(); ++i) {
      const auto& placed = layout.Controls[i];
      HWND control = Find(editor, placed);
      ASSERT_NE(control, nullptr) << layout.Name << " control " << placed.Number;
      EXPECT_EQ(Describe(ChildRect(control)), Describe(expected.Rects[i]))
          << layout.Name << " control " << placed.Number << " "
          << Head(standin::WindowText(control));
      if (std::wstring(placed.Class) != L"ComboBox") continue;
      for (const auto& entry : Entries(editor, placed.Number)) {
        EXPECT_LE(ListEntryNeed(control, entry), ListDroppedRoom(control)) << Narrow(entry);
      }
    }
    // Still centred on its owner, grown or not, never before the screen's origin.
    RECT outer{};
    RECT owner{};
    GetWindowRect(editor, &outer);
    GetWindowRect(hostWindow, &owner);
    const long left = owner.left + (owner.right - owner.left - (outer.right - outer.left)) / 2;
    const long top = owner.top + (owner.bottom - owner.top - (outer.bottom - outer.top)) / 2;
    EXPECT_EQ(outer.left, std::max(left, 0L));
    EXPECT_EQ(outer.top, std::max(top, 0L));
    EXPECT_TRUE(PressAndWaitClosed(editor, layout.Controls.back().Number));
  });
}

INSTANTIATE_TEST_SUITE_P(EditorTextFit, EditorTextFit, ::testing::ValuesIn(Layouts()),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace editor_test
