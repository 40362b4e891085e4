#include "core/host_calls.h"

#include "core/text_rules.h"

namespace duduve {

WindowHandle ObjectWindow(HostServices& host, std::wstring_view name) {
  const auto trimmed = TrimSpaces(name);
  if (trimmed.empty()) return 0;
  const auto answer = host.CallInterface(kObjectWindowCommand, trimmed);
  if (answer.empty()) return 0;
  return HandleFromLow32(TextToInt(answer));
}

std::wstring PickObject(HostServices& host) {
  return host.CallInterface(kPickObjectCommand, L"");
}

}  // namespace duduve
