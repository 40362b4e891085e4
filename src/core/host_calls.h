#pragma once
// The two interface commands the plug-in sends the host.
#include <string>
#include <string_view>

#include "core/geometry.h"
#include "core/host_services.h"

namespace duduve {

inline constexpr int kPickObjectCommand = 1;
inline constexpr int kObjectWindowCommand = 7;

// The window of a named page object: the host's answer to command 7 read as a number,
// its low 32 bits sign-extended; 0 for a blank name (the host is not asked) or no answer.
// The name is copied before the host runs any code.
WindowHandle ObjectWindow(HostServices& host, std::wstring_view name);
// The name of the object the user picked in the host, or the empty text.
std::wstring PickObject(HostServices& host);

}  // namespace duduve
