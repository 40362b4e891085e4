#include "plugin/action_table.h"

#include <initializer_list>

namespace duduve {

#ifndef DUDUVE_VERSION_TEXT
#define DUDUVE_VERSION_TEXT "0.0.0"
#endif

namespace {

constexpr std::uint8_t T = kTextParam;
constexpr std::uint8_t N = kNumberParam;

constexpr std::array<ActionSpec, 7> kActions = {{
    {1,
     L"Duduve_SetDesignSize",
     L"Declare the design canvas size you laid the page out at (e.g. 1280 720). Call once in "
     L"Page Enter, first.",
     2,
     {N, N}},
    {2,
     L"Duduve_RegisterObject",
     L"Register an object. WMode/HMode: STRETCH (scale with window) | FIXED (keep size) | "
     L"UNIFORM (aspect factor; use on both axes to keep shape). Blank inherits default policy. "
     L"HAnchor L|C|R, VAnchor T|C|B. NudgeX/NudgeY: constant pixel fine-tune. Call after "
     L"SetDesignSize, before Apply.",
     7,
     {T, T, T, T, T, N, N}},
    {3,
     L"Duduve_Apply",
     L"Resolve every registered object to the current window size. Call at the end of Page "
     L"Enter and from the Resized event.",
     0,
     {}},
    {4,
     L"Duduve_Clear",
     L"Restore objects to design-time geometry and empty the registry. Call at the top of Page "
     L"Enter for safe re-entry.",
     0,
     {}},
    {5,
     L"Duduve_InitDPI",
     L"Set process DPI awareness. Mode = 'aware' (crisp high-DPI; only if ALL companion plugins "
     L"are also aware) or 'unaware' (default; matches VNW/overlays). Call ONCE in StartupAction, "
     L"before any page loads. Awareness is a one-time process latch and cannot change at "
     L"runtime. Result in [Duduve.DPIAware] / [Duduve.DPIError].",
     1,
     {T}},
    {6,
     L"Duduve_PinObject",
     L"Pin a registered object to another object so it tracks that object at all resolutions. "
     L"Name=object to pin, Target=object to pin to. SrcPoint=point on this object (e.g. "
     L"BC=bottom-center), TgtPoint=point on target (e.g. TC=top-center). OffsetX/Y=design-pixel "
     L"nudge (scaled). Call after both objects are registered, before Apply.",
     6,
     {T, T, T, T, N, N}},
    {7,
     L"Duduve_RegisterGroup",
     L"Scale a set of objects as ONE unit into a registered target object's rect. "
     L"GroupName=frame object (or a label when Members is given), TargetName=registered "
     L"container, Mode=FIT (uniform, centered, no distortion) or FILL (stretches to fill). "
     L"Members=object names separated by ';' (recommended), or blank to auto-collect everything "
     L"inside the frame object's rect. Call after the target's RegisterObject, before Apply.",
     4,
     {T, T, T, T}},
}};

}  // namespace

const std::array<ActionSpec, 7>& ActionTable() {
  return kActions;
}

std::wstring AboutText() {
  const std::wstring version = [] {
    const std::string narrow = DUDUVE_VERSION_TEXT;
    return std::wstring(narrow.begin(), narrow.end());
  }();
  // Lines 2 to 25; line 1 is the title with the version.
  const std::initializer_list<std::wstring_view> lines = {
      L"Per-object responsive layout for VisualNEO Win.",
      L"",
      L"No global page transform. Each object resolves itself from",
      L"its own per-axis policy and anchor (browser box model), so the",
      L"layout holds at ANY window shape -- 4:3, 16:9, 16:10, ultrawide.",
      L"",
      L"Actions:",
      L"  Duduve_SetDesignSize   W H",
      L"  Duduve_RegisterObject  Name WMode HMode HAnchor VAnchor NudgeX NudgeY",
      L"  Duduve_Apply",
      L"  Duduve_Clear",
      L"  Duduve_InitDPI  aware|unaware  (StartupAction, once)",
      L"  Duduve_RegisterGroup  Group Target FIT|FILL Members",
      L"",
      L"Per axis: STRETCH (scale with window) | FIXED (keep size) |",
      L"UNIFORM (scale by min(Xscale,Yscale); use on both to keep shape).",
      L"Anchor: H = L|C|R, V = T|C|B.",
      L"",
      L"Page Enter: Clear, SetDesignSize, RegisterObject (each),",
      L"size the window, then Apply.",
      L"Resized event: Apply.",
      L"",
      L"Exports [Duduve.ScaleX/ScaleY/Uniform/FontScale/DPI/DPIScale].",
      kPluginPublisher,
  };
  std::wstring text = L"Duduve " + version;
  for (auto line : lines) {
    text += L"\r\n";
    text += line;
  }
  return text;
}

}  // namespace duduve
