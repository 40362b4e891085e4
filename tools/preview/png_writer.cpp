#include "png_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace preview {

namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
  static const auto table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  return table;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              std::span<const std::uint8_t> data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(std::span(out).subspan(typeAt)));
}

// Writes bits least significant first, as deflate packs them.
class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1u);
  }
  // Huffman codes go most significant bit first.
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1u);
  }
  void Flush() {
    if (used_ > 0) out_.push_back(current_);
    current_ = 0;
    used_ = 0;
  }

 private:
  void Bit(std::uint32_t bit) {
    current_ = static_cast<std::uint8_t>(current_ | (bit << used_));
    if (++used_ == 8) Flush();
  }
  std::vector<std::uint8_t>& out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

// A symbol of the fixed literal/length code.
void PutLiteralOrLength(BitWriter& bits, int symbol) {
  if (symbol < 144) {
    bits.Code(0x30u + static_cast<std::uint32_t>(symbol), 8);
  } else if (symbol < 256) {
    bits.Code(0x190u + static_cast<std::uint32_t>(symbol - 144), 9);
  } else if (symbol < 280) {
    bits.Code(static_cast<std::uint32_t>(symbol - 256), 7);
  } else {
    bits.Code(0xC0u + static_cast<std::uint32_t>(symbol - 280), 8);
  }
}

void PutMatch(BitWriter& bits, int length, int distance) {
  static constexpr int kLengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                        15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                        67, 83, 99, 115, 131, 163, 195, 227, 258};
  static constexpr int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                         2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  static constexpr int kDistanceBase[] = {
      1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
      193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
  int code = 28;
  while (kLengthBase[code] > length) --code;
  PutLiteralOrLength(bits, 257 + code);
  bits.Bits(static_cast<std::uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
  int distanceCode = 29;
  while (kDistanceBase[distanceCode] > distance) --distanceCode;
  bits.Code(static_cast<std::uint32_t>(distanceCode), 5);
  bits.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[distanceCode]),
            distanceCode < 4 ? 0 : distanceCode / 2 - 1);
}

// zlib stream with one fixed-Huffman block. Pictures of flat rectangles repeat the previous
// pixel or the row above, so only those two distances are tried.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& raw, std::size_t rowStride) {
  constexpr int kLongest = 258;
  constexpr std::size_t kWindow = 32768;
  std::vector<std::uint8_t> out = {0x78, 0x01};
  BitWriter bits(out);
  bits.Bits(1, 1);  // the last block
  bits.Bits(1, 2);  // fixed Huffman codes
  const std::size_t distances[] = {3, rowStride};
  std::size_t at = 0;
  while (at < raw.size()) {
    int bestLength = 0;
    std::size_t bestDistance = 0;
    for (std::size_t distance : distances) {
      if (distance > at || distance > kWindow) continue;
      int length = 0;
      while (length < kLongest && at + static_cast<std::size_t>(length) < raw.size() &&
             raw[at + static_cast<std::size_t>(length)] ==
                 raw[at + static_cast<std::size_t>(length) - distance]) {
        ++length;
      }
      if (length > bestLength) {
        bestLength = length;
        bestDistance = distance;
      }
    }
    if (bestLength >= 3) {
      PutMatch(bits, bestLength, static_cast<int>(bestDistance));
      at += static_cast<std::size_t>(bestLength);
    } else {
      PutLiteralOrLength(bits, raw[at]);
      ++at;
    }
  }
  PutLiteralOrLength(bits, 256);
  bits.Flush();
  return out;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t byte : bytes) crc = CrcTable()[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : bytes) {
    a = (a + byte) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(const Image& image) {
  if (image.Width < 1 || image.Height < 1) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(image.Width) * 3;
  if (image.Rgb.size() < rowBytes * static_cast<std::size_t>(image.Height)) return {};

  // Raw scanlines, each led by filter type 0 (none).
  std::vector<std::uint8_t> raw;
  raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.Height));
  for (int row = 0; row < image.Height; ++row) {
    raw.push_back(0);
    const auto first =
        image.Rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(row));
    raw.insert(raw.end(), first, first + static_cast<std::ptrdiff_t>(rowBytes));
  }

  std::vector<std::uint8_t> zlib = Deflate(raw, rowBytes + 1);
  PutBigEndian(zlib, Adler32(raw));

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(image.Width));
  PutBigEndian(header, static_cast<std::uint32_t>(image.Height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filter 0, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace preview
