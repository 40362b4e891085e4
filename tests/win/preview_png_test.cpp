// The preview's PNG encoder: checksums against published values, the exact file layout,
// and image data that a deflate reader gives back unchanged.
#include <gtest/gtest.h>

#include <string_view>

#include "png_writer.h"

namespace preview {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

// A reader of deflate blocks with fixed codes, the only kind the encoder writes.
class FixedInflater {
 public:
  explicit FixedInflater(std::span<const std::uint8_t> data) : data_(data) {}

  std::vector<std::uint8_t> Run() {
    std::vector<std::uint8_t> out;
    EXPECT_EQ(Bits(1), 1u) << "one final block";
    EXPECT_EQ(Bits(2), 1u) << "fixed codes";
    static constexpr int kLengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr int kDistanceBase[] = {
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    while (!failed_) {
      const int symbol = Symbol();
      if (symbol < 256) {
        out.push_back(static_cast<std::uint8_t>(symbol));
        continue;
      }
      if (symbol == 256) break;
      const int code = symbol - 257;
      if (code < 0 || code > 28) return {};
      const int lengthExtra = code < 8 || code == 28 ? 0 : code / 4 - 1;
      const int length = kLengthBase[code] + static_cast<int>(Bits(lengthExtra));
      const int distanceCode = static_cast<int>(Code(5));
      if (distanceCode > 29) return {};
      const int distanceExtra = distanceCode < 4 ? 0 : distanceCode / 2 - 1;
      const auto distance = static_cast<std::size_t>(kDistanceBase[distanceCode] +
                                                     static_cast<int>(Bits(distanceExtra)));
      if (distance > out.size()) return {};
      for (int i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
    }
    return failed_ ? std::vector<std::uint8_t>{} : out;
  }

 private:
  std::uint32_t Bit() {
    if (at_ / 8 >= data_.size()) {
      failed_ = true;
      return 0;
    }
    const std::uint32_t bit = (data_[at_ / 8] >> (at_ % 8)) & 1u;
    ++at_;
    return bit;
  }
  std::uint32_t Bits(int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value |= Bit() << i;
    return value;
  }
  std::uint32_t Code(int length) {
    std::uint32_t value = 0;
    for (int i = 0; i < length; ++i) value = (value << 1) | Bit();
    return value;
  }
  int Symbol() {
    std::uint32_t code = Code(7);
    if (code <= 0x17) return 256 + static_cast<int>(code);
    code = (code << 1) | Bit();
    if (code >= 0x30 && code <= 0xBF) return static_cast<int>(code - 0x30);
    if (code >= 0xC0 && code <= 0xC7) return 280 + static_cast<int>(code - 0xC0);
    code = (code << 1) | Bit();
    return 144 + static_cast<int>(code - 0x190);
  }

  std::span<const std::uint8_t> data_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

// The raw scanlines a PNG file carries, read back through its single IDAT chunk.
std::vector<std::uint8_t> ImageData(const std::vector<std::uint8_t>& png) {
  const std::size_t idat = 8 + 25;
  const std::uint32_t length = BigEndianAt(png, idat);
  EXPECT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
  EXPECT_EQ(BigEndianAt(png, idat + 8 + length),
            Crc32(std::span(png).subspan(idat + 4, length + 4)));
  EXPECT_EQ(png[idat + 8], 0x78);
  EXPECT_EQ(png[idat + 9], 0x01);
  auto raw = FixedInflater(std::span(png).subspan(idat + 10, length - 6)).Run();
  EXPECT_EQ(BigEndianAt(png, idat + 8 + length - 4), Adler32(raw));
  return raw;
}

std::vector<std::uint8_t> Scanlines(const Image& image) {
  std::vector<std::uint8_t> raw;
  const auto row = static_cast<std::size_t>(image.Width) * 3;
  for (int y = 0; y < image.Height; ++y) {
    raw.push_back(0);
    raw.insert(
        raw.end(),
        image.Rgb.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y)),
        image.Rgb.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y + 1)));
  }
  return raw;
}

TEST(PreviewPng, Checksums) {
  EXPECT_EQ(Crc32(Bytes("IEND")), 0xAE426082u);
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32({}), 1u);
}

TEST(PreviewPng, TheFileLayout) {
  const Image image{2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
  const auto png = EncodePng(image);
  EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  EXPECT_EQ(BigEndianAt(png, 8), 13u);
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_EQ(BigEndianAt(png, 16), 2u);
  EXPECT_EQ(BigEndianAt(png, 20), 2u);
  EXPECT_EQ(std::vector<std::uint8_t>(png.begin() + 24, png.begin() + 29),
            (std::vector<std::uint8_t>{8, 2, 0, 0, 0}));
  EXPECT_EQ(BigEndianAt(png, 29), Crc32(std::span(png).subspan(12, 17)));
  EXPECT_EQ(ImageData(png),
            (std::vector<std::uint8_t>{0, 1, 2, 3, 4, 5, 6, 0, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(std::vector<std::uint8_t>(png.end() - 12, png.end()),
            (std::vector<std::uint8_t>{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
}

TEST(PreviewPng, FlatAreasShrinkAndEveryByteComesBack) {
  // A long flat row: repeats of the previous pixel, runs longer than one match.
  const Image flat{30000, 2, std::vector<std::uint8_t>(180000, 7)};
  const auto flatPng = EncodePng(flat);
  EXPECT_LT(flatPng.size(), 1500u);
  EXPECT_EQ(ImageData(flatPng), Scanlines(flat));

  // Every byte value, and rows that repeat the row above only.
  Image varied{300, 3, {}};
  for (int y = 0; y < varied.Height; ++y) {
    for (int i = 0; i < varied.Width * 3; ++i) {
      varied.Rgb.push_back(static_cast<std::uint8_t>(
          y == 2 ? varied.Rgb[static_cast<std::size_t>(i)] : (i * 7 + y * 13) % 256));
    }
  }
  EXPECT_EQ(ImageData(EncodePng(varied)), Scanlines(varied));

  // A narrow picture: its rows are only 7 bytes apart.
  const Image narrow{
      2, 4, {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6}};
  EXPECT_EQ(ImageData(EncodePng(narrow)), Scanlines(narrow));
}

TEST(PreviewPng, NothingForAnEmptyOrShortImage) {
  EXPECT_TRUE(EncodePng({0, 5, {}}).empty());
  EXPECT_TRUE(EncodePng({2, 2, std::vector<std::uint8_t>(11, 0)}).empty());
}

}  // namespace
}  // namespace preview
