#include "preview_options.h"

#include <charconv>

#include "page_file.h"

namespace preview {

std::vector<WindowSize> DefaultSizes() {
  return {{1024, 768}, {1280, 720}, {1440, 900}, {2560, 1080}};
}

std::optional<std::vector<WindowSize>> ParseSizes(std::string_view text) {
  std::vector<WindowSize> sizes;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    const std::size_t cross = item.find_first_of("xX");
    if (cross == std::string_view::npos) return std::nullopt;
    WindowSize size;
    const auto readSide = [](std::string_view digits, int& side) {
      const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), side);
      return !digits.empty() && error == std::errc() && end == digits.data() + digits.size() &&
             side >= 1 && side <= kLargestPage;
    };
    if (!readSide(item.substr(0, cross), size.Width) ||
        !readSide(item.substr(cross + 1), size.Height)) {
      return std::nullopt;
    }
    sizes.push_back(size);
    if (comma == std::string_view::npos) return sizes;
    text.remove_prefix(comma + 1);
  }
}

std::optional<std::string> ParseArguments(const std::vector<std::wstring>& args, Options& options) {
  options = Options{};
  options.Sizes = DefaultSizes();
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
      options.Help = true;
    } else if (arg == L"--live") {
      options.Live = true;
    } else if (arg == L"--check") {
      options.Check = true;
    } else if (arg == L"--no-pictures") {
      options.Pictures = false;
    } else if (arg == L"--no-sheet") {
      options.Sheet = false;
    } else if (arg == L"--ghosts") {
      options.Ghosts = true;
    } else if (arg == L"--sizes" || arg == L"--out" || arg == L"--dll") {
      if (!hasValue) return "expected a value after " + std::string(arg.begin(), arg.end());
      const std::wstring& value = args[++i];
      if (arg == L"--out") {
        options.OutDir = value;
      } else if (arg == L"--dll") {
        options.DllPath = value;
      } else {
        std::string narrow;
        for (wchar_t c : value) narrow += c < 0x80 ? static_cast<char>(c) : '?';
        auto sizes = ParseSizes(narrow);
        if (!sizes) {
          return "expected --sizes WIDTHxHEIGHT[,WIDTHxHEIGHT...] with sides from 1 to " +
                 std::to_string(kLargestPage) + ", found \"" + narrow + "\"";
        }
        options.Sizes = std::move(*sizes);
      }
    } else if (arg.starts_with(L"-")) {
      std::string narrow;
      for (wchar_t c : arg) narrow += c < 0x80 ? static_cast<char>(c) : '?';
      return "unknown option \"" + narrow + "\" (see --help)";
    } else if (options.PagePath.empty()) {
      options.PagePath = arg;
    } else {
      return "expected one page file, found a second";
    }
  }
  if (!options.Help && options.PagePath.empty()) return "expected a page file (see --help)";
  if (options.Live && options.Check) return "expected --live or --check, not both";
  return std::nullopt;
}

std::string UsageText() {
  return R"(duduve-preview: shows how a page laid out with Duduve behaves at several window sizes.

Usage: duduve-preview PAGEFILE [--sizes 1024x768,1280x720,...] [--out FOLDER]
                      [--dll PATH] [--no-pictures] [--no-sheet] [--ghosts]
       duduve-preview --live PAGEFILE [--out FOLDER] [--dll PATH]
       duduve-preview --check PAGEFILE [--dll PATH]

  --sizes     window client sizes to try (default 1024x768,1280x720,1440x900,2560x1080:
              4:3, 16:9, 16:10 and 21:9)
  --out       folder for the pictures (default: PAGENAME-preview beside the page file)
  --dll       the plug-in to load (default: Duduve.dll beside this program)
  --no-pictures  print the tables only
  --no-sheet     write one picture per size but no contact sheet
  --live      open the page in a window of its design size and lay it out again on
              every resize, as the host does; the page file is reloaded when it changes
              A window beside it lists the script lines: double-click one to edit it
              with Duduve's own editor (OK saves the file, keeping PAGEFILE.bak);
              right-click an object to register it
              Keys: F5 reload   G show the design rectangles   0 design size
                    1 4:3   2 16:9   3 16:10   4 21:9 (at the screen's height)
                    L show the script lines
                    P save a picture (PAGENAME-live-WIDTHxHEIGHT.png in --out's folder)
                    Esc close (the plug-in is released and unloaded)
  --ghosts       draw the design page and each object's design rectangle as dashed
                 outlines in the pictures, to show how far every object moved
  --check     list every script line that Duduve refuses, reads differently from what it
              says, or does not carry out, and every object that moves at the page's
              design size, as FILE:LINE: warning: ... with a note on how to write it;
              remarks (FILE:LINE: remark: ...) say what the rules do at 4:3, 16:9, 21:9
              and portrait 3:4; exits with 0 without warnings, 3 with warnings and 1 when
              the page could not be read or played

The page opens in a window of its design size and runs the "on enter" lines (as Page Enter
would); then for each size the window is resized and the "on resized" lines run (as the
Resized event would; Duduve_Apply when the page has none). Each size prints every object's
rectangle, read from its window, in the window's client pixels, and the host variables the
plug-in set.

Page file, one item a line ('#' starts a comment line):
  page WIDTH HEIGHT                       the design canvas, first
  object NAME LEFT TOP WIDTH HEIGHT [kind=box|panel|button|text|image]
                                    [colour=#rrggbb] [label="text"] [in=CONTAINER]
  on enter | on resized                   starts a script section (enter is the default)
  Duduve_Action "param" "param" ...       an action, parameters in double quotes
Rectangles are in page pixels, also for an object in=CONTAINER (an object listed before it),
whose window is made inside the container's window. Objects are drawn in the order listed,
later ones on top; an object inside a container is drawn right after it, cut to its
rectangle. Names with spaces go in quotes.
)";
}

}  // namespace preview
