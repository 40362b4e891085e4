#pragma once
// The printed tables of a preview run.
#include <string>

#include "page_file.h"
#include "preview_run.h"

namespace preview {

// "4:3", "16:9", "16:10", "21:9", ... when the shape is within 2% of a common one,
// otherwise the ratio to one as "2.50:1".
std::string AspectName(int width, int height);
std::string FormatRun(const Page& page, const PreviewRun& run);

}  // namespace preview
