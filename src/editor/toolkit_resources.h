#pragma once
// What the dialog toolkit shares across the process, made once when the plug-in is loaded and
// released when it is unloaded: the module its windows belong to, the screen DPI by which
// DialogUnits (1/96 inch) become pixels, and the message font every control is given.
// Everything else (a window and its class, its controls, their handlers and events) belongs to
// the dialog that made it.
#include <windows.h>

namespace duduve {

void StartToolkitResources(HINSTANCE module);
void StopToolkitResources();
HINSTANCE ToolkitModule();
// The system's message font, or the stock GUI font when it could not be made.
HFONT ToolkitFont();
// DialogUnits to pixels: MulDiv by the screen's LOGPIXELSX (x, width) or LOGPIXELSY
// (y, height) over 96.
int UnitsToPixelsX(int units);
int UnitsToPixelsY(int units);

}  // namespace duduve
