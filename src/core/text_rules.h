#pragma once
// The plug-in's rules for reading numbers and names out of host texts, and for
// writing numbers back.
#include <cstdint>
#include <string>
#include <string_view>

namespace duduve {

// Optional sign, then `$` hexadecimal, `%` binary or decimal digits; 64-bit, wrapping,
// trailing text ignored; no digits give 0.
std::int64_t TextToInt(std::wstring_view text);

// The low 32 bits of a parsed number, read as a signed value.
inline std::int32_t Low32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// Removes leading and trailing U+0020 only; tabs and other white space stay.
std::wstring TrimSpaces(std::wstring_view text);

// Plain decimal text: a minus sign for negatives, no plus sign, no leading zeros.
std::wstring DecimalText(std::int64_t value);

// The single-precision value widened to double, in fixed notation with exactly four
// decimals, rounded from the exact double value.
std::wstring FourDecimals(float value);

}  // namespace duduve
