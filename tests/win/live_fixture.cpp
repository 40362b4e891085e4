#include "live_fixture.h"

#include "editor_session.h"
#include "file_output.h"
#include "line_list_window.h"
#include "preview_run.h"
#include "window_driver.h"

namespace preview {

using editor_test::WaitUntil;

Page Parsed(const std::string& text) {
  Page page;
  EXPECT_FALSE(ParsePage(text, "live.page", page));
  return page;
}

std::vector<standin::Box> DesignBoxes(const Page& page) {
  std::vector<standin::Box> boxes;
  for (const auto& object : page.Objects) {
    boxes.push_back({object.Left, object.Top, object.Width, object.Height});
  }
  return boxes;
}

std::vector<std::vector<standin::Box>> BatchBoxes(const std::string& text,
                                                  const std::vector<WindowSize>& sizes) {
  Page page = Parsed(text);
  PreviewRun run;
  const auto failure =
      PlayPage(page, sizes, standin::StandInHost::DefaultDllPath(), "live.page", run);
  EXPECT_FALSE(failure.has_value()) << failure->Text;
  std::vector<std::vector<standin::Box>> boxes;
  for (const auto& size : run.Sizes) boxes.push_back(size.Boxes);
  return boxes;
}

HWND FindObjectWindow(HWND window, const std::string& name) {
  for (HWND child = FindWindowExA(window, nullptr, "DuduveStandInObject", nullptr);
       child != nullptr; child = FindWindowExA(window, child, "DuduveStandInObject", nullptr)) {
    if (standin::WindowText(child) == FromAnsi(name)) return child;
    if (HWND inside = FindObjectWindow(child, name)) return inside;
  }
  return nullptr;
}

std::vector<standin::Box> LiveBoxes(HWND window, const Page& page) {
  std::vector<standin::Box> boxes;
  for (const auto& object : page.Objects) {
    HWND child = FindObjectWindow(window, object.Name);
    RECT bounds{};
    if (child == nullptr || !GetWindowRect(child, &bounds)) {
      boxes.push_back({});
      continue;
    }
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    boxes.push_back(
        {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top});
  }
  return boxes;
}

void ExpectBoxes(HWND window, const Page& page, const std::vector<standin::Box>& expected,
                 const char* when) {
  WaitUntil([&] { return LiveBoxes(window, page) == expected; });
  const auto boxes = LiveBoxes(window, page);
  ASSERT_EQ(boxes.size(), expected.size());
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(boxes[i], expected[i]) << page.Objects[i].Name << " " << when;
  }
}

HWND List(HWND lines) {
  return GetDlgItem(lines, LineListWindow::kListId);
}

std::vector<std::pair<std::wstring, int>> Entries(HWND lines) {
  HWND list = List(lines);
  std::vector<std::pair<std::wstring, int>> entries;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; static_cast<LRESULT>(i) < count; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    entries.emplace_back(text, static_cast<int>(SendMessageW(list, LB_GETITEMDATA, i, 0)));
  }
  return entries;
}

std::wstring Status(HWND lines) {
  return standin::WindowText(GetDlgItem(lines, LineListWindow::kStatusId));
}

void LiveFixture::SetUp() {
  standin::GlobalAccount::Instance().ClearFaults();
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  folder_ = std::wstring(temp) + L"duduve-live-test-" + std::to_wstring(GetCurrentProcessId());
  ASSERT_TRUE(MakeFolders(folder_));
  path_ = folder_ + L"\\live.page";
  picture_ = folder_ + L"\\live-live-800x600.png";
}

void LiveFixture::TearDown() {
  SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const std::wstring& file : {path_, path_ + L".bak", picture_}) DeleteFileW(file.c_str());
  RemoveDirectoryW(folder_.c_str());
}

void LiveFixture::Write(std::string_view text) {
  ASSERT_FALSE(WriteAllOrNothing({{path_, {text.begin(), text.end()}}}));
}

std::string LiveFixture::Read(const std::wstring& path) {
  return ReadWholeFile(path).value_or("");
}

LiveEnd LiveFixture::RunLive(const std::function<void(HWND)>& drive) {
  LiveWindow live({path_, "live.page", standin::StandInHost::DefaultDllPath(), folder_, L"live"});
  const auto failure = live.Open();
  if (failure) {
    ADD_FAILURE() << failure->Text;
    return {};
  }
  HWND window = live.Window();
  lines_ = live.LinesWindow();
  standin::BackgroundDriver driver([&] {
    drive(window);
    // A failed step still ends the window, so the test never hangs.
    if (!WaitUntil([&] { return !IsWindowVisible(window); })) {
      ADD_FAILURE() << "the live window was still open";
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  });
  return live.Run();
}

}  // namespace preview
