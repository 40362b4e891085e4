#include "page_painter.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "dib_bitmap.h"
#include "gdi_handles.h"
#include "preview_report.h"

namespace preview {

namespace {

constexpr COLORREF kPageBackground = RGB(255, 255, 255);
constexpr COLORREF kSheetBackground = RGB(232, 232, 232);
constexpr COLORREF kFrameBorder = RGB(96, 96, 96);
constexpr COLORREF kDesignPageOutline = RGB(170, 170, 170);
constexpr int kDash = 4;
constexpr int kSmallestLabel = 8;
constexpr int kLabelPadding = 2;
constexpr int kDashGap = 3;

COLORREF PaletteColour(std::size_t index) {
  static constexpr COLORREF kPalette[] = {
      RGB(70, 130, 180),  RGB(230, 160, 60), RGB(100, 170, 100), RGB(200, 90, 80),
      RGB(150, 110, 190), RGB(60, 170, 170), RGB(200, 110, 160), RGB(140, 140, 140)};
  return kPalette[index % (sizeof kPalette / sizeof kPalette[0])];
}

COLORREF ObjectColour(const PageObject& object, std::size_t index) {
  if (!object.Colour) return PaletteColour(index);
  const std::uint32_t rgb = *object.Colour;
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

COLORREF Mix(COLORREF colour, COLORREF with, double amount) {
  const auto channel = [&](int a, int b) {
    return static_cast<BYTE>(std::lround(a + (b - a) * amount));
  };
  return RGB(channel(GetRValue(colour), GetRValue(with)),
             channel(GetGValue(colour), GetGValue(with)),
             channel(GetBValue(colour), GetBValue(with)));
}

COLORREF TextColourOn(COLORREF fill) {
  const int luminance = GetRValue(fill) * 299 + GetGValue(fill) * 587 + GetBValue(fill) * 114;
  return luminance > 150000 ? RGB(20, 20, 20) : RGB(255, 255, 255);
}

// The painter's drawing surface: a bitmap someone else owns.
class Canvas {
 public:
  explicit Canvas(const DibBitmap& bitmap) : bitmap_(bitmap) {}

  bool Ready() const { return bitmap_.Ready(); }
  HDC Dc() const { return bitmap_.Dc(); }

  void Fill(const RECT& rect, COLORREF colour) const {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(Dc(), &rect, brush.get());
  }

  void Outline(const RECT& rect, COLORREF colour, int thickness) const {
    for (int i = 0;
         i < thickness && rect.right - rect.left > 2 * i && rect.bottom - rect.top > 2 * i; ++i) {
      const RECT edge{rect.left + i, rect.top + i, rect.right - i, rect.bottom - i};
      GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
      FrameRect(Dc(), &edge, brush.get());
    }
  }

  // One pixel wide; every edge starts with a dash at its top or left end.
  void DashedOutline(const RECT& rect, COLORREF colour) const {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    const auto dashes = [&](LONG from, LONG to, auto piece) {
      for (LONG at = from; at < to; at += kDash + kDashGap) {
        const RECT dash = piece(at, std::min<LONG>(at + kDash, to));
        FillRect(Dc(), &dash, brush.get());
      }
    };
    dashes(rect.left, rect.right, [&](LONG a, LONG b) {
      return RECT{a, rect.top, b, rect.top + 1};
    });
    dashes(rect.left, rect.right, [&](LONG a, LONG b) {
      return RECT{a, rect.bottom - 1, b, rect.bottom};
    });
    dashes(rect.top, rect.bottom, [&](LONG a, LONG b) {
      return RECT{rect.left, a, rect.left + 1, b};
    });
    dashes(rect.top, rect.bottom, [&](LONG a, LONG b) {
      return RECT{rect.right - 1, a, rect.right, b};
    });
  }

  // A label is never cut short: too long for its rectangle, it is drawn smaller, down to a
  // size still legible; only below that does it end in an ellipsis.
  void Text(const std::string& text, RECT rect, COLORREF colour, int pixels, UINT format) const {
    const int room = rect.right - rect.left - 2 * kLabelPadding;
    const int height = rect.bottom - rect.top;
    for (int size = pixels;; --size) {
      GdiObject<HFONT> font(CreateFontW(-size, 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE,
                                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma"));
      Selection selected(Dc(), font.get());
      RECT needed{0, 0, 0, 0};
      DrawTextA(Dc(), text.c_str(), static_cast<int>(text.size()), &needed,
                DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      if (size > kSmallestLabel && (needed.right > room || needed.bottom > height)) continue;
      SetBkMode(Dc(), TRANSPARENT);
      SetTextColor(Dc(), colour);
      DrawTextA(Dc(), text.c_str(), static_cast<int>(text.size()), &rect,
                format | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
      return;
    }
  }

 private:
  const DibBitmap& bitmap_;
};

// The part of the window where object `index` can show: the rectangles of every container
// around it, intersected (the whole window for an object of the host window). Empty when they
// do not meet.
RECT ShownArea(const Page& page, const std::vector<standin::Box>& boxes, std::size_t index) {
  RECT area{LONG_MIN / 2, LONG_MIN / 2, LONG_MAX / 2, LONG_MAX / 2};
  for (auto container = ContainerIndex(page, index); container;
       container = ContainerIndex(page, *container)) {
    if (*container >= boxes.size()) return {};
    const auto& box = boxes[*container];
    area.left = std::max<LONG>(area.left, box.Left);
    area.top = std::max<LONG>(area.top, box.Top);
    area.right = std::min<LONG>(area.right, box.Left + box.Width);
    area.bottom = std::min<LONG>(area.bottom, box.Top + box.Height);
  }
  if (area.right <= area.left || area.bottom <= area.top) return {};
  return area;
}

bool Within(const RECT& area, int x, int y) {
  return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

void DrawObject(const Canvas& canvas, const PageObject& object, std::size_t index, RECT rect,
                int fontPixels) {
  const COLORREF colour = ObjectColour(object, index);
  const COLORREF dark = Mix(colour, RGB(0, 0, 0), 0.35);
  const std::string& label = object.Label.value_or(object.Name);
  const HDC dc = canvas.Dc();
  switch (object.Kind) {
    case ObjectKind::Panel: {
      const COLORREF light = Mix(colour, RGB(255, 255, 255), 0.7);
      canvas.Fill(rect, light);
      canvas.Outline(rect, colour, 2);
      RECT caption{rect.left + 6, rect.top + 4, rect.right - 6, rect.top + 4 + fontPixels * 3 / 2};
      canvas.Text(label, caption, dark, fontPixels, DT_LEFT | DT_TOP);
      return;
    }
    case ObjectKind::Button: {
      GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
      GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, dark));
      Selection brushSelected(dc, brush.get());
      Selection penSelected(dc, pen.get());
      const int corner = std::max(
          4, static_cast<int>(std::min(rect.right - rect.left, rect.bottom - rect.top) / 4));
      RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
      break;
    }
    case ObjectKind::Text:
      canvas.Outline(rect, Mix(colour, RGB(255, 255, 255), 0.6), 1);
      canvas.Text(label, rect, colour, fontPixels, DT_CENTER | DT_VCENTER);
      return;
    case ObjectKind::Image: {
      canvas.Fill(rect, colour);
      GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, Mix(colour, RGB(255, 255, 255), 0.4)));
      Selection penSelected(dc, pen.get());
      MoveToEx(dc, rect.left, rect.top, nullptr);
      LineTo(dc, rect.right, rect.bottom);
      MoveToEx(dc, rect.right, rect.top, nullptr);
      LineTo(dc, rect.left, rect.bottom);
      canvas.Outline(rect, dark, 1);
      break;
    }
    case ObjectKind::Box:
      canvas.Fill(rect, colour);
      canvas.Outline(rect, dark, 1);
      break;
  }
  canvas.Text(label, rect, TextColourOn(colour), fontPixels, DT_CENTER | DT_VCENTER);
}

// Draws the page's window at (left, top), scaled, clipped to the window's area. With ghosts,
// the design page and each object's design rectangle show as dashed outlines, the vacated
// design rectangles faintly tinted beneath the objects, so every move reads at a glance.
void DrawWindow(const Canvas& canvas, const Page& page, const SizeRun& size, int left, int top,
                double scale, int fontPixels, bool ghosts) {
  const auto scaled = [&](int value) { return static_cast<int>(std::lround(value * scale)); };
  // A rectangle in window pixels, where it lands on the canvas.
  const auto placed = [&](int x, int y, int width, int height) {
    return RECT{left + scaled(x), top + scaled(y), left + scaled(x + width),
                top + scaled(y + height)};
  };
  const auto designRect = [&](const PageObject& object) {
    return placed(object.Left, object.Top, object.Width, object.Height);
  };
  const RECT window = placed(0, 0, size.Size.Width, size.Size.Height);
  const int saved = SaveDC(canvas.Dc());
  IntersectClipRect(canvas.Dc(), window.left, window.top, window.right, window.bottom);
  canvas.Fill(window, kPageBackground);
  if (ghosts) {
    canvas.DashedOutline(placed(0, 0, page.Width, page.Height), kDesignPageOutline);
    for (std::size_t i = 0; i < page.Objects.size(); ++i) {
      const auto& object = page.Objects[i];
      canvas.Fill(designRect(object), Mix(ObjectColour(object, i), kPageBackground, 0.85));
    }
  }
  for (const std::size_t i : DrawingOrder(page)) {
    if (i >= size.Boxes.size()) continue;
    const auto& box = size.Boxes[i];
    const int beforeObject = SaveDC(canvas.Dc());
    if (ContainerIndex(page, i)) {
      const RECT area = ShownArea(page, size.Boxes, i);
      const RECT shown =
          placed(area.left, area.top, area.right - area.left, area.bottom - area.top);
      IntersectClipRect(canvas.Dc(), shown.left, shown.top, shown.right, shown.bottom);
    }
    DrawObject(canvas, page.Objects[i], i, placed(box.Left, box.Top, box.Width, box.Height),
               fontPixels);
    RestoreDC(canvas.Dc(), beforeObject);
  }
  if (ghosts) {
    for (std::size_t i = 0; i < page.Objects.size(); ++i) {
      const auto& object = page.Objects[i];
      canvas.DashedOutline(designRect(object), Mix(ObjectColour(object, i), RGB(0, 0, 0), 0.35));
    }
  }
  RestoreDC(canvas.Dc(), saved);
}

}  // namespace

std::vector<std::size_t> DrawingOrder(const Page& page) {
  std::vector<std::optional<std::size_t>> containers;
  for (std::size_t i = 0; i < page.Objects.size(); ++i) {
    containers.push_back(ContainerIndex(page, i));
  }
  std::vector<std::size_t> order;
  // Each object, then what is inside it; a container is always listed before its contents.
  const auto add = [&](const auto& self, std::size_t index) -> void {
    order.push_back(index);
    for (std::size_t i = index + 1; i < page.Objects.size(); ++i) {
      if (containers[i] == index) self(self, i);
    }
  };
  for (std::size_t i = 0; i < page.Objects.size(); ++i) {
    if (!containers[i]) add(add, i);
  }
  return order;
}

std::optional<std::size_t> TopmostObjectAt(const Page& page, const std::vector<standin::Box>& boxes,
                                           int x, int y) {
  const auto order = DrawingOrder(page);
  for (auto at = order.rbegin(); at != order.rend(); ++at) {
    if (*at >= boxes.size()) continue;
    const auto& box = boxes[*at];
    const RECT rect{box.Left, box.Top, box.Left + box.Width, box.Top + box.Height};
    if (Within(rect, x, y) && Within(ShownArea(page, boxes, *at), x, y)) return *at;
  }
  return std::nullopt;
}

bool PaintPageOn(const DibBitmap& bitmap, const Page& page, const SizeRun& size, bool ghosts) {
  const Canvas canvas(bitmap);
  if (!canvas.Ready()) return false;
  DrawWindow(canvas, page, size, 0, 0, 1.0, 16, ghosts);
  return true;
}

Image PaintPage(const Page& page, const SizeRun& size, bool ghosts) {
  const DibBitmap bitmap(size.Size.Width, size.Size.Height);
  if (!PaintPageOn(bitmap, page, size, ghosts)) return {};
  return bitmap.ToImage();
}

Image PaintContactSheet(const Page& page, const std::vector<SizeRun>& sizes, bool ghosts) {
  if (sizes.empty()) return {};
  constexpr int kMargin = 16;
  constexpr int kLabelHeight = 26;
  constexpr double kTallest = 300.0;
  constexpr double kWidest = 3200.0;
  int tallest = 1;
  double totalWidth = 0;
  for (const auto& size : sizes) {
    tallest = std::max(tallest, size.Size.Height);
    totalWidth += size.Size.Width;
  }
  const double gaps = kMargin * (static_cast<double>(sizes.size()) + 1);
  const double scale =
      std::min({1.0, kTallest / tallest, (kWidest - gaps) / std::max(1.0, totalWidth)});
  const auto scaled = [&](int value) { return static_cast<int>(std::lround(value * scale)); };

  int sheetWidth = kMargin;
  for (const auto& size : sizes) sheetWidth += scaled(size.Size.Width) + kMargin;
  const int sheetHeight = kMargin + kLabelHeight + scaled(tallest) + kMargin;
  const DibBitmap bitmap(sheetWidth, sheetHeight);
  const Canvas canvas(bitmap);
  if (!canvas.Ready()) return {};
  canvas.Fill({0, 0, sheetWidth, sheetHeight}, kSheetBackground);

  int left = kMargin;
  const int top = kMargin + kLabelHeight;
  for (const auto& size : sizes) {
    const int width = scaled(size.Size.Width);
    const std::string label = std::to_string(size.Size.Width) + " x " +
                              std::to_string(size.Size.Height) + "  (" +
                              AspectName(size.Size.Width, size.Size.Height) + ")";
    canvas.Text(label, {left, kMargin, left + std::max(width, 200), top - 4}, RGB(30, 30, 30), 15,
                DT_LEFT | DT_BOTTOM);
    DrawWindow(canvas, page, size, left, top, scale, 11, ghosts);
    canvas.Outline({left - 1, top - 1, left + width + 1, top + scaled(size.Size.Height) + 1},
                   kFrameBorder, 1);
    left += width + kMargin;
  }
  return bitmap.ToImage();
}

}  // namespace preview
