#pragma once
// duduve-preview --check: every script line that Duduve will refuse, read differently from
// what it says, or not carry out, and every object that does not stay where it is drawn at
// the page's design size; remarks on what the rules do at other window shapes. Words and
// numbers are read by the plug-in's own code; what only a run shows (objects the host does
// not know, lines that returned 0, where objects go) comes from the stand-in host's records
// of real runs.
#include <vector>

#include "check_finding.h"
#include "check_plays.h"
#include "page_file.h"
#include "preview_run.h"

namespace preview {

// The findings of a page, ordered by line. `page` is as parsed (before any FitToActions),
// `runs` every run of its lines; with `plays`, the layout's findings too.
std::vector<Finding> CheckPage(const Page& page, const std::vector<KnownAction>& actions,
                               const std::vector<LineRun>& runs, const CheckPlays* plays = nullptr);

// Plays the page in the stand-in host as the check needs it and checks it. A failure to load
// the plug-in is returned instead.
std::optional<PlayFailure> CheckPageFile(const Page& page, const std::wstring& dllPath,
                                         const std::string& fileName,
                                         std::vector<Finding>& findings);

}  // namespace preview
