#include "live_picture.h"

#include <algorithm>
#include <cstdint>

#include "page_painter.h"

namespace preview {

namespace {

constexpr COLORREF kOutside = RGB(255, 255, 255);

}  // namespace

bool LivePicture::Resize(int width, int height) {
  if (width == width_ && height == height_ && selection_) return true;
  selection_.reset();
  bitmap_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  if (!dc_ || !bitmap_ || bits_ == nullptr) return false;
  selection_ = std::make_unique<Selection>(dc_.get(), bitmap_.get());
  width_ = width;
  height_ = height;
  return true;
}

void LivePicture::Draw(const Page& page, const SizeRun& size, bool ghosts) {
  const Image image = PaintPage(page, size, ghosts);
  if (image.Rgb.empty() || !Resize(image.Width, image.Height)) return;
  GdiFlush();
  auto* pixels = static_cast<std::uint8_t*>(bits_);
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  for (std::size_t i = 0; i < count; ++i) {
    pixels[i * 4] = image.Rgb[i * 3 + 2];
    pixels[i * 4 + 1] = image.Rgb[i * 3 + 1];
    pixels[i * 4 + 2] = image.Rgb[i * 3];
    pixels[i * 4 + 3] = 0;
  }
}

void LivePicture::Show(HDC dc, const standin::Box& box) const {
  const int left = std::max(box.Left, 0);
  const int top = std::max(box.Top, 0);
  const int right = std::min(box.Left + box.Width, width_);
  const int bottom = std::min(box.Top + box.Height, height_);
  if (left != box.Left || top != box.Top || right != box.Left + box.Width ||
      bottom != box.Top + box.Height) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(kOutside));
    const RECT whole{0, 0, box.Width, box.Height};
    FillRect(dc, &whole, brush.get());
  }
  if (right > left && bottom > top) {
    BitBlt(dc, left - box.Left, top - box.Top, right - left, bottom - top, dc_.get(), left, top,
           SRCCOPY);
  }
}

Image LivePicture::Snapshot() const {
  Image image{width_, height_, {}};
  if (bits_ == nullptr) return image;
  GdiFlush();
  const auto* pixels = static_cast<const std::uint8_t*>(bits_);
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  image.Rgb.resize(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    image.Rgb[i * 3] = pixels[i * 4 + 2];
    image.Rgb[i * 3 + 1] = pixels[i * 4 + 1];
    image.Rgb[i * 3 + 2] = pixels[i * 4];
  }
  return image;
}

}  // namespace preview
