#include "core/text_rules.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>

namespace duduve {

namespace {

int DigitValue(wchar_t c, int base) {
  int value = -1;
  if (c >= L'0' && c <= L'9') {
    value = c - L'0';
  } else if (c >= L'a' && c <= L'f') {
    value = c - L'a' + 10;
  } else if (c >= L'A' && c <= L'F') {
    value = c - L'A' + 10;
  }
  return value < base ? value : -1;
}

std::wstring Widen(const char* begin, const char* end) {
  return std::wstring(begin, end);
}

// Writes the lowest `count` decimal digits of the value, leading zeros included.
char* FixedDigits(std::uint32_t value, int count, char* out) {
  for (int i = count - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + count;
}

// Writes the decimal digits of mantissa * 2^exponent (below 2^128, so at most 39 digits),
// kept in limbs of nine digits each, lowest first.
char* WholeNumberDigits(std::uint32_t mantissa, int exponent, char* out) {
  constexpr std::uint32_t kLimb = 1000000000u;
  std::array<std::uint32_t, 5> limbs{mantissa};  // a mantissa is below 2^24
  for (; exponent > 0; exponent -= 30) {
    const int step = exponent < 30 ? exponent : 30;
    std::uint64_t carry = 0;
    for (auto& limb : limbs) {
      const std::uint64_t product = (std::uint64_t{limb} << step) + carry;
      limb = static_cast<std::uint32_t>(product % kLimb);
      carry = product / kLimb;
    }
  }
  std::size_t top = limbs.size() - 1;
  while (top > 0 && limbs[top] == 0) --top;
  out = std::to_chars(out, out + 9, limbs[top]).ptr;
  while (top-- > 0) out = FixedDigits(limbs[top], 9, out);
  return out;
}

// Ten thousand times mantissa * 2^exponent (exponent negative), rounded half to even.
std::uint64_t TenThousandths(std::uint32_t mantissa, int exponent) {
  const std::uint64_t scaled = std::uint64_t{mantissa} * 10000u;  // below 2^38
  const int shift = -exponent;
  if (shift >= 64) return 0;  // below half a unit
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const std::uint64_t remainder = scaled & (half * 2 - 1);
  const std::uint64_t units = scaled >> shift;
  return remainder > half || (remainder == half && (units & 1) != 0) ? units + 1 : units;
}

}  // namespace

std::int64_t TextToInt(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
    negative = text[i] == L'-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == L'$') {
    base = 16;
    ++i;
  } else if (i < text.size() && text[i] == L'%') {
    base = 2;
    ++i;
  }
  // Unsigned arithmetic gives the documented wrap-around without overflow.
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) break;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
  }
  if (negative) value = 0 - value;
  return static_cast<std::int64_t>(value);
}

std::wstring TrimSpaces(std::wstring_view text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const auto last = text.find_last_not_of(L' ');
  return std::wstring(text.substr(first, last - first + 1));
}

std::wstring DecimalText(std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return Widen(buffer, result.ptr);
}

// Works on the float's bits alone: its exact value is mantissa * 2^exponent, so ten thousand
// times it is an integer or a dyadic fraction, rounded here half to even with integers only.
// No floating-point instruction runs, so the host's rounding mode and exception masks cannot
// change the text.
std::wstring FourDecimals(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  const std::uint32_t biased = (bits >> 23) & 0xFFu;
  std::uint32_t mantissa = bits & 0x7FFFFFu;
  char buffer[48];
  char* end = buffer;
  if ((bits >> 31) != 0) *end++ = '-';
  if (biased == 0xFFu) {
    end = std::copy_n(mantissa != 0 ? "nan" : "inf", 3, end);
    return Widen(buffer, end);
  }
  int exponent = -149;
  if (biased != 0) {
    mantissa |= 0x800000u;
    exponent = static_cast<int>(biased) - 150;
  }
  std::uint32_t fraction = 0;
  if (exponent >= 0) {
    end = WholeNumberDigits(mantissa, exponent, end);
  } else {
    const std::uint64_t units = TenThousandths(mantissa, exponent);
    end = std::to_chars(end, end + 20, units / 10000).ptr;
    fraction = static_cast<std::uint32_t>(units % 10000);
  }
  *end++ = '.';
  end = FixedDigits(fraction, 4, end);
  return Widen(buffer, end);
}

}  // namespace duduve
