#pragma once
// A page file: the page's design size, its objects with their design rectangles and how to
// draw them, and the author's script lines as the host's scripts write them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace preview {

enum class ObjectKind { Box, Panel, Button, Text, Image };

struct PageObject {
  std::string Name;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  ObjectKind Kind = ObjectKind::Box;
  std::optional<std::uint32_t> Colour;  // 0xRRGGBB; a palette colour when absent
  std::optional<std::string> Label;     // drawn instead of the name; may be empty
  int Line = 0;
};

// One action call: its name as written and its parameters without the quotes.
struct ScriptLine {
  int Line = 0;
  std::string Action;
  std::vector<std::string> Params;
  int ActionId = 0;  // filled in by CheckActions
};

struct Page {
  int Width = 0;  // the design canvas; the host window opens at this size
  int Height = 0;
  std::vector<PageObject> Objects;
  std::vector<ScriptLine> Enter;    // run once, at page entry
  std::vector<ScriptLine> Resized;  // run after every resize
  bool HasResized = false;          // an "on resized" section was given
};

struct PageError {
  std::string File;
  int Line = 0;  // 0: about the file as a whole
  std::string Expected;
  // "FILE:LINE: expected ..." (or "FILE: expected ..." for line 0).
  std::string Text() const;
};

// An action the loaded plug-in declared.
struct KnownAction {
  int Id = 0;
  std::string Name;
  int ParamCount = 0;
};

inline constexpr int kLargestPage = 8192;
inline constexpr int kLargestCoordinate = 100000;

// Reads a whole page file's text; returns the first error, or the page.
std::optional<PageError> ParsePage(std::string_view text, const std::string& fileName, Page& page);
// Matches every script line with a declared action (names ignoring ASCII case) and checks its
// parameter count; fills in ActionId.
std::optional<PageError> CheckActions(Page& page, const std::vector<KnownAction>& actions,
                                      const std::string& fileName);
// The script line as an author writes it: the action and its quoted parameters.
std::string ScriptText(const ScriptLine& line);

}  // namespace preview
