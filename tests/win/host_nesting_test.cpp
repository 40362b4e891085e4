// The stand-in host's nested pages, without the plug-in: objects inside bordered containers
// and a host window laid out right to left read back at the boxes they were made with, in
// host client pixels, and their windows really sit where a host's would.
#include <gtest/gtest.h>
#include <windows.h>

#include "stand_in_host.h"

namespace standin {
namespace {

// Where a window sits inside its parent's client area.
POINT PlaceInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top};
}

// A side panel with a bordered card inside it and a button inside the card.
constexpr Box kPanel{100, 80, 400, 300};
constexpr Box kCard{150, 120, 200, 150};
constexpr Box kButton{170, 140, 60, 30};

TEST(StandInHostNesting, ObjectsInsideBorderedContainersReadBackAtTheirBoxes) {
  StandInHost host(640, 480);
  HWND panel = host.AddObject("Panel", kPanel, {}, ObjectFrame::Bordered);
  HWND card = host.AddObject("Card", kCard, "panel", ObjectFrame::Bordered);
  HWND button = host.AddObject("Button", kButton, "Card");
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(card, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(GetParent(panel), host.Window());
  EXPECT_EQ(GetParent(card), panel);
  EXPECT_EQ(GetParent(button), card);

  EXPECT_EQ(host.ObjectBox("Panel"), kPanel);
  EXPECT_EQ(host.ObjectBox("Card"), kCard);
  EXPECT_EQ(host.ObjectBox("Button"), kButton);
  // The border's two pixels on every side are outside the client area, which the windows
  // inside are placed in.
  EXPECT_EQ(host.ClientAreaBox(panel), (Box{102, 82, 396, 296}));
  EXPECT_EQ(host.ClientAreaBox(card), (Box{152, 122, 196, 146}));
  EXPECT_EQ(host.ClientAreaBox(button), kButton);
  EXPECT_EQ(PlaceInParent(card).x, 150 - 102);
  EXPECT_EQ(PlaceInParent(card).y, 120 - 82);
  EXPECT_EQ(PlaceInParent(button).x, 170 - 152);
  EXPECT_EQ(PlaceInParent(button).y, 140 - 122);
  EXPECT_TRUE(GetWindowLongPtrW(panel, GWL_STYLE) & WS_CLIPCHILDREN);
  // A later object lies on top of the earlier ones beside it, as pages draw them.
  HWND beside = host.AddObject("Beside", {120, 100, 50, 50}, "Panel");
  EXPECT_EQ(GetWindow(panel, GW_CHILD), beside);
  EXPECT_EQ(GetWindow(beside, GW_HWNDNEXT), card);

  // A container's move carries what is inside it.
  SetWindowPos(panel, nullptr, 110, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(host.ObjectBox("Card"), (Box{160, 130, 200, 150}));
  EXPECT_EQ(host.ObjectBox("Button"), (Box{180, 150, 60, 30}));
}

TEST(StandInHostNesting, AnUnknownContainerMakesNoWindow) {
  StandInHost host(640, 480);
  host.AddObject("Panel", kPanel);
  EXPECT_EQ(host.AddObject("Card", kCard, "Pannel"), nullptr);
  EXPECT_EQ(host.ObjectWindow("Card"), nullptr);
  EXPECT_EQ(GetWindow(host.ObjectWindow("Panel"), GW_CHILD), nullptr);
  EXPECT_EQ(GetWindow(GetWindow(host.Window(), GW_CHILD), GW_HWNDNEXT), nullptr);
}

TEST(StandInHostNesting, RemovingAContainerForgetsWhatIsInside) {
  StandInHost host(640, 480);
  host.AddObject("Panel", kPanel);
  host.AddObject("Card", kCard, "Panel");
  HWND button = host.AddObject("Button", kButton, "Card");
  host.AddObject("Beside", {10, 10, 20, 20});
  EXPECT_TRUE(host.RemoveObject("Card"));
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(host.ObjectWindow("Card"), nullptr);
  EXPECT_EQ(host.ObjectWindow("Button"), nullptr);
  EXPECT_EQ(host.ObjectBox("Panel"), kPanel);
  EXPECT_EQ(host.ObjectBox("Beside"), (Box{10, 10, 20, 20}));
}

TEST(StandInHostNesting, AHostLaidOutRightToLeftMirrorsEveryObject) {
  StandInHost host(640, 480, HostFrame::Popup, HostLayout::RightToLeft);
  EXPECT_TRUE(GetWindowLongPtrW(host.Window(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  EXPECT_EQ(host.ClientBox(), (Box{0, 0, 640, 480}));
  HWND panel = host.AddObject("Panel", kPanel, {}, ObjectFrame::Bordered);
  HWND card = host.AddObject("Card", kCard, "Panel", ObjectFrame::Bordered);
  HWND button = host.AddObject("Button", kButton, "Card");
  HWND logo = host.AddObject("Logo", {10, 20, 50, 40});
  for (HWND window : {panel, card, button, logo}) {
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) << "inherited";
  }
  EXPECT_EQ(host.ObjectBox("Panel"), kPanel);
  EXPECT_EQ(host.ObjectBox("Card"), kCard);
  EXPECT_EQ(host.ObjectBox("Button"), kButton);
  EXPECT_EQ(host.ObjectBox("Logo"), (Box{10, 20, 50, 40}));
  EXPECT_EQ(host.ClientAreaBox(card), (Box{152, 122, 196, 146}));

  // Left counts from the right edge: on the screen the logo ends 10 pixels left of the host
  // window's right edge (a popup's client area is its window rectangle).
  RECT hostOnScreen{};
  RECT logoOnScreen{};
  GetWindowRect(host.Window(), &hostOnScreen);
  GetWindowRect(logo, &logoOnScreen);
  EXPECT_EQ(logoOnScreen.right, hostOnScreen.right - 10);
  EXPECT_EQ(logoOnScreen.right - logoOnScreen.left, 50);
  RECT buttonOnScreen{};
  GetWindowRect(button, &buttonOnScreen);
  EXPECT_EQ(buttonOnScreen.right, hostOnScreen.right - 170);
}

}  // namespace
}  // namespace standin
