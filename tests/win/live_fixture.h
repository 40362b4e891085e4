#pragma once
// The live preview window under test: a page file in a folder of its own, the window run on
// the test's thread while a second thread drives it, and the rectangles its objects have.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "live_window.h"
#include "page_file.h"
#include "preview_options.h"
#include "stand_in_host.h"

namespace preview {

Page Parsed(const std::string& text);
std::vector<standin::Box> DesignBoxes(const Page& page);
// The batch mode's rectangles for the page at each size.
std::vector<std::vector<standin::Box>> BatchBoxes(const std::string& text,
                                                  const std::vector<WindowSize>& sizes);
// The window of the page object with this name, wherever it is nested in `window`.
HWND FindObjectWindow(HWND window, const std::string& name);
// Every page object's window rectangle in the live window's client pixels, read here.
std::vector<standin::Box> LiveBoxes(HWND window, const Page& page);
// Waits until the live window's objects have the rectangles, then checks each.
void ExpectBoxes(HWND window, const Page& page, const std::vector<standin::Box>& expected,
                 const char* when);

// The list of script lines in the window of script lines, its entries (text and line) and
// its status line.
HWND List(HWND lines);
std::vector<std::pair<std::wstring, int>> Entries(HWND lines);
std::wstring Status(HWND lines);

class LiveFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Write(std::string_view text);
  std::string Read(const std::wstring& path);
  // Opens the live window on the page file, runs it here while `drive` works on a second
  // thread, and returns what closing found. `lines_` is the window of script lines.
  LiveEnd RunLive(const std::function<void(HWND)>& drive);

  std::wstring folder_;
  std::wstring path_;
  std::wstring picture_;
  HWND lines_ = nullptr;
};

}  // namespace preview
