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

bool WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  UniqueFile file = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
  if (!file) return false;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 24));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + at, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    at += written;
  }
  return FlushFileBuffers(file.get()) != 0;
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

}  // namespace preview
