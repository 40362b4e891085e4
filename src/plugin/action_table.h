#pragma once
// What the plug-in declares to the host: its seven actions, start-up texts and About text.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace duduve {

inline constexpr std::uint8_t kTextParam = 1;
inline constexpr std::uint8_t kNumberParam = 3;

struct ActionSpec {
  int Id;
  std::wstring_view Name;
  std::wstring_view Help;
  int ParamCount;
  std::array<std::uint8_t, 7> TypeCodes;  // the first ParamCount bytes are used
};

const std::array<ActionSpec, 7>& ActionTable();

inline constexpr std::wstring_view kPluginTitle = L"Duduve";
inline constexpr std::wstring_view kPluginPublisher = L"Duduve Project";
inline constexpr std::wstring_view kPluginHint =
    L"Per-object responsive layout. Declare your design size, register each object with a "
    L"per-axis policy (STRETCH/FIXED/UNIFORM) and anchor, then call Duduve_Apply from Page "
    L"Enter and the Resized event.";

inline constexpr std::wstring_view kAboutCaption = L"About Duduve";
// The About box text, lines joined by CR LF.
std::wstring AboutText();

}  // namespace duduve
