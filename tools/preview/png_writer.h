#pragma once
// A self-contained PNG encoder for 8-bit RGB pictures: the image data is one zlib stream
// compressed with deflate's fixed codes, so no compression library is needed.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace preview {

struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgb;  // rows top to bottom, three bytes a pixel
};

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);
// The complete PNG file; empty for an image without pixels or with a short buffer.
std::vector<std::uint8_t> EncodePng(const Image& image);

}  // namespace preview
