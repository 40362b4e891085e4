#pragma once
// The texts the plug-in hands the host besides its actions: the start-up texts and the
// About box.
#include <string>
#include <string_view>

namespace duduve {

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
