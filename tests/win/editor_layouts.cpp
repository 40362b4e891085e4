#include "editor_layouts.h"

#include <cstdio>

namespace editor_test {

RECT At(int x, int y, int width, int height) {
  return {x, y, x + width, y + height};
}

std::string Describe(const RECT& rect) {
  char text[64];
  std::snprintf(text, sizeof text, "{%ld, %ld, %ld, %ld}", rect.left, rect.top, rect.right,
                rect.bottom);
  return text;
}

const std::vector<EditorLayout>& Layouts() {
  static const std::vector<EditorLayout> layouts = {
      {"DesignSize",
       1,
       L"Duduve - Design Size",
       300,
       140,
       {{0, L"The window size you laid the page out at\r\n(the design canvas).", L"Static",
         At(14, 14, 272, 32)},
        {0, L"Width:", L"Static", At(14, 56, 60, 20)},
        {100, nullptr, L"Edit", At(80, 54, 90, 24)},
        {0, L"Height:", L"Static", At(14, 86, 60, 20)},
        {101, nullptr, L"Edit", At(80, 84, 90, 24)},
        {102, nullptr, L"Button", At(120, 112, 80, 26)},
        {103, nullptr, L"Button", At(206, 112, 80, 26)}}},
      {"RegisterObject",
       2,
       L"Duduve - Register Object",
       440,
       330,
       {{0, L"Object:", L"Static", At(14, 16, 56, 20)},
        {200, nullptr, L"Edit", At(74, 12, 280, 24)},
        {201, nullptr, L"Button", At(360, 12, 66, 24)},
        {0, L"Width:", L"Static", At(14, 54, 96, 20)},
        {202, nullptr, L"ComboBox", At(116, 52, 310, 24)},
        {0, L"Height:", L"Static", At(14, 86, 96, 20)},
        {203, nullptr, L"ComboBox", At(116, 84, 310, 24)},
        {0, L"H anchor:", L"Static", At(14, 120, 96, 20)},
        {204, nullptr, L"ComboBox", At(116, 118, 310, 24)},
        {0, L"V anchor:", L"Static", At(14, 152, 96, 20)},
        {205, nullptr, L"ComboBox", At(116, 150, 310, 24)},
        {0, L"Nudge X:", L"Static", At(14, 186, 96, 20)},
        {206, nullptr, L"Edit", At(116, 184, 70, 24)},
        {0, L"Nudge Y:", L"Static", At(206, 186, 70, 20)},
        {207, nullptr, L"Edit", At(278, 184, 70, 24)},
        {0,
         L"Per axis: STRETCH fills that axis (can distort). FIXED keeps the\r\ndesign pixel "
         L"size. UNIFORM scales by min(Xscale,Yscale) -- use it on\r\nBOTH axes to keep an "
         L"object's shape. Anchor picks the edge/point the\r\nobject stays pinned to. Nudge = "
         L"constant pixel fine-tune.",
         L"Static", At(14, 220, 412, 64)},
        {208, nullptr, L"Button", At(260, 292, 80, 26)},
        {209, nullptr, L"Button", At(346, 292, 80, 26)}}},
      {"DpiAwareness",
       5,
       L"Duduve - DPI Awareness",
       440,
       230,
       {{0,
         L"Set process DPI awareness. Call this ONCE in StartupAction,\r\nbefore any page "
         L"loads. Awareness is a one-time process latch --\r\nit cannot be changed once set.",
         L"Static", At(14, 12, 412, 48)},
        {0, L"Mode:", L"Static", At(14, 70, 70, 20)},
        {300, nullptr, L"ComboBox", At(90, 68, 336, 24)},
        {0,
         L"Unaware: the whole process shares one coordinate space, so\r\ntorch/flame overlays "
         L"stay aligned at any resolution. Choose\r\nAware only for Duduve-only pubs, or once "
         L"Dazevide and\r\nZidizovir are also made DPI-aware.",
         L"Static", At(14, 104, 412, 64)},
        {301, nullptr, L"Button", At(260, 192, 80, 26)},
        {302, nullptr, L"Button", At(346, 192, 80, 26)}}},
      {"PinObject",
       6,
       L"Duduve - Pin Object",
       470,
       330,
       {{0,
         L"Pin one object to another so it tracks that object at every\r\nresolution (e.g. a "
         L"flame that stays on its torch).",
         L"Static", At(14, 12, 442, 32)},
        {0, L"Object to pin:", L"Static", At(14, 52, 90, 20)},
        {400, nullptr, L"Edit", At(110, 50, 270, 24)},
        {401, nullptr, L"Button", At(386, 50, 66, 24)},
        {0, L"Pin it to:", L"Static", At(14, 84, 90, 20)},
        {402, nullptr, L"Edit", At(110, 82, 270, 24)},
        {403, nullptr, L"Button", At(386, 82, 66, 24)},
        {0, L"This object's point:", L"Static", At(14, 120, 180, 20)},
        {404, nullptr, L"ComboBox", At(200, 118, 252, 24)},
        {0, L"...sits on target's point:", L"Static", At(14, 152, 180, 20)},
        {405, nullptr, L"ComboBox", At(200, 150, 252, 24)},
        {0, L"Nudge X:", L"Static", At(14, 186, 90, 20)},
        {406, nullptr, L"Edit", At(110, 184, 70, 24)},
        {0, L"Nudge Y:", L"Static", At(200, 186, 70, 20)},
        {407, nullptr, L"Edit", At(272, 184, 70, 24)},
        {0,
         L"Example: to seat a flame on a torch bowl, set the flame's point to\r\nBottom-Center "
         L"and the torch's point to Top-Center. Nudge moves the\r\nflame a few design-pixels "
         L"(scaled) for fine adjustment. Register\r\nBOTH objects before pinning; call this "
         L"before Duduve_Apply.",
         L"Static", At(14, 222, 442, 60)},
        {408, nullptr, L"Button", At(290, 292, 80, 26)},
        {409, nullptr, L"Button", At(376, 292, 80, 26)}}},
      {"RegisterGroup",
       7,
       L"Duduve - Register Group",
       470,
       350,
       {{0,
         L"Scale a set of objects as ONE unit into a registered target\r\nobject's rectangle "
         L"(FIT keeps the shape; FILL stretches).",
         L"Static", At(14, 12, 442, 32)},
        {0, L"Group / frame:", L"Static", At(14, 52, 90, 20)},
        {500, nullptr, L"Edit", At(110, 50, 270, 24)},
        {501, nullptr, L"Button", At(386, 50, 66, 24)},
        {0, L"Target:", L"Static", At(14, 84, 90, 20)},
        {502, nullptr, L"Edit", At(110, 82, 270, 24)},
        {503, nullptr, L"Button", At(386, 82, 66, 24)},
        {0, L"Mode:", L"Static", At(14, 118, 90, 20)},
        {504, nullptr, L"ComboBox", At(110, 116, 342, 24)},
        {0, L"Members:", L"Static", At(14, 152, 90, 20)},
        {505, nullptr, L"Edit", At(110, 150, 270, 24)},
        {506, nullptr, L"Button", At(386, 150, 66, 24)},
        {0,
         L"Members: object names separated by ';' (recommended -- survives\r\npage changes). "
         L"Leave BLANK to auto-collect every object drawn\r\nfully inside the Group object's "
         L"rectangle; the Group must then\r\nbe a real object such as a Rectangle behind the "
         L"set. (VNW's\r\neditor Group command is design-time only -- it does not create\r\na "
         L"runtime object you can name here.) Register the Target with\r\nRegisterObject "
         L"first; call this before Duduve_Apply.",
         L"Static", At(14, 186, 442, 96)},
        {507, nullptr, L"Button", At(290, 312, 80, 26)},
        {508, nullptr, L"Button", At(376, 312, 80, 26)}}},
  };
  return layouts;
}

}  // namespace editor_test
