// Every editor shows all of its text in the message font at the screen's DPI: each label's
// text fits its client area, each list entry fits the list's item area and its dropped
// part, each button caption fits its button. The runner repeats this test at 96, 120, 144
// and 192 DPI under wine's own message font and under Noto Sans 9 pt (the layout test,
// run with it, checks that only what needed it grew).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ascii_text.h"
#include "editor_layouts.h"
#include "editor_session.h"
#include "text_measure.h"

namespace editor_test {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

using preview::Narrow;

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

INSTANTIATE_TEST_SUITE_P(EditorTextFit, EditorTextFit, ::testing::ValuesIn(Layouts()),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace editor_test
