// The screen DPI and the message font, read once when the plug-in is loaded.
#include "editor/toolkit_resources.h"

#include "editor/win32_handles.h"

namespace duduve {

namespace {

constexpr int kUnitsPerInch = 96;
// The size of the non-client metrics before Vista added iPaddedBorderWidth: every
// Windows version accepts it.
constexpr UINT kNonClientMetricsSize = 500;
static_assert(sizeof(NONCLIENTMETRICSW) >= kNonClientMetricsSize);

struct ToolkitResources {
  HINSTANCE Module = nullptr;
  int DpiX = kUnitsPerInch;
  int DpiY = kUnitsPerInch;
  UniqueFont MessageFont;  // null when the stock font stands in
};

ToolkitResources& Resources() {
  static ToolkitResources resources;
  return resources;
}

UniqueFont CreateMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
    return nullptr;
  }
  return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace

void StartToolkitResources(HINSTANCE module) {
  auto& resources = Resources();
  resources.Module = module;
  ScreenDc screen;
  if (screen.Get() != nullptr) {
    const int dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    resources.DpiX = dpiX > 0 ? dpiX : kUnitsPerInch;
    resources.DpiY = dpiY > 0 ? dpiY : kUnitsPerInch;
  }
  resources.MessageFont = CreateMessageFont();
}

void StopToolkitResources() {
  auto& resources = Resources();
  resources.MessageFont.reset();
  resources.Module = nullptr;
}

HINSTANCE ToolkitModule() {
  return Resources().Module;
}

HFONT ToolkitFont() {
  const auto& font = Resources().MessageFont;
  return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int UnitsToPixelsX(int units) {
  return MulDiv(units, Resources().DpiX, kUnitsPerInch);
}
int UnitsToPixelsY(int units) {
  return MulDiv(units, Resources().DpiY, kUnitsPerInch);
}

}  // namespace duduve
