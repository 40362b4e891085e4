#include "core/casing.h"

#include "core/text_rules.h"

namespace duduve {

std::wstring NameKey(std::wstring_view name) {
  return LowerCase(TrimSpaces(name));
}

}  // namespace duduve
