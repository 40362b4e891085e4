#pragma once
// An action's parameter texts, already read from the host (empty where unreadable).
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace duduve {

using ParamTexts = std::span<const std::wstring>;

// Parameter `index`, or the empty text when the host gave fewer.
inline std::wstring_view ParamAt(ParamTexts params, std::size_t index) {
  return index < params.size() ? std::wstring_view(params[index]) : std::wstring_view();
}

}  // namespace duduve
