#pragma once
// The runs --check makes of a page in the stand-in host, each with a load of the plug-in of
// its own: the page as written, at its design size and at the check's window shapes; and the
// same page with every registered object anchored L and T, which shows what each anchor does.
#include <array>
#include <optional>
#include <string>

#include "page_file.h"
#include "preview_run.h"

namespace preview {

struct CheckShape {
  const char* Name;
  WindowSize Size;
};
// Screens of four shapes: a wide one, a common one, an ultra-wide one and one held upright.
inline constexpr std::array<CheckShape, 4> kCheckShapes = {{{"4:3", {1024, 768}},
                                                            {"16:9", {1280, 720}},
                                                            {"21:9", {2560, 1080}},
                                                            {"portrait 3:4", {768, 1024}}}};
// The shapes a remark about an object in the uniform frame measures at: the widest for a
// distance to the right edge, the tallest for one to the bottom edge.
inline constexpr std::size_t kWidestShape = 2;
inline constexpr std::size_t kTallestShape = 3;

struct CheckPlays {
  // Sizes[0] is the page's design size, Sizes[1 + i] is kCheckShapes[i].
  PreviewRun AsWritten;
  // The same sizes with every anchor L and T; none when the page has no other anchor.
  std::optional<PreviewRun> LeftTop;
};

// Plays the page as --check needs it (unknown actions skipped, parameters fitted).
std::optional<PlayFailure> PlayForCheck(const Page& page, const std::wstring& dllPath,
                                        const std::string& fileName, CheckPlays& plays);

// "at 21:9 (2560 x 1080)" for a size run of the plays (index 1 and up).
std::string ShapeText(std::size_t sizeIndex);

}  // namespace preview
