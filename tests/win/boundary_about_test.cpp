// The About box: found from a second thread while _nbAbout waits in it, read, dismissed.
#include <windows.h>

#include <string>

#include "boundary_fixture.h"

// The version the build stamps into the plug-in, as a wide literal.
#define DUDUVE_WIDEN_(text) L##text
#define DUDUVE_WIDEN(text) DUDUVE_WIDEN_(text)

namespace boundary_test {
namespace {

const std::wstring kAboutText =
    L"Duduve " DUDUVE_WIDEN(DUDUVE_VERSION_TEXT) L"\r\n"
    L"Per-object responsive layout for VisualNEO Win.\r\n"
    L"\r\n"
    L"No global page transform. Each object resolves itself from\r\n"
    L"its own per-axis policy and anchor (browser box model), so the\r\n"
    L"layout holds at ANY window shape -- 4:3, 16:9, 16:10, ultrawide.\r\n"
    L"\r\n"
    L"Actions:\r\n"
    L"  Duduve_SetDesignSize   W H\r\n"
    L"  Duduve_RegisterObject  Name WMode HMode HAnchor VAnchor NudgeX NudgeY\r\n"
    L"  Duduve_Apply\r\n"
    L"  Duduve_Clear\r\n"
    L"  Duduve_InitDPI  aware|unaware  (StartupAction, once)\r\n"
    L"  Duduve_RegisterGroup  Group Target FIT|FILL Members\r\n"
    L"\r\n"
    L"Per axis: STRETCH (scale with window) | FIXED (keep size) |\r\n"
    L"UNIFORM (scale by min(Xscale,Yscale); use on both to keep shape).\r\n"
    L"Anchor: H = L|C|R, V = T|C|B.\r\n"
    L"\r\n"
    L"Page Enter: Clear, SetDesignSize, RegisterObject (each),\r\n"
    L"size the window, then Apply.\r\n"
    L"Resized event: Apply.\r\n"
    L"\r\n"
    L"Exports [Duduve.ScaleX/ScaleY/Uniform/FontScale/DPI/DPIScale].\r\n"
    L"Duduve Project";

struct SeenBox {
  bool Found = false;
  std::wstring ClassName;
  std::wstring Text;
  HWND Owner = nullptr;
  bool Gone = false;
};

// Calls _nbAbout here while a second thread finds the box, reads it and presses OK.
int ShowAbout(standin::StandInHost& host, SeenBox& seen) {
  standin::BackgroundDriver driver([&] {
    HWND box = standin::WaitForWindow(L"#32770", L"About Duduve");
    if (box == nullptr) return;
    seen.Found = true;
    seen.ClassName = standin::ClassName(box);
    seen.Text = standin::MessageBoxText(box);
    seen.Owner = GetWindow(box, GW_OWNER);
    standin::DismissMessageBox(box);
    seen.Gone = standin::WaitForWindowGone(box);
    if (!seen.Gone) PostMessageW(box, WM_CLOSE, 0, 0);
  });
  return host.About();
}

using About = LoadedPlugin;

TEST_F(About, BeforeRegistrationShowsTheBoxWithItsExactTextAndReturnsZero) {
  SeenBox seen;
  EXPECT_EQ(ShowAbout(host, seen), 0);
  ASSERT_TRUE(seen.Found);
  EXPECT_EQ(seen.ClassName, L"#32770");
  EXPECT_EQ(seen.Text, kAboutText);
  EXPECT_TRUE(seen.Gone);
  EXPECT_EQ(host.Account().PluginAllocations(), 0u);
}

TEST_F(About, TheBoxIsOwnedByTheActiveWindowOfTheCallingThread) {
  host.RegisterPlugIn();
  host.InitPlugIn();
  SetActiveWindow(host.Window());
  ASSERT_EQ(GetActiveWindow(), host.Window());
  SeenBox seen;
  EXPECT_EQ(ShowAbout(host, seen), 0);
  ASSERT_TRUE(seen.Found);
  EXPECT_EQ(seen.Owner, host.Window());
  EXPECT_EQ(seen.Text, kAboutText);
}

}  // namespace
}  // namespace boundary_test
