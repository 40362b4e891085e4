#include <windows.h>

#include "core/casing.h"

namespace duduve {

std::wstring UpperCase(std::wstring_view text) {
  std::wstring result(text);
  if (!result.empty()) CharUpperBuffW(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

std::wstring LowerCase(std::wstring_view text) {
  std::wstring result(text);
  if (!result.empty()) CharLowerBuffW(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

}  // namespace duduve
