#pragma once
// A page file: the page's design size, its objects with their design rectangles and how to
// draw them, and the author's script lines as the host's scripts write them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/action_table.h"

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
  std::string Container;  // the object listed earlier whose window holds this one, as that
                          // object's line spells it; empty for a child of the host window
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
  int PageLine = 0;                 // the lines of "page", "on enter" and "on resized" (0: none)
  int EnterLine = 0;
  int ResizedLine = 0;
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

// Whether a line's ActionId (the plug-in's number for it) is that action of the plug-in's
// table.
inline bool IsAction(int number, duduve::ActionId action) {
  return number == duduve::Number(action);
}

inline constexpr int kLargestPage = 8192;
inline constexpr int kLargestCoordinate = 100000;

// Reads a whole page file's text; returns the first error, or the page.
std::optional<PageError> ParsePage(std::string_view text, const std::string& fileName, Page& page);
// The index of the object whose window holds object `index`; nullopt for the host window.
std::optional<std::size_t> ContainerIndex(const Page& page, std::size_t index);
// A script line that names no declared action, or has another number of parameters.
struct ActionMismatch {
  int Line = 0;
  std::string Action;  // as written
  std::size_t Found = 0;
  std::optional<KnownAction> Declared;  // nullopt: the plug-in declares no such action
};

// Matches every script line with a declared action (names ignoring ASCII case), fills in
// ActionId where the name is known, and returns every mismatch (page entry first).
std::vector<ActionMismatch> MatchActions(Page& page, const std::vector<KnownAction>& actions);
// Matches as MatchActions does; the first mismatch is an error.
std::optional<PageError> CheckActions(Page& page, const std::vector<KnownAction>& actions,
                                      const std::string& fileName);
// Makes every line runnable after MatchActions: drops lines of unknown actions, fills missing
// parameters with empty texts and cuts extra ones.
void FitToActions(Page& page, const std::vector<KnownAction>& actions);
// The script line on a line of the page file, in page entry or Resized; null for none.
const ScriptLine* FindScriptLine(const Page& page, int line);
// The text in double quotes.
std::string Quote(std::string_view text);
// The script line as an author writes it: the action and its quoted parameters.
std::string ScriptText(const ScriptLine& line);

}  // namespace preview
