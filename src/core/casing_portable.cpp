#include <cwctype>

#include "core/casing.h"

namespace duduve {

std::wstring UpperCase(std::wstring_view text) {
  std::wstring result(text);
  for (auto& c : result) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
  return result;
}

std::wstring LowerCase(std::wstring_view text) {
  std::wstring result(text);
  for (auto& c : result) c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
  return result;
}

}  // namespace duduve
