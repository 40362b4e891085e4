#include "page_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace preview {

namespace {

// A word of a line: bare, quoted, or key=value (the value bare or quoted).
struct Token {
  std::string Key;
  std::string Value;
  bool Quoted = false;
  std::string Raw;  // as written, for messages
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t';
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool SameWord(std::string_view a, std::string_view b) {
  return Lower(a) == Lower(b);
}

// Splits a line into tokens; false when a double quote is never closed.
bool Tokenize(std::string_view line, std::vector<Token>& tokens) {
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && IsSpace(line[at])) ++at;
    if (at >= line.size()) return true;
    const std::size_t start = at;
    Token token;
    if (line[at] != '"') {
      while (at < line.size() && !IsSpace(line[at]) && line[at] != '"') ++at;
      std::string word(line.substr(start, at - start));
      const auto equals = word.find('=');
      if (equals != std::string::npos) {
        token.Key = Lower(word.substr(0, equals));
        word.erase(0, equals + 1);
      }
      token.Value = word;
      // key="quoted value": the quote follows the '=' directly.
      const bool quotedValue =
          equals != std::string::npos && word.empty() && at < line.size() && line[at] == '"';
      if (!quotedValue) {
        token.Raw = std::string(line.substr(start, at - start));
        tokens.push_back(token);
        continue;
      }
    }
    const std::size_t close = line.find('"', at + 1);
    if (close == std::string_view::npos) return false;
    token.Value = std::string(line.substr(at + 1, close - at - 1));
    token.Quoted = true;
    at = close + 1;
    token.Raw = std::string(line.substr(start, at - start));
    tokens.push_back(token);
  }
}

bool ReadInt(const Token& token, int low, int high, int& value) {
  if (token.Quoted || !token.Key.empty() || token.Value.empty()) return false;
  const char* first = token.Value.data();
  const char* last = first + token.Value.size();
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && value >= low && value <= high;
}

std::optional<std::uint32_t> ReadColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint32_t colour = 0;
  const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, colour, 16);
  if (error != std::errc() || end != text.data() + 7) return std::nullopt;
  return colour;
}

std::optional<ObjectKind> ReadKind(std::string_view text) {
  const std::string word = Lower(text);
  if (word == "box") return ObjectKind::Box;
  if (word == "panel") return ObjectKind::Panel;
  if (word == "button") return ObjectKind::Button;
  if (word == "text") return ObjectKind::Text;
  if (word == "image") return ObjectKind::Image;
  return std::nullopt;
}

class Reader {
 public:
  Reader(const std::string& fileName, Page& page) : fileName_(fileName), page_(page) {}

  std::optional<PageError> Line(int number, std::string_view text) {
    number_ = number;
    std::vector<Token> tokens;
    if (!Tokenize(text, tokens)) return Error("a closing double quote on the line");
    if (tokens.empty() || (!tokens[0].Quoted && tokens[0].Raw.starts_with("#"))) {
      return std::nullopt;
    }
    const Token& first = tokens[0];
    const std::string word = first.Quoted ? std::string() : Lower(first.Raw);
    if (word == "page") return PageLine(tokens);
    if (page_.Width == 0) {
      return Error("a \"page WIDTH HEIGHT\" line before the first object or action, found " +
                   Quote(first.Raw));
    }
    if (word == "object") return ObjectLine(tokens);
    if (word == "on") return SectionLine(tokens);
    if (word.starts_with("duduve_")) return ActionLine(tokens);
    return Error(
        "\"page\", \"object\", \"on\", an action such as Duduve_Apply, or a comment starting "
        "with #, found " +
        Quote(first.Raw));
  }

  std::optional<PageError> Finish(int lastLine) {
    number_ = lastLine;
    if (page_.Width == 0) return Error("a \"page WIDTH HEIGHT\" line");
    if (page_.Objects.empty()) return Error("at least one \"object\" line");
    return std::nullopt;
  }

 private:
  std::optional<PageError> Error(std::string expected) const {
    return PageError{fileName_, number_, std::move(expected)};
  }

