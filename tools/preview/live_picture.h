#pragma once
// The live window's picture: the page drawn as the batch pictures draw it, each object where
// its window is now, and on request with the design ghosts of the batch pictures' --ghosts. The
// host window and each object window paint themselves by copying their part, so what shows on
// screen is where the real windows are.
#include <windows.h>

#include <memory>

#include "dib_bitmap.h"
#include "page_file.h"
#include "png_writer.h"
#include "preview_run.h"

namespace preview {

class LivePicture {
 public:
  // Draws the page at `size` (its Boxes: one per page object, in page order).
  void Draw(const Page& page, const SizeRun& size, bool ghosts);
  // Copies the part of the picture under `box` (host client pixels) to `dc` at its origin;
  // what lies outside the picture is white.
  void Show(HDC dc, const standin::Box& box) const;
  // The picture as it is now.
  Image Snapshot() const;

 private:
  std::unique_ptr<DibBitmap> bitmap_;  // null until the first picture is drawn
};

}  // namespace preview
