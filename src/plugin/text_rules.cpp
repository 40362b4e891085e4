#include "plugin/text_rules.h"

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

// Decimal digits of mantissa * 2^exponent, up to 2^128, in limbs of nine digits each.
std::wstring WholeNumberText(std::uint32_t mantissa, int exponent) {
  constexpr std::uint32_t kLimb = 1000000000u;
  std::array<std::uint32_t, 5> limbs{mantissa};  // lowest first; 2^128 has 39 digits
  while (exponent > 0) {
    const int step = exponent < 30 ? exponent : 30;
    exponent -= step;
    std::uint64_t carry = 0;
    for (auto& limb : limbs) {
      const std::uint64_t product = (std::uint64_t{limb} << step) + carry;
      limb = static_cast<std::uint32_t>(product % kLimb);
      carry = product / kLimb;
    }
  }
  std::size_t top = limbs.size() - 1;
  while (top > 0 && limbs[top] == 0) --top;
  char buffer[limbs.size() * 9 + 1];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, limbs[top]).ptr;
  while (top-- > 0) {
    char digits[10];
    char* digitsEnd = std::to_chars(digits, digits + sizeof digits, limbs[top] + kLimb).ptr;
    end = std::copy(digits + 1, digitsEnd, end);
  }
  return Widen(buffer, end);
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
  std::wstring text = (bits >> 31) != 0 ? L"-" : L"";
  if (biased == 0xFFu) return text + (mantissa != 0 ? L"nan" : L"inf");
  int exponent = -149;
  if (biased != 0) {
    mantissa |= 0x800000u;
    exponent = static_cast<int>(biased) - 150;
  }
  if (exponent >= 0) return text + WholeNumberText(mantissa, exponent) + L".0000";
  const std::uint64_t scaled = std::uint64_t{mantissa} * 10000u;  // below 2^38
  const int shift = -exponent;
  std::uint64_t units = 0;
  if (shift < 64) {
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    const std::uint64_t remainder = scaled & (half * 2 - 1);
    units = scaled >> shift;
    if (remainder > half || (remainder == half && (units & 1) != 0)) ++units;
  }
  const auto fraction = DecimalText(static_cast<std::int64_t>(units % 10000 + 10000));
  return text + DecimalText(static_cast<std::int64_t>(units / 10000)) + L"." + fraction.substr(1);
}

}  // namespace duduve
