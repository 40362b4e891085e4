#include "plugin/plugin_texts.h"

#include <initializer_list>

namespace duduve {

#ifndef DUDUVE_VERSION_TEXT
#define DUDUVE_VERSION_TEXT "0.0.0"
#endif

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
