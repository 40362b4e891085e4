#pragma once
// The checks that look at the page laid out by the plug-in (check_plays.h): at its design
// size every object should stay where it is drawn (check_design_size.cpp), and at the
// check's shapes the remarks say what an author may not expect (check_shapes.cpp). Every
// finding is on the line that places the object, with the line that does what was meant.
#include <string>
#include <vector>

#include "check_finding.h"
#include "check_model.h"
#include "check_plays.h"
#include "page_file.h"

namespace preview {

// What the layout checks read: the page with its lines fitted to the actions, the registry
// its lines leave, and its plays.
struct LayoutInput {
  const Page& Fitted;
  const ScriptModel& Model;
  const CheckPlays& Plays;
};

// The line that places a page object, and how.
struct Placement {
  enum class By { Nothing, Rule, Pin, Group };
  By How = By::Nothing;
  const ModelObject* Object = nullptr;  // for Rule and Pin
  const ModelGroup* Group = nullptr;    // for Group: the object is its frame or a member
  int Line = 0;  // the placing line; for Nothing, the object's own line in the page file
};
Placement PlacementOf(const LayoutInput& input, std::size_t objectIndex);

// The page object of a name key, or -1.
int PageObjectIndex(const Page& page, const std::wstring& key);

// Whether an apply pass ran, and whether at the design size it used factors of 1: else the
// declared design size is not the page's, and every object moves.
bool LaidOut(const PreviewRun& run);
bool CanvasIsPage(const PreviewRun& run);

// A page object's rectangle as drawn: its window's, in the host window's client area, before
// any line ran.
const standin::Box& DrawnBox(const LayoutInput& input, std::size_t objectIndex);
// "740 130 460 310", as a page file writes a rectangle.
std::string BoxText(const standin::Box& box);
// "moves 6 px left and 10 px down (from 760, 150 to 754, 160)", "is resized from 120 x 120
// to 131 x 131", or both joined with "and".
std::string MoveText(const standin::Box& from, const standin::Box& to);
// The script line on a line of the page, each parameter written as the plug-in reads it
// (CleanParam): the base of every line a note proposes.
ScriptLine CleanLine(const Page& page, int line);
// Which of a registered object's C anchors move it at the design size: there the run anchored
// L and T puts it elsewhere.
struct Centring {
  bool X = false;
  bool Y = false;
};
Centring CentringThatMoves(const LayoutInput& input, std::size_t objectIndex,
                           const ModelLine& rule);
// The object's registering line, each parameter clean, and each C anchor that moves it at the
// design size written as the side that keeps it where it is drawn (L or T where both margins
// scale, else the nearer edge): the base of every line a note proposes for the object.
ScriptLine RuleLineInPlace(const LayoutInput& input, std::size_t objectIndex,
                           const ModelLine& rule);
// The number a parameter holds, as the plug-in keeps it.
int NumberParam(const ModelLine& line, std::size_t index);

std::vector<Finding> DesignSizeFindings(const LayoutInput& input);
std::vector<Finding> ShapeFindings(const LayoutInput& input);

}  // namespace preview
