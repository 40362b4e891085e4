#pragma once
// Files written all or nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace preview {

struct OutputFile {
  std::wstring Path;
  std::vector<std::uint8_t> Bytes;
};

// The whole file as bytes; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// Creates the folder and any missing parents; false when it cannot.
bool MakeFolders(const std::wstring& path);
// Replaces a file's bytes safely: the new bytes go to a temporary file in the same folder,
// the previous version is kept as PATH.bak, then the temporary file replaces the file. A
// read-only file is refused. On failure nothing has changed (the temporary file is removed)
// and the text says why.
std::optional<std::wstring> SaveSafely(const std::wstring& path, std::string_view bytes);
// Writes each file under a temporary name beside it, and only once every one is complete
// renames them all into place; on failure removes what it wrote and says which file failed.
std::optional<std::wstring> WriteAllOrNothing(const std::vector<OutputFile>& files);

}  // namespace preview
