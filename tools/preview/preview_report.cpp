#include "preview_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace preview {

namespace {

std::string Format(const char* format, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

void AppendScript(std::string& out, const std::vector<Outcome>& outcomes) {
  for (const auto& outcome : outcomes) {
    out += Format("  %-64s -> %d\n", outcome.Text.c_str(), outcome.Result);
  }
}

void AppendVariables(std::string& out, const std::vector<standin::VariableSet>& variables) {
  if (variables.empty()) {
    out += "  Host variables: none set (the factors and the DPI did not change)\n";
    return;
  }
  out += "  Host variables set:\n";
  for (const auto& variable : variables) {
    out += Format("    %-20s = %s\n", variable.Name.c_str(), variable.Value.c_str());
  }
}

}  // namespace

std::string AspectName(int width, int height) {
  struct Shape {
    const char* Name;
    double Ratio;
  };
  static constexpr Shape kShapes[] = {{"5:4", 5.0 / 4},   {"4:3", 4.0 / 3},   {"3:2", 3.0 / 2},
                                      {"16:10", 1.6},     {"16:9", 16.0 / 9}, {"21:9", 21.0 / 9},
                                      {"32:9", 32.0 / 9}, {"1:1", 1.0}};
  if (width < 1 || height < 1) return "-";
  const double ratio = static_cast<double>(width) / height;
  for (const auto& shape : kShapes) {
    if (std::fabs(ratio / shape.Ratio - 1.0) <= 0.02) return shape.Name;
  }
  return ratio >= 1.0 ? Format("%.2f:1", ratio) : Format("1:%.2f", 1.0 / ratio);
}

std::string FormatRun(const Page& page, const PreviewRun& run) {
  std::string out = Format("Page entry, window %d x %d (%s)\n", page.Width, page.Height,
                           AspectName(page.Width, page.Height).c_str());
  AppendScript(out, run.Enter);
  AppendVariables(out, run.EnterVariables);

  std::size_t nameWidth = 6;
  for (const auto& object : page.Objects) nameWidth = std::max(nameWidth, object.Name.size());
  const int width = static_cast<int>(nameWidth);
  for (const auto& size : run.Sizes) {
    out += Format("\nWindow %d x %d (%s)\n", size.Size.Width, size.Size.Height,
                  AspectName(size.Size.Width, size.Size.Height).c_str());
    AppendScript(out, size.Script);
    out += Format("  %-*s %6s %6s %6s %6s\n", width, "Object", "Left", "Top", "Width", "Height");
    for (std::size_t i = 0; i < page.Objects.size() && i < size.Boxes.size(); ++i) {
      const auto& box = size.Boxes[i];
      out += Format("  %-*s %6d %6d %6d %6d\n", width, page.Objects[i].Name.c_str(), box.Left,
                    box.Top, box.Width, box.Height);
    }
    AppendVariables(out, size.Variables);
  }
  return out;
}

}  // namespace preview
