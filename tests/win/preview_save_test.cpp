// Writing an edited page back: the file is replaced safely and its previous version becomes
// the .bak only once the replace has succeeded; a line added after the last line gets the
// file's line end whatever that last line ends in, and the page still reads as it did.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "file_output.h"
#include "page_file.h"
#include "page_text_edit.h"

namespace preview {
namespace {

constexpr char kOldPage[] = "old page\r\n";
constexpr char kOldBackup[] = "old backup\r\n";
constexpr char kNewPage[] = "new page\r\n";

class PreviewSave : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"duduve-save-test-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(MakeFolders(folder_));
    path_ = folder_ + L"\\edited.page";
    backup_ = path_ + L".bak";
    Put(path_, kOldPage);
    Put(backup_, kOldBackup);
  }

  void TearDown() override {
    for (const auto& name : Files()) {
      const std::wstring file = folder_ + L"\\" + name;
      SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(file.c_str())) RemoveDirectoryW(file.c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }

  static void Put(const std::wstring& path, std::string_view text) {
    ASSERT_FALSE(WriteAllOrNothing({{path, {text.begin(), text.end()}}}));
  }

  static std::string Read(const std::wstring& path) {
    return ReadWholeFile(path).value_or("(unreadable)");
  }

  // The folder's entries, sorted: a save leaves no temporary file behind.
  std::vector<std::wstring> Files() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

  void ExpectNothingChanged() {
    EXPECT_EQ(Read(path_), kOldPage);
    EXPECT_EQ(Read(backup_), kOldBackup);
    EXPECT_EQ(Files(), (std::vector<std::wstring>{L"edited.page", L"edited.page.bak"}));
  }

  std::wstring folder_;
  std::wstring path_;
  std::wstring backup_;
};

TEST_F(PreviewSave, ReplacesTheFileAndKeepsItsPreviousVersionAsTheBak) {
  EXPECT_EQ(SaveSafely(path_, kNewPage), std::nullopt);
  EXPECT_EQ(Read(path_), kNewPage);
  EXPECT_EQ(Read(backup_), kOldPage);
  EXPECT_EQ(Files(), (std::vector<std::wstring>{L"edited.page", L"edited.page.bak"}));
}

TEST_F(PreviewSave, AFileHeldOpenIsNotReplacedAndTheOldBakStays) {
  // Held without any sharing, the file cannot even be read; shared for reading only, it is
  // read but cannot be replaced.
  const struct {
    DWORD Sharing;
    std::wstring Step;
  } holders[] = {{0, L"cannot read the file: "}, {FILE_SHARE_READ, L"cannot replace the file: "}};
  for (const auto& holder : holders) {
    SCOPED_TRACE(holder.Sharing);
    const HANDLE held = CreateFileW(path_.c_str(), GENERIC_READ, holder.Sharing, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const auto failure = SaveSafely(path_, kNewPage);
    CloseHandle(held);
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->starts_with(holder.Step)) << *failure;
    EXPECT_TRUE(failure->ends_with(L"; nothing changed")) << *failure;
    ExpectNothingChanged();
  }
}

TEST_F(PreviewSave, AReadOnlyBakIsRefusedAndNothingChanges) {
  ASSERT_TRUE(SetFileAttributesW(backup_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(SaveSafely(path_, kNewPage), L"edited.page.bak is read-only; nothing changed");
  ExpectNothingChanged();
  EXPECT_EQ(GetFileAttributesW(backup_.c_str()) & FILE_ATTRIBUTE_READONLY,
            DWORD{FILE_ATTRIBUTE_READONLY});
}

TEST_F(PreviewSave, APreviousVersionThatCannotBecomeTheBakUndoesTheReplace) {
  // A folder in the .bak's place: the file is replaced first, then put back.
  ASSERT_TRUE(DeleteFileW(backup_.c_str()));
  ASSERT_TRUE(CreateDirectoryW(backup_.c_str(), nullptr));
  const auto failure = SaveSafely(path_, kNewPage);
  ASSERT_TRUE(failure.has_value());
  EXPECT_TRUE(failure->starts_with(L"cannot keep the previous version as edited.page.bak: "))
      << *failure;
  EXPECT_TRUE(failure->ends_with(L"; nothing changed")) << *failure;
  EXPECT_EQ(Read(path_), kOldPage);
  EXPECT_EQ(Files(), (std::vector<std::wstring>{L"edited.page", L"edited.page.bak"}));
}

// A page whose last line ends in `lastEnd`, its other lines in `lineEnd`.
std::string PageEndingIn(const char* lineEnd, const char* lastEnd) {
  return std::string("page 640 360") + lineEnd + "object Box 0 0 10 10" + lineEnd + "on enter" +
         lineEnd + "Duduve_Clear" + lastEnd;
}

TEST(PreviewLineEnds, ALineAddedAfterTheLastGetsTheFilesLineEndAndThePageStillReads) {
  const struct {
    const char* Name;
    std::string Text;
    std::string Expected;
  } cases[] = {
      {"CRLF", PageEndingIn("\r\n", "\r\n"), PageEndingIn("\r\n", "\r\n") + "Duduve_Apply\r\n"},
      {"CR alone", PageEndingIn("\r\n", "\r"), PageEndingIn("\r\n", "\r\n") + "Duduve_Apply\r\n"},
      {"LF alone", PageEndingIn("\r\n", "\n"), PageEndingIn("\r\n", "\n") + "Duduve_Apply\r\n"},
      {"nothing", PageEndingIn("\r\n", ""), PageEndingIn("\r\n", "\r\n") + "Duduve_Apply\r\n"},
      {"LF file, CR alone", PageEndingIn("\n", "\r"),
       PageEndingIn("\n", "\r\n") + "Duduve_Apply\n"},
      {"LF file, nothing", PageEndingIn("\n", ""), PageEndingIn("\n", "\n") + "Duduve_Apply\n"},
  };
  // After the last line by its number, and at the end of the file.
  for (const InsertionPoint where : {InsertionPoint{4, false}, InsertionPoint{0, false}}) {
    for (const auto& test : cases) {
      SCOPED_TRACE(std::string(test.Name) + (where.Line == 0 ? ", at the end" : ", after line 4"));
      const std::string text = InsertLine(test.Text, where, "Duduve_Apply");
      EXPECT_EQ(text, test.Expected);
      Page page;
      const auto error = ParsePage(text, "edited.page", page);
      ASSERT_FALSE(error.has_value()) << error->Text();
      ASSERT_EQ(page.Enter.size(), 2u);
      EXPECT_EQ(page.Enter[0].Action, "Duduve_Clear");
      EXPECT_EQ(page.Enter[1].Action, "Duduve_Apply");
      EXPECT_EQ(page.Enter[1].Line, 5);
    }
  }
}

}  // namespace
}  // namespace preview
