#pragma once
// Plays a page in the stand-in host with a Duduve.dll loaded: page entry, then one resize
// per window size, recording every object's rectangle and the host variables set.
#include <optional>
#include <string>
#include <vector>

#include "page_file.h"
#include "preview_options.h"
#include "stand_in_host.h"

namespace preview {

struct Outcome {
  std::string Text;  // the script line as written
  int Result = 0;    // what the plug-in returned
  int Line = 0;      // the page file's line (0 for the Duduve_Apply a resize runs by default)
  int Exec = 0;      // the host's number of the Exec call
};

// One run of a script line, from the stand-in host's records.
struct LineRun {
  int Line = 0;
  bool Refused = false;                         // the action returned 0
  std::vector<std::string> Unfound;             // names command 7 answered with the empty text
  std::vector<standin::VariableSet> Variables;  // set during the line
};

struct SizeRun {
  WindowSize Size;
  std::vector<Outcome> Script;
  std::vector<standin::Box> Boxes;  // one per page object, in page order
  std::vector<standin::VariableSet> Variables;
};

struct PreviewRun {
  // Every page object's rectangle as its window was made, before any line ran, in page order.
  std::vector<standin::Box> Drawn;
  std::vector<Outcome> Enter;
  std::vector<standin::VariableSet> EnterVariables;
  std::vector<SizeRun> Sizes;
  bool Unloaded = false;
  std::string Faults;          // GlobalAlloc blocks the plug-in mishandled; empty when balanced
  std::vector<LineRun> Lines;  // every line run, in run order
  std::vector<KnownAction> Actions;  // what the plug-in declared
};

struct PlayFailure {
  std::string Text;
  bool InPageFile = false;  // the page named an action the plug-in does not declare
};

// Loads the plug-in into the host and starts it as the host does (register, init, interface).
std::optional<PlayFailure> StartPlugIn(standin::StandInHost& host, const std::wstring& dllPath);
// The actions the loaded plug-in declared to the host.
std::vector<KnownAction> DeclaredActions(const standin::StandInHost& host);
// The lines the Resized event runs: the page's own, or Duduve_Apply when it has none.
std::vector<ScriptLine> ResizedLines(const Page& page, const std::vector<KnownAction>& actions);
// Runs script lines (checked by CheckActions) through the host, one outcome each.
std::vector<Outcome> RunScript(standin::StandInHost& host, const std::vector<ScriptLine>& lines);
// What the host recorded of each outcome's call (before its records are cleared).
std::vector<LineRun> LineRuns(const standin::StandInHost& host,
                              const std::vector<Outcome>& outcomes);
// Makes a window for every page object at its design rectangle, inside its container's window
// when it names one.
void AddPageObjects(standin::StandInHost& host, const Page& page);
// Every page object's rectangle as its window has it now, in page order, in the host window's
// client pixels whatever window holds it.
std::vector<standin::Box> PageBoxes(const standin::StandInHost& host, const Page& page);

// How a page's script lines must match the plug-in's actions.
enum class ActionMatch {
  Exact,    // an unknown action or a wrong parameter count stops the run
  Lenient,  // unknown actions are skipped, parameters filled up with empty texts or cut
};

// Whether the host window of a run stays on the screen (runs that only measure hide it).
enum class PlayWindow { Shown, Hidden };

// Runs the whole page; `fileName` is used in messages about the page's script lines.
std::optional<PlayFailure> PlayPage(Page& page, const std::vector<WindowSize>& sizes,
                                    const std::wstring& dllPath, const std::string& fileName,
                                    PreviewRun& run, ActionMatch match = ActionMatch::Exact,
                                    PlayWindow window = PlayWindow::Shown);

}  // namespace preview
