#pragma once
// The preview's command line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace preview {

struct WindowSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

struct Options {
  std::wstring PagePath;
  std::vector<WindowSize> Sizes;
  std::wstring OutDir;   // empty: "<page name>-preview" beside the page file
  std::wstring DllPath;  // empty: Duduve.dll beside the program
  bool Pictures = true;
  bool Sheet = true;
  bool Ghosts = false;  // design rectangles drawn as outlines in the pictures
  bool Help = false;
  bool Live = false;   // a live window instead of a batch run
  bool Check = false;  // findings about the script lines instead of a batch run
};

// 4:3, 16:9, 16:10 and 21:9.
std::vector<WindowSize> DefaultSizes();
// "1024x768,1280x720": each side 1 to 8192; nullopt on anything else.
std::optional<std::vector<WindowSize>> ParseSizes(std::string_view text);
// Fills `options` from the arguments after the program name; an error text on failure.
std::optional<std::string> ParseArguments(const std::vector<std::wstring>& args, Options& options);
std::string UsageText();

}  // namespace preview
