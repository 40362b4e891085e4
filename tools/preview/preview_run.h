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
};

struct SizeRun {
  WindowSize Size;
  std::vector<Outcome> Script;
  std::vector<standin::Box> Boxes;  // one per page object, in page order
  std::vector<standin::VariableSet> Variables;
};

struct PreviewRun {
  std::vector<Outcome> Enter;
  std::vector<standin::VariableSet> EnterVariables;
  std::vector<SizeRun> Sizes;
  bool Unloaded = false;
  std::string Faults;  // GlobalAlloc blocks the plug-in mishandled; empty when balanced
};

struct PlayFailure {
  std::string Text;
  bool InPageFile = false;  // the page named an action the plug-in does not declare
};

// Runs the whole page; `fileName` is used in messages about the page's script lines.
std::optional<PlayFailure> PlayPage(Page& page, const std::vector<WindowSize>& sizes,
                                    const std::wstring& dllPath, const std::string& fileName,
                                    PreviewRun& run);

}  // namespace preview
