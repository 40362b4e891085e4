#pragma once
// Pictures of a page drawn from its objects' rectangles with GDI into a memory bitmap.
#include <vector>

#include "dib_bitmap.h"
#include "page_file.h"
#include "png_writer.h"
#include "preview_run.h"

namespace preview {

// The page at one window size, at full size; objects in page order, later ones on top.
// `ghosts` adds the design page and every object's design rectangle as dashed outlines.
Image PaintPage(const Page& page, const SizeRun& size, bool ghosts = false);
// The same picture drawn straight onto a bitmap of the window's size; false when the bitmap
// has no pixels.
bool PaintPageOn(const DibBitmap& bitmap, const Page& page, const SizeRun& size, bool ghosts);
// Every size side by side at one common scale, each under a label with its size and shape.
Image PaintContactSheet(const Page& page, const std::vector<SizeRun>& sizes, bool ghosts = false);

}  // namespace preview