  std::optional<PageError> PageLine(const std::vector<Token>& tokens) {
    if (page_.Width != 0) {
      return Error("one \"page\" line, found a second one (the first is on line " +
                   std::to_string(pageLine_) + ")");
    }
    int width = 0;
    int height = 0;
    if (tokens.size() != 3 || !ReadInt(tokens[1], 1, kLargestPage, width) ||
        !ReadInt(tokens[2], 1, kLargestPage, height)) {
      return Error("\"page WIDTH HEIGHT\" with whole numbers from 1 to " +
                   std::to_string(kLargestPage));
    }
    page_.Width = width;
    page_.Height = height;
    page_.PageLine = pageLine_ = number_;
    return std::nullopt;
  }

  std::optional<PageError> ObjectLine(const std::vector<Token>& tokens) {
    PageObject object;
    object.Line = number_;
    int numbers[4] = {};
    bool good = tokens.size() >= 6 && tokens[1].Key.empty() && !tokens[1].Value.empty();
    for (int i = 0; good && i < 4; ++i) {
      good = ReadInt(tokens[static_cast<std::size_t>(i) + 2], -kLargestCoordinate,
                     kLargestCoordinate, numbers[i]);
    }
    if (!good) {
      return Error("\"object NAME LEFT TOP WIDTH HEIGHT\" with whole numbers from " +
                   std::to_string(-kLargestCoordinate) + " to " +
                   std::to_string(kLargestCoordinate));
    }
    object.Name = tokens[1].Value;
    object.Left = numbers[0];
    object.Top = numbers[1];
    object.Width = numbers[2];
    object.Height = numbers[3];
    if (object.Width < 1 || object.Height < 1) {
      return Error("a width and a height of at least 1 for " + Quote(object.Name) + ", found " +
                   std::to_string(object.Width) + " x " + std::to_string(object.Height));
    }
    for (const auto& other : page_.Objects) {
      if (SameWord(other.Name, object.Name)) {
        return Error("a new object name, found " + Quote(object.Name) +
                     " again (it is first on line " + std::to_string(other.Line) + ")");
      }
    }
    for (std::size_t i = 6; i < tokens.size(); ++i) {
      const Token& option = tokens[i];
      if (option.Key == "kind") {
        const auto kind = ReadKind(option.Value);
        if (!kind) {
          return Error("kind=box, panel, button, text or image, found " + Quote(option.Raw));
        }
        object.Kind = *kind;
      } else if (option.Key == "colour" || option.Key == "color") {
        object.Colour = ReadColour(option.Value);
        if (!object.Colour) {
          return Error("colour=#rrggbb with six hexadecimal digits, found " + Quote(option.Raw));
        }
      } else if (option.Key == "label") {
        object.Label = option.Value;
      } else if (option.Key == "in") {
        const auto container = std::find_if(
            page_.Objects.begin(), page_.Objects.end(),
            [&](const PageObject& other) { return SameWord(other.Name, option.Value); });
        if (container == page_.Objects.end()) {
          return Error("in=CONTAINER naming an object listed on an earlier line, found " +
                       Quote(option.Raw));
        }
        object.Container = container->Name;
      } else {
        return Error(
            "kind=..., colour=#rrggbb, label=\"...\" or in=CONTAINER after the "
            "rectangle, found " +
            Quote(option.Raw));
      }
    }
    page_.Objects.push_back(std::move(object));
    return std::nullopt;
  }

  std::optional<PageError> SectionLine(const std::vector<Token>& tokens) {
    const std::string which = tokens.size() == 2 ? Lower(tokens[1].Raw) : std::string();
    if (which == "enter") {
      inResized_ = false;
      if (page_.EnterLine == 0) page_.EnterLine = number_;
    } else if (which == "resized") {
      inResized_ = true;
      page_.HasResized = true;
      if (page_.ResizedLine == 0) page_.ResizedLine = number_;
    } else {
      return Error("\"on enter\" or \"on resized\"");
    }
    return std::nullopt;
  }

