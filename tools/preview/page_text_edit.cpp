#include "page_text_edit.h"

#include "ascii_text.h"
#include "core/casing.h"

namespace preview {

namespace {

// One line of the text: [Begin, End) is its content without the line end, Next where the
// following line starts (the text's size for the last line).
struct LineSpan {
  std::size_t Begin = 0;
  std::size_t End = 0;
  std::size_t Next = 0;
};

std::optional<LineSpan> FindLine(std::string_view text, int number) {
  std::size_t begin = 0;
  for (int line = 1; begin < text.size() || (line == 1 && number == 1); ++line) {
    const std::size_t newline = text.find('\n', begin);
    const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    std::size_t end = newline == std::string_view::npos ? text.size() : newline;
    if (end > begin && text[end - 1] == '\r') --end;
    if (line == number) return LineSpan{begin, end, next};
    begin = next;
  }
  return std::nullopt;
}

std::string_view Indentation(std::string_view text, const LineSpan& span) {
  std::size_t end = span.Begin;
  while (end < span.End && (text[end] == ' ' || text[end] == '\t')) ++end;
  return text.substr(span.Begin, end - span.Begin);
}

// The line end the file uses: that of its first line, CRLF when it has none.
std::string_view LineEnd(std::string_view text) {
  const std::size_t newline = text.find('\n');
  if (newline == std::string_view::npos) return "\r\n";
  return newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

}  // namespace

std::optional<std::string> ReplaceLine(std::string_view text, int number,
                                       std::string_view content) {
  const auto span = FindLine(text, number);
  if (!span) return std::nullopt;
  std::string result(text.substr(0, span->Begin));
  result.append(Indentation(text, *span)).append(content).append(text.substr(span->End));
  return result;
}

std::string InsertLine(std::string_view text, const InsertionPoint& where,
                       std::string_view content) {
  const std::string_view lineEnd = LineEnd(text);
  std::size_t at = text.size();
  std::string_view indent;
  if (const auto span = where.Line > 0 ? FindLine(text, where.Line) : std::nullopt) {
    at = where.Before ? span->Begin : span->Next;
    indent = Indentation(text, *span);
  }
  std::string result(text.substr(0, at));
  // After the last line, that line's end is made whole first, keeping its bytes: a lone CR
  // gains the LF that makes it a line end to the page reader, no end at all gets the file's.
  if (at == text.size() && !result.empty() && result.back() != '\n') {
    result.append(result.back() == '\r' ? "\n" : lineEnd);
  }
  return result.append(indent).append(content).append(lineEnd).append(text.substr(at));
}

bool FitsInPageFile(std::string_view param) {
  return param.find_first_of(std::string_view("\"\r\n\0", 4)) == std::string_view::npos;
}

int RegisteringLine(const Page& page, std::string_view name) {
  const std::wstring key = duduve::NameKey(Widen(name));
  int found = 0;
  for (const auto& line : page.Enter) {
    if (IsAction(line.ActionId, duduve::ActionId::RegisterObject) && !line.Params.empty() &&
        duduve::NameKey(Widen(line.Params[0])) == key) {
      found = line.Line;
    }
  }
  return found;
}

InsertionPoint RegistrationPoint(const Page& page) {
  for (const auto& line : page.Enter) {
    if (IsAction(line.ActionId, duduve::ActionId::Apply)) return {line.Line, true};
  }
  if (!page.Enter.empty()) return {page.Enter.back().Line, false};
  if (page.EnterLine != 0) return {page.EnterLine, false};
  if (page.ResizedLine != 0) return {page.ResizedLine, true};
  return {0, false};
}

}  // namespace preview
