#include "check_layout.h"

#include <algorithm>
#include <cstdlib>

#include "ascii_text.h"
#include "core/casing.h"
#include "core/text_rules.h"
#include "core/vocabulary.h"

namespace preview {

namespace {

constexpr char kScaleX[] = "[Duduve.ScaleX]";
constexpr char kScaleY[] = "[Duduve.ScaleY]";
constexpr char kUnitScale[] = "1.0000";

std::wstring KeyOf(const std::string& name) {
  return duduve::NameKey(Widen(name));
}

// Inside with the one pixel of tolerance that collecting members from a frame allows.
bool InsideFrame(const standin::Box& box, const standin::Box& frame) {
  return box.Left >= frame.Left - 1 && box.Top >= frame.Top - 1 &&
         box.Left + box.Width <= frame.Left + frame.Width + 1 &&
         box.Top + box.Height <= frame.Top + frame.Height + 1;
}

bool Lists(const ModelGroup& group, const std::wstring& key) {
  return std::any_of(group.Members.begin(), group.Members.end(),
                     [&](const std::string& member) { return KeyOf(member) == key; });
}

std::string Pixels(int count, const char* less, const char* more) {
  return std::to_string(std::abs(count)) + " px " + (count < 0 ? less : more);
}

}  // namespace

int PageObjectIndex(const Page& page, const std::wstring& key) {
  for (std::size_t i = 0; i < page.Objects.size(); ++i) {
    if (KeyOf(page.Objects[i].Name) == key) return static_cast<int>(i);
  }
  return -1;
}

Placement PlacementOf(const LayoutInput& input, std::size_t objectIndex) {
  const PageObject& object = input.Fitted.Objects[objectIndex];
  const auto key = KeyOf(object.Name);
  if (const ModelObject* record = input.Model.Find(key)) {
    if (record->Pinned) return {Placement::By::Pin, record, nullptr, record->Pin.Line};
    return {Placement::By::Rule, record, nullptr, record->Rule.Line};
  }
  // A later group moves it after an earlier one: the last one places it.
  const ModelGroup* placing = nullptr;
  for (const auto& group : input.Model.Groups()) {
    bool member = group.Key == key || Lists(group, key);
    if (!member && group.Collected && group.TargetKey != key) {
      const int frame = PageObjectIndex(input.Fitted, group.Key);
      member = frame >= 0 && InsideFrame(DrawnBox(input, objectIndex),
                                         DrawnBox(input, static_cast<std::size_t>(frame)));
    }
    if (member) placing = &group;
  }
  if (placing != nullptr) return {Placement::By::Group, nullptr, placing, placing->Line};
  return {Placement::By::Nothing, nullptr, nullptr, object.Line};
}

bool LaidOut(const PreviewRun& run) {
  const auto published = [](const std::vector<standin::VariableSet>& sets) {
    return std::any_of(sets.begin(), sets.end(),
                       [](const standin::VariableSet& set) { return set.Name == kScaleX; });
  };
  return published(run.EnterVariables) ||
         std::any_of(run.Sizes.begin(), run.Sizes.end(),
                     [&](const SizeRun& size) { return published(size.Variables); });
}

bool CanvasIsPage(const PreviewRun& run) {
  std::string x;
  std::string y;
  const auto take = [&](const std::vector<standin::VariableSet>& sets) {
    for (const auto& set : sets) {
      if (set.Name == kScaleX) x = set.Value;
      if (set.Name == kScaleY) y = set.Value;
    }
  };
  take(run.EnterVariables);
  if (!run.Sizes.empty()) take(run.Sizes.front().Variables);
  return x == kUnitScale && y == kUnitScale;
}

const standin::Box& DrawnBox(const LayoutInput& input, std::size_t objectIndex) {
  return input.Plays.AsWritten.Drawn[objectIndex];
}

std::string BoxText(const standin::Box& box) {
  return std::to_string(box.Left) + " " + std::to_string(box.Top) + " " +
         std::to_string(box.Width) + " " + std::to_string(box.Height);
}

std::string MoveText(const standin::Box& from, const standin::Box& to) {
  const int dx = to.Left - from.Left;
  const int dy = to.Top - from.Top;
  std::string text;
  if (dx != 0 || dy != 0) {
    text = "moves ";
    if (dx != 0) text += Pixels(dx, "left", "right");
    if (dx != 0 && dy != 0) text += " and ";
    if (dy != 0) text += Pixels(dy, "up", "down");
    text += " (from " + std::to_string(from.Left) + ", " + std::to_string(from.Top) + " to " +
            std::to_string(to.Left) + ", " + std::to_string(to.Top) + ")";
  }
  if (from.Width != to.Width || from.Height != to.Height) {
    text += (text.empty() ? "" : " and ") + std::string("is resized from ") +
            std::to_string(from.Width) + " x " + std::to_string(from.Height) + " to " +
            std::to_string(to.Width) + " x " + std::to_string(to.Height);
  }
  return text;
}

ScriptLine CleanLine(const Page& page, int line) {
  const ScriptLine& written = *FindScriptLine(page, line);
  return CleanScriptLine(
      written, {written.ActionId, written.Action, static_cast<int>(written.Params.size())});
}

Centring CentringThatMoves(const LayoutInput& input, std::size_t objectIndex,
                           const ModelLine& rule) {
  const PreviewRun& run = input.Plays.AsWritten;
  if (!input.Plays.LeftTop || run.Sizes.empty()) return {};
  const standin::Box& placed = run.Sizes.front().Boxes[objectIndex];
  const standin::Box& leftTop = input.Plays.LeftTop->Sizes.front().Boxes[objectIndex];
  using namespace register_param;
  return {duduve::ParseHorizontalAnchor(rule.Params[kHorizontalAnchor].Text) ==
                  duduve::HorizontalAnchor::Center &&
              placed.Left != leftTop.Left,
          duduve::ParseVerticalAnchor(rule.Params[kVerticalAnchor].Text) ==
                  duduve::VerticalAnchor::Center &&
              placed.Top != leftTop.Top};
}

ScriptLine RuleLineInPlace(const LayoutInput& input, std::size_t objectIndex,
                           const ModelLine& rule) {
  using namespace register_param;
  ScriptLine line = CleanLine(input.Fitted, rule.Line);
  const Centring centring = CentringThatMoves(input, objectIndex, rule);
  const standin::Box& drawn = DrawnBox(input, objectIndex);
  const auto fixed = [&](std::size_t mode) {
    return duduve::ParseAxisPolicy(rule.Params[mode].Text, duduve::AxisPolicy::Stretch) ==
           duduve::AxisPolicy::Fixed;
  };
  // Assigned by count and letter: GCC 12 warns wrongly about copies of short literals.
  if (centring.X) {
    const bool right = fixed(kWidthMode) && 2 * drawn.Left + drawn.Width > input.Fitted.Width;
    line.Params[kHorizontalAnchor].assign(1, right ? 'R' : 'L');
  }
  if (centring.Y) {
    const bool bottom = fixed(kHeightMode) && 2 * drawn.Top + drawn.Height > input.Fitted.Height;
    line.Params[kVerticalAnchor].assign(1, bottom ? 'B' : 'T');
  }
  return line;
}

int NumberParam(const ModelLine& line, std::size_t index) {
  if (index >= line.Params.size()) return 0;
  return duduve::Low32(duduve::TextToInt(duduve::TrimSpaces(line.Params[index].Text)));
}

}  // namespace preview