  std::optional<PageError> ActionLine(const std::vector<Token>& tokens) {
    ScriptLine line;
    line.Line = number_;
    line.Action = tokens[0].Raw;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
      if (!tokens[i].Quoted || !tokens[i].Key.empty()) {
        return Error("every parameter of " + line.Action + " in double quotes, found " +
                     tokens[i].Raw);
      }
      line.Params.push_back(tokens[i].Value);
    }
    (inResized_ ? page_.Resized : page_.Enter).push_back(std::move(line));
    return std::nullopt;
  }

  const std::string& fileName_;
  Page& page_;
  int number_ = 0;
  int pageLine_ = 0;
  bool inResized_ = false;
};

}  // namespace

std::string PageError::Text() const {
  std::string text = File;
  if (Line > 0) text.append(":").append(std::to_string(Line));
  return text + ": expected " + Expected;
}

std::optional<PageError> ParsePage(std::string_view text, const std::string& fileName, Page& page) {
  page = Page{};
  Reader reader(fileName, page);
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (auto error = reader.Line(++number, line)) return error;
  }
  return reader.Finish(number);
}

std::optional<std::size_t> ContainerIndex(const Page& page, std::size_t index) {
  const std::string& container = page.Objects[index].Container;
  if (container.empty()) return std::nullopt;
  for (std::size_t i = 0; i < index; ++i) {
    if (SameWord(page.Objects[i].Name, container)) return i;
  }
  return std::nullopt;
}

std::vector<ActionMismatch> MatchActions(Page& page, const std::vector<KnownAction>& actions) {
  std::vector<ActionMismatch> mismatches;
  for (auto* script : {&page.Enter, &page.Resized}) {
    for (auto& line : *script) {
      const auto known = std::find_if(actions.begin(), actions.end(), [&](const auto& action) {
        return SameWord(action.Name, line.Action);
      });
      line.ActionId = known == actions.end() ? 0 : known->Id;
      if (known == actions.end()) {
        mismatches.push_back({line.Line, line.Action, line.Params.size(), std::nullopt});
      } else if (static_cast<int>(line.Params.size()) != known->ParamCount) {
        mismatches.push_back({line.Line, line.Action, line.Params.size(), *known});
      }
    }
  }
  return mismatches;
}

std::optional<PageError> CheckActions(Page& page, const std::vector<KnownAction>& actions,
                                      const std::string& fileName) {
  const auto mismatches = MatchActions(page, actions);
  if (mismatches.empty()) return std::nullopt;
  const ActionMismatch& first = mismatches.front();
  if (!first.Declared) {
    std::string names;
    for (const auto& action : actions) names += (names.empty() ? "" : ", ") + action.Name;
    return PageError{fileName, first.Line,
                     "one of the plug-in's actions (" + names + "), found " + Quote(first.Action)};
  }
  const int count = first.Declared->ParamCount;
  return PageError{fileName, first.Line,
                   std::to_string(count) + " parameter" + (count == 1 ? "" : "s") +
                       " in double quotes for " + first.Declared->Name + ", found " +
                       std::to_string(first.Found)};
}

void FitToActions(Page& page, const std::vector<KnownAction>& actions) {
  for (auto* script : {&page.Enter, &page.Resized}) {
    std::erase_if(*script, [](const ScriptLine& line) { return line.ActionId == 0; });
    for (auto& line : *script) {
      for (const auto& action : actions) {
        if (action.Id == line.ActionId) {
          line.Params.resize(static_cast<std::size_t>(std::max(action.ParamCount, 0)));
        }
      }
    }
  }
}

const ScriptLine* FindScriptLine(const Page& page, int line) {
  for (const auto* script : {&page.Enter, &page.Resized}) {
    for (const auto& scriptLine : *script) {
      if (scriptLine.Line == line) return &scriptLine;
    }
  }
  return nullptr;
}

std::string Quote(std::string_view text) {
  // Appended rather than added: GCC 12 warns wrongly about overlaps in "\"" + text.
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '"').append(text).append(1, '"');
  return quoted;
}

std::string ScriptText(const ScriptLine& line) {
  std::string text = line.Action;
  for (const auto& param : line.Params) text.append(" ").append(Quote(param));
  return text;
}

}  // namespace preview
