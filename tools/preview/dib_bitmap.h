#pragma once
// A top-down 32-bit DIB section selected into its own memory device context: what the
// painter draws on and what the live window copies from, with the move to the RGB images
// the PNG writer takes.
#include <windows.h>

#include <memory>

#include "gdi_handles.h"
#include "png_writer.h"

namespace preview {

class DibBitmap {
 public:
  DibBitmap(int width, int height);
  bool Ready() const { return selection_ != nullptr && bits_ != nullptr; }
  HDC Dc() const { return dc_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixels as RGB rows; an image of the size with no pixels when the bitmap is not ready.
  Image ToImage() const;

 private:
  int width_;
  int height_;
  void* bits_ = nullptr;  // BGRX rows, top first
  MemoryDc dc_;
  GdiObject<HBITMAP> bitmap_;
  std::unique_ptr<Selection> selection_;  // released before the bitmap
};

}  // namespace preview
