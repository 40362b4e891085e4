#include "dib_bitmap.h"

#include <cstddef>
#include <cstdint>

namespace preview {

DibBitmap::DibBitmap(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_.reset(CreateCompatibleDC(nullptr));
  bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  if (dc_ && bitmap_) selection_ = std::make_unique<Selection>(dc_.get(), bitmap_.get());
}

Image DibBitmap::ToImage() const {
  Image image{width_, height_, {}};
  if (!Ready()) return image;
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
