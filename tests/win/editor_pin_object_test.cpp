// The pin editor: the nine points as lists, codes written back, both names required
// and distinct, two Pick buttons.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kTitle = L"Duduve - Pin Object";
constexpr int kNameBox = 400;
constexpr int kNamePick = 401;
constexpr int kTargetBox = 402;
constexpr int kTargetPick = 403;
constexpr int kSourcePoint = 404;
constexpr int kTargetPoint = 405;
constexpr int kOffsetX = 406;
constexpr int kOffsetY = 407;
constexpr int kOk = 408;
constexpr int kCancel = 409;
constexpr const wchar_t* kBothRequired = L"Both the object and the target are required.";
constexpr const wchar_t* kNotItself = L"An object cannot be pinned to itself.";

using Words = std::vector<std::string>;

std::vector<std::string> Texts(const standin::HostParams& params) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < params.Size(); ++i) texts.push_back(params.Text(i));
  return texts;
}

class EditorPinObject : public ::testing::Test {
 protected:
  EditorHost host;
};

TEST_F(EditorPinObject, BlankParametersOpenOnBottomCenterAndTopCenter) {
  standin::HostParams params{"", "", "", "", "", ""};
  const int result = RunEdited(host.Host(), 6, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    const std::vector<std::wstring> points = {L"Top-Left",    L"Top-Center",    L"Top-Right",
                                              L"Center-Left", L"Center",        L"Center-Right",
                                              L"Bottom-Left", L"Bottom-Center", L"Bottom-Right"};
    EXPECT_EQ(Entries(editor, kSourcePoint), points);
    EXPECT_EQ(Entries(editor, kTargetPoint), points);
    EXPECT_EQ(Text(editor, kNameBox), L"");
    EXPECT_EQ(Text(editor, kTargetBox), L"");
    EXPECT_EQ(Chosen(editor, kSourcePoint), 7);
    EXPECT_EQ(Chosen(editor, kTargetPoint), 1);
    EXPECT_EQ(Text(editor, kOffsetX), L"0");
    EXPECT_EQ(Text(editor, kOffsetY), L"0");
    Type(editor, kNameBox, L"Flame");
    Type(editor, kTargetBox, L"Torch");
    SaveScreenshot(editor, L"pin-object");
    // Dropped, the list has room for all nine points.
    HWND pointList = Item(editor, kSourcePoint);
    SendMessageW(pointList, CB_SHOWDROPDOWN, TRUE, 0);
    RECT dropped{};
    SendMessageW(pointList, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const auto itemHeight = SendMessageW(pointList, CB_GETITEMHEIGHT, 0, 0);
    const RECT closed = ChildRect(pointList);
    EXPECT_GE(dropped.bottom - dropped.top - (closed.bottom - closed.top), 9 * itemHeight);
    SaveScreenshot(editor, L"pin-object-points-dropped");
    SendMessageW(pointList, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(Chosen(editor, kSourcePoint), 7);
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Flame", "Torch", "BC", "TC", "0", "0"}));
}

TEST_F(EditorPinObject, PointCodesAreMatchedWholeAndWrittenAsCodes) {
  standin::HostParams params{"Flame", "Torch", "bl ", "XX", "+5", "2.9"};
  int result = RunEdited(host.Host(), 6, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Chosen(editor, kSourcePoint), 6);
    EXPECT_EQ(Chosen(editor, kTargetPoint), 4);
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Flame", "Torch", "BL", "CC", "5", "2"}));

  result = RunEdited(host.Host(), 6, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    Choose(editor, kSourcePoint, 0);
    Choose(editor, kTargetPoint, 8);
    Type(editor, kOffsetX, L"-3");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Flame", "Torch", "TL", "BR", "-3", "2"}));
}

TEST_F(EditorPinObject, MissingOrIdenticalNamesAreRefusedUntilCorrected) {
  standin::HostParams params{"", "", "", "", "", ""};
  const std::vector<std::pair<std::wstring, std::wstring>> missing = {
      {L"", L""}, {L"Flame", L""}, {L"", L"Torch"}, {L"  ", L"Torch"}};
  const int result = RunEdited(host.Host(), 6, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    for (const auto& [name, target] : missing) {
      Type(editor, kNameBox, name);
      Type(editor, kTargetBox, target);
      EXPECT_EQ(PressExpectingRefusal(editor, kOk), kBothRequired);
    }
    Type(editor, kNameBox, L"Flame");
    Type(editor, kTargetBox, L" FLAME");
    EXPECT_EQ(PressExpectingRefusal(editor, kOk), kNotItself);
    EXPECT_EQ(Text(editor, kTargetBox), L" FLAME");
    // Names that differ by an inner blank are different objects.
    Type(editor, kNameBox, L"Torch A");
    Type(editor, kTargetBox, L"TorchA");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Texts(params), (Words{"Torch A", "TorchA", "BC", "TC", "0", "0"}));
}

TEST_F(EditorPinObject, CancelAfterARefusalWritesNothing) {
  standin::HostParams params{"Flame", "Torch", "TL", "TL", "1", "1"};
  const auto before = Texts(params);
  const int result = RunEdited(host.Host(), 6, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    Type(editor, kTargetBox, L"flame");
    EXPECT_EQ(PressExpectingRefusal(editor, kOk), kNotItself);
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Texts(params), before);
}

TEST_F(EditorPinObject, EachPickFillsItsOwnBox) {
  standin::HostParams params{"", "Keep", "", "", "", ""};
  const int result = RunEdited(host.Host(), 6, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    host.Pick(editor, kNamePick, "Flame");
    EXPECT_EQ(Text(editor, kNameBox), L"Flame");
    EXPECT_EQ(Text(editor, kTargetBox), L"Keep");
    host.Pick(editor, kTargetPick, "");
    EXPECT_EQ(Text(editor, kTargetBox), L"Keep");
    host.Pick(editor, kTargetPick, "Torch");
    EXPECT_EQ(Text(editor, kNameBox), L"Flame");
    EXPECT_EQ(Text(editor, kTargetBox), L"Torch");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(0), "Flame");
  EXPECT_EQ(params.Text(1), "Torch");
}

}  // namespace
}  // namespace editor_test
