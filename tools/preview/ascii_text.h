#pragma once
// Texts that cross between the page file's bytes and the plug-in's UTF-16: byte for
// character, anything beyond 7-bit ASCII shown as '?' when narrowed.
#include <string>
#include <string_view>

namespace preview {

inline std::string Narrow(std::wstring_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

inline std::wstring Widen(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

}  // namespace preview
