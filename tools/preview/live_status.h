#pragma once
// What the live window says and decides without drawing: its caption, the common window
// shapes it offers, and the stamp that tells when the page file changed on disk.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "preview_options.h"
#include "stand_in_host.h"

namespace preview {

// The six variables the plug-in publishes, each as last set ("-" until it is).
class PublishedVariables {
 public:
  static constexpr std::array<const char*, 6> kNames = {"[Duduve.ScaleX]",  "[Duduve.ScaleY]",
                                                        "[Duduve.Uniform]", "[Duduve.FontScale]",
                                                        "[Duduve.DPI]",     "[Duduve.DPIScale]"};
  PublishedVariables() { values_.fill("-"); }
  // Takes the values of the six from a host's record of SetVariable calls.
  void Take(const std::vector<standin::VariableSet>& sets);
  // "ScaleX=1.2500, ScaleY=1.0000, ..." in the order of kNames.
  std::string Text() const;

 private:
  std::array<std::string, 6> values_;
};

// "live.page - 800 x 600 (4:3) - ScaleX=1.2500, ... [- design rectangles shown]", after
// `note` and " | " when there is a note. The file name and note are in the ANSI code page.
std::wstring LiveCaption(const std::string& fileName, const WindowSize& client,
                         const PublishedVariables& variables, bool ghosts,
                         const std::wstring& note);

// The common shapes the live window offers, as ratios.
struct Shape {
  const char* Name;
  int Across;
  int Down;
};
inline constexpr std::array<Shape, 4> kCommonShapes = {
    {{"4:3", 4, 3}, {"16:9", 16, 9}, {"16:10", 16, 10}, {"21:9", 21, 9}}};

// The largest client size of the shape within `room` (the work area less the window frame,
// each side at most the largest page): the room's full height, or its full width when the
// shape is too wide for that.
WindowSize FitShape(const Shape& shape, const WindowSize& room);

// Where the page's window and the window of script lines go on a work area so that the
// lines never cover the page: beside it on the right, else on the left; else the page moves
// left, or, when it is wider than the room a list leaves, narrows, so that the lines fit at
// the work area's right. Rectangles are whole windows on the screen.
struct Arrangement {
  RECT Page;
  RECT Lines;
};
inline constexpr int kBesideGap = 8;
Arrangement ArrangeBeside(const RECT& page, const RECT& work, int linesWidth);

// A file's last-write time and size: a different stamp means the file changed.
struct FileStamp {
  FILETIME Written{};
  ULONGLONG Size = 0;
  friend bool operator==(const FileStamp& a, const FileStamp& b) {
    return CompareFileTime(&a.Written, &b.Written) == 0 && a.Size == b.Size;
  }
};
// nullopt when the file cannot be looked at.
std::optional<FileStamp> StampOf(const std::wstring& path);

// Texts between the ANSI code page of messages and the console and UTF-16.
std::wstring FromAnsi(const std::string& text);
std::string ToAnsi(const std::wstring& text);

}  // namespace preview
