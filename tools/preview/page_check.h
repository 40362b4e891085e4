#pragma once
// duduve-preview --check: every script line that Duduve will refuse, read differently from
// what it says, or not carry out. Words and numbers are read by the plug-in's own code;
// what only a run shows (objects the host does not know, lines that returned 0) comes from
// the stand-in host's records of a real run.
#include <vector>

#include "check_finding.h"
#include "page_file.h"
#include "preview_run.h"

namespace preview {

// The findings of a page, ordered by line. `page` is as parsed (before any FitToActions),
// `runs` every run of its lines.
std::vector<Finding> CheckPage(const Page& page, const std::vector<KnownAction>& actions,
                               const std::vector<LineRun>& runs);

// Plays the page once in the stand-in host (page entry, then the Resized lines) and checks it.
// A failure to load the plug-in is returned instead.
std::optional<PlayFailure> CheckPageFile(const Page& page, const std::wstring& dllPath,
                                         const std::string& fileName,
                                         std::vector<Finding>& findings);

}  // namespace preview
