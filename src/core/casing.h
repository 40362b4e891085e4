#pragma once
// The system's Unicode letter casing. Windows builds use CharUpperBuffW and
// CharLowerBuffW; the native build uses the C library's wide-character mapping.
#include <string>
#include <string_view>

namespace duduve {

std::wstring UpperCase(std::wstring_view text);
std::wstring LowerCase(std::wstring_view text);

// The key under which a name is compared and cached: trimmed of spaces, lower-cased.
std::wstring NameKey(std::wstring_view name);

}  // namespace duduve
