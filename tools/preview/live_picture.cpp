#include "live_picture.h"

#include <algorithm>
#include <cstdint>

#include "page_painter.h"

namespace preview {

namespace {

constexpr COLORREF kOutside = RGB(255, 255, 255);

}  // namespace

void LivePicture::Draw(const Page& page, const SizeRun& size, bool ghosts) {
  const Image image = PaintPage(page, size, ghosts);
  if (image.Rgb.empty()) return;
  if (!bitmap_ || bitmap_->Width() != image.Width || bitmap_->Height() != image.Height) {
    bitmap_ = std::make_unique<DibBitmap>(image.Width, image.Height);
  }
  bitmap_->CopyFrom(image);
}

void LivePicture::Show(HDC dc, const standin::Box& box) const {
  const int width = bitmap_ ? bitmap_->Width() : 0;
  const int height = bitmap_ ? bitmap_->Height() : 0;
  const int left = std::max(box.Left, 0);
  const int top = std::max(box.Top, 0);
  const int right = std::min(box.Left + box.Width, width);
  const int bottom = std::min(box.Top + box.Height, height);
  if (left != box.Left || top != box.Top || right != box.Left + box.Width ||
      bottom != box.Top + box.Height) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(kOutside));
    const RECT whole{0, 0, box.Width, box.Height};
    FillRect(dc, &whole, brush.get());
  }
  if (right > left && bottom > top) {
    BitBlt(dc, left - box.Left, top - box.Top, right - left, bottom - top, bitmap_->Dc(), left, top,
           SRCCOPY);
  }
}

Image LivePicture::Snapshot() const {
  return bitmap_ ? bitmap_->ToImage() : Image{};
}

}  // namespace preview
