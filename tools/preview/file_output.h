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
// Replaces a file's bytes safely: the new bytes go to a temporary file in the same folder and
// replace the file; only then does the previous version become PATH.bak. A read-only file or
// .bak is refused. On failure the text says why and that nothing changed (the file and the
// old .bak are as they were, the temporary files removed); only when the previous version can
// neither become the .bak nor go back does it say that the file holds the new text.
std::optional<std::wstring> SaveSafely(const std::wstring& path, std::string_view bytes);
// Writes each file under a temporary name beside it, and only once every one is complete
// renames them all into place; on failure removes what it wrote and says which file failed.
std::optional<std::wstring> WriteAllOrNothing(const std::vector<OutputFile>& files);

}  // namespace preview
