#include "file_output.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace preview {

namespace {

struct FileCloser {
  void operator()(HANDLE file) const {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
};
using UniqueFile = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser>;

UniqueFile Open(const std::wstring& path, DWORD access, DWORD disposition) {
  HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// 0 when every byte reached the disk, else the system's error code.
DWORD WriteBytes(const std::wstring& path, const void* data, std::size_t size) {
  UniqueFile file = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
  if (!file) return GetLastError();
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::size_t at = 0;
  while (at < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - at, 1u << 24));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes + at, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    at += written;
  }
  return FlushFileBuffers(file.get()) ? 0 : GetLastError();
}

bool WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  return WriteBytes(path, bytes.data(), bytes.size()) == 0;
}

// The system's text for an error code, without its line end.
std::wstring SystemMessage(DWORD error) {
  wchar_t text[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, 512, nullptr);
  std::wstring message(text, length);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  return message.empty() ? L"error " + std::to_wstring(error) : message;
}

std::wstring FileName(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  UniqueFile file = Open(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (64 << 20)) return std::nullopt;
  std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t at = 0;
  while (at < text.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), text.data() + at, static_cast<DWORD>(text.size() - at), &read,
                  nullptr) ||
        read == 0) {
      return std::nullopt;
    }
    at += read;
  }
  return text;
}

bool MakeFolders(const std::wstring& path) {
  if (path.empty()) return true;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const auto slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos && slash > 0 && path[slash - 1] != L':' &&
      !MakeFolders(path.substr(0, slash))) {
    return false;
  }
  return CreateDirectoryW(path.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::optional<std::wstring> WriteAllOrNothing(const std::vector<OutputFile>& files) {
  std::vector<std::wstring> parts;
  const auto removeParts = [&] {
    for (const auto& part : parts) DeleteFileW(part.c_str());
  };
  for (const auto& file : files) {
    parts.push_back(file.Path + L".part");
    if (!WriteBytes(parts.back(), file.Bytes)) {
      removeParts();
      return file.Path;
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!MoveFileExW(parts[i].c_str(), files[i].Path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      removeParts();
      return files[i].Path;
    }
  }
  return std::nullopt;
}

std::optional<std::wstring> SaveSafely(const std::wstring& path, std::string_view bytes) {
  const auto unchanged = [](const std::wstring& why) { return why + L"; nothing changed"; };
  const std::wstring backup = path + L".bak";
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return unchanged(SystemMessage(GetLastError()));
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return unchanged(L"the file is read-only");
  const DWORD backupAttributes = GetFileAttributesW(backup.c_str());
  if (backupAttributes != INVALID_FILE_ATTRIBUTES &&
      (backupAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return unchanged(FileName(backup) + L" is read-only");
  }
  const std::wstring suffix = L"-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring temporary = path + L".saving" + suffix;
  const std::wstring previous = path + L".previous" + suffix;
  // Each failure removes what this save wrote and says why.
  const auto fail = [&](const std::wstring& step, DWORD error) {
    DeleteFileW(temporary.c_str());
    DeleteFileW(previous.c_str());
    return unchanged(step + L": " + SystemMessage(error));
  };
  constexpr DWORD kReplace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (const DWORD error = WriteBytes(temporary, bytes.data(), bytes.size())) {
    return fail(L"cannot write " + FileName(temporary), error);
  }
  // The previous version waits beside the file and becomes the .bak only once the file has
  // been replaced: a replace that fails leaves the old .bak as it was.
  if (!CopyFileW(path.c_str(), previous.c_str(), FALSE)) {
    return fail(L"cannot read the file", GetLastError());
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(), kReplace)) {
    return fail(L"cannot replace the file", GetLastError());
  }
  if (!MoveFileExW(previous.c_str(), backup.c_str(), kReplace)) {
    const DWORD error = GetLastError();
    // A save without its .bak is undone: the previous version goes back into place.
    if (MoveFileExW(previous.c_str(), path.c_str(), kReplace)) {
      return fail(L"cannot keep the previous version as " + FileName(backup), error);
    }
    return L"the file holds the new text, but its previous version could not become " +
           FileName(backup) + L" (" + SystemMessage(error) + L") and is kept as " +
           FileName(previous);
  }
  return std::nullopt;
}

}  // namespace preview
