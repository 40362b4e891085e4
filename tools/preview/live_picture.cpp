#include "live_picture.h"

#include <algorithm>
#include <utility>

#include "page_painter.h"

namespace preview {

namespace {

constexpr COLORREF kOutside = RGB(255, 255, 255);

}  // namespace

void LivePicture::Draw(const Page& page, const SizeRun& size, bool ghosts) {
  const int width = size.Size.Width;
  const int height = size.Size.Height;
  if (!bitmap_ || bitmap_->Width() != width || bitmap_->Height() != height) {
    // A size the system cannot make a bitmap for keeps the last picture.
    auto fresh = std::make_unique<DibBitmap>(width, height);
    if (!fresh->Ready()) return;
    bitmap_ = std::move(fresh);
  }
  PaintPageOn(*bitmap_, page, size, ghosts);
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
