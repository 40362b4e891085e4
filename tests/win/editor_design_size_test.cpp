// The design-size editor, driven through _nbEditAction as an author would.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor_session.h"

namespace editor_test {
namespace {

constexpr const wchar_t* kTitle = L"Duduve - Design Size";
constexpr int kWidthBox = 100;
constexpr int kHeightBox = 101;
constexpr int kOk = 102;
constexpr int kCancel = 103;
constexpr const wchar_t* kRangeMessage = L"Width and height must be 1..8192.";

class EditorDesignSize : public ::testing::Test {
 protected:
  EditorHost host;

  // Types both boxes, presses OK and expects the editor to close.
  int Confirm(standin::HostParams& params, const std::wstring& width, const std::wstring& height) {
    return RunEdited(host.Host(), 1, params, [&] {
      HWND editor = WaitForEditor(kTitle, kCancel);
      ASSERT_NE(editor, nullptr);
      Type(editor, kWidthBox, width);
      Type(editor, kHeightBox, height);
      EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
    });
  }
};

TEST_F(EditorDesignSize, BlankParametersShowTheDefaultsAndOkWritesThem) {
  standin::HostParams params{"", " "};
  const int result = RunEdited(host.Host(), 1, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Text(editor, kWidthBox), L"1280");
    EXPECT_EQ(Text(editor, kHeightBox), L"720");
    SaveScreenshot(editor, L"design-size");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(0), "1280");
  EXPECT_EQ(params.Text(1), "720");
}

TEST_F(EditorDesignSize, ShowsTrimmedParametersAndTheDefaultForAnUnreadableOne) {
  // A byte above 126 makes a parameter unreadable: its default shows instead.
  standin::HostParams params{"  1024 ", "\xE9"};
  const int result = RunEdited(host.Host(), 1, params, [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Text(editor, kWidthBox), L"1024");
    EXPECT_EQ(Text(editor, kHeightBox), L"720");
    EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
  });
  EXPECT_EQ(result, 0);
}

TEST_F(EditorDesignSize, NumbersAreReadAsTheHostReadsThemAndWrittenBackPlain) {
  standin::HostParams params{"1", "1"};
  EXPECT_EQ(Confirm(params, L" 0800px", L"600"), 1);
  EXPECT_EQ(params.Text(0), "800");
  EXPECT_EQ(params.Text(1), "600");

  // $ reads hexadecimal; 2^32 + 1 keeps only its low 32 bits, 1.
  EXPECT_EQ(Confirm(params, L"$400", L"4294967297"), 1);
  EXPECT_EQ(params.Text(0), "1024");
  EXPECT_EQ(params.Text(1), "1");

  EXPECT_EQ(Confirm(params, L"8192", L"8192"), 1);
  EXPECT_EQ(params.Text(0), "8192");
  EXPECT_EQ(params.Text(1), "8192");
}

TEST_F(EditorDesignSize, OutOfRangeSizesAreRefusedAndTheEditorStaysAsTyped) {
  standin::HostParams params{"640", "480"};
  const std::vector<std::pair<std::wstring, std::wstring>> refused = {
      {L"0", L"600"},    {L"8193", L"600"}, {L"800", L"0"},
      {L"800", L"8193"}, {L"abc", L"600"},  {L"-5", L"600"}};
  const int result = RunEdited(host.Host(), 1, params, [&] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    for (const auto& [width, height] : refused) {
      Type(editor, kWidthBox, width);
      Type(editor, kHeightBox, height);
      EXPECT_EQ(PressExpectingRefusal(editor, kOk), kRangeMessage);
      EXPECT_TRUE(IsWindow(editor));
      EXPECT_EQ(Text(editor, kWidthBox), width);
      EXPECT_EQ(Text(editor, kHeightBox), height);
    }
    Type(editor, kWidthBox, L"1");
    Type(editor, kHeightBox, L"2");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(params.Text(0), "1");
  EXPECT_EQ(params.Text(1), "2");
}

TEST_F(EditorDesignSize, CancelAndTheCloseBoxWriteNothingEvenAfterARefusal) {
  standin::HostParams params{"640", "480"};
  char* const width = params.Slot(0);
  char* const height = params.Slot(1);
  for (const bool closeBox : {false, true}) {
    const int result = RunEdited(host.Host(), 1, params, [&] {
      HWND editor = WaitForEditor(kTitle, kCancel);
      ASSERT_NE(editor, nullptr);
      Type(editor, kWidthBox, L"0");
      EXPECT_EQ(PressExpectingRefusal(editor, kOk), kRangeMessage);
      Type(editor, kWidthBox, L"800");
      if (closeBox) {
        PostMessageW(editor, WM_CLOSE, 0, 0);
        EXPECT_TRUE(standin::WaitForWindowGone(editor));
      } else {
        EXPECT_TRUE(PressAndWaitClosed(editor, kCancel));
      }
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(params.Slot(0), width);
    EXPECT_EQ(params.Slot(1), height);
    EXPECT_EQ(params.Text(0), "640");
    EXPECT_EQ(params.Text(1), "480");
  }
}

TEST_F(EditorDesignSize, ANullParameterArrayShowsTheDefaultsAndOkStillConfirms) {
  const int result = RunEdited(host.Host(), 1, static_cast<char**>(nullptr), [] {
    HWND editor = WaitForEditor(kTitle, kCancel);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Text(editor, kWidthBox), L"1280");
    EXPECT_EQ(Text(editor, kHeightBox), L"720");
    EXPECT_TRUE(PressAndWaitClosed(editor, kOk));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(host.Host().FaultReport(), "");
}

}  // namespace
}  // namespace editor_test
