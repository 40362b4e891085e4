#pragma once
// The seam between the plug-in logic and the host application.
#include <string>
#include <string_view>

namespace duduve {

class HostServices {
 public:
  virtual ~HostServices() = default;
  // The host's interface-access function: a command and a request text; the answer
  // text, empty when the host gives none.
  virtual std::wstring CallInterface(int command, std::wstring_view request) = 0;
  // Sets a host variable; the name carries its square brackets.
  virtual void SetVariable(std::wstring_view name, std::wstring_view value) = 0;
};

}  // namespace duduve
