#pragma once
// Pictures of a page drawn from its objects' rectangles with GDI into a memory bitmap.
#include <optional>
#include <vector>

#include "dib_bitmap.h"
#include "page_file.h"
#include "png_writer.h"
#include "preview_run.h"

namespace preview {

// The order objects are drawn in, bottom first: page order, except that the objects inside a
// container follow it at once, as windows inside a window stay on top of it and under every
// later window beside it.
std::vector<std::size_t> DrawingOrder(const Page& page);
// The object drawn on top at a point of the window (host client pixels) when the objects are
// at `boxes` (one per object, in page order): an object inside a container shows only within
// the container's rectangle. nullopt when the point is on no object.
std::optional<std::size_t> TopmostObjectAt(const Page& page, const std::vector<standin::Box>& boxes,
                                           int x, int y);

// The page at one window size, at full size; objects in drawing order, later ones on top, each
// object inside a container cut to the container's rectangle.
// `ghosts` adds the design page and every object's design rectangle as dashed outlines.
Image PaintPage(const Page& page, const SizeRun& size, bool ghosts = false);
// The same picture drawn straight onto a bitmap of the window's size; false when the bitmap
// has no pixels.
bool PaintPageOn(const DibBitmap& bitmap, const Page& page, const SizeRun& size, bool ghosts);
// Every size side by side at one common scale, each under a label with its size and shape.
Image PaintContactSheet(const Page& page, const std::vector<SizeRun>& sizes, bool ghosts = false);

}  // namespace preview
