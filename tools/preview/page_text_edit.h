#pragma once
// Changes to a page file's text that touch one line only: every other byte (comments, blank
// lines, spacing, line ends) stays as it is.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "page_file.h"

namespace preview {

// Where a new line goes: before or after an existing one, or at the end of the file.
struct InsertionPoint {
  int Line = 0;  // 0: at the end of the file
  bool Before = true;
};

// The text with line `number` (1-based) replaced by `content`, its indentation and line end
// kept; nullopt when the text has no such line.
std::optional<std::string> ReplaceLine(std::string_view text, int number, std::string_view content);
// The text with `content` added as a line of its own at `where`, ending in the line end the
// file uses (CRLF for a file that has none yet). Added after the last line, it first completes
// that line's end: a lone CR gains an LF, a missing end becomes the file's.
std::string InsertLine(std::string_view text, const InsertionPoint& where,
                       std::string_view content);

// Whether a parameter can be written between double quotes on one line of a page file.
bool FitsInPageFile(std::string_view param);

// The page-entry line that registers `name` and wins (the last one), 0 when there is none.
int RegisteringLine(const Page& page, std::string_view name);
// Where a new registration goes: before page entry's first Duduve_Apply, else after page
// entry's last line.
InsertionPoint RegistrationPoint(const Page& page);

}  // namespace preview
