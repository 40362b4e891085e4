// Remarks on the page at the check's window shapes: an object that leaves the window, two
// objects that meet though they are apart in the design, and an R or B anchor that puts the
// object where L or T would. They do not make a line wrong; they say what the rules do.
#include <algorithm>
#include <cstdlib>

#include "ascii_text.h"
#include "check_layout.h"
#include "core/vocabulary.h"

namespace preview {

namespace {

using duduve::AxisPolicy;
using standin::Box;

using namespace register_param;
// Rounding may make objects drawn edge to edge share a pixel; that is no overlap.
constexpr int kLeastOverlap = 2;
// Where R and L (or B and T) land within a pixel of each other, the anchor changes nothing.
constexpr int kRounding = 1;

enum class Edge { Left, Top, Right, Bottom };

const char* EdgeName(Edge edge) {
  switch (edge) {
    case Edge::Left:
      return "left";
    case Edge::Top:
      return "top";
    case Edge::Right:
      return "right";
    default:
      return "bottom";
  }
}

AxisPolicy Policy(const ModelLine& rule, std::size_t mode) {
  return duduve::ParseAxisPolicy(rule.Params[mode].Text, AxisPolicy::Stretch);
}

std::string PolicyWord(AxisPolicy policy) {
  return Narrow(duduve::AxisPolicyWord(static_cast<std::int32_t>(policy)));
}

// The overlap of two boxes; zero sizes when they do not meet.
Box Overlap(const Box& a, const Box& b) {
  const int left = std::max(a.Left, b.Left);
  const int top = std::max(a.Top, b.Top);
  const int right = std::min(a.Left + a.Width, b.Left + b.Width);
  const int bottom = std::min(a.Top + a.Height, b.Top + b.Height);
  return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

// An attach point's coordinate on one axis: the near edge, the middle (C) or the far edge.
int PointOn(int start, int size, char letter) {
  if (letter == 'C') return start + size / 2;
  return letter == 'R' || letter == 'B' ? start + size : start;
}

class ShapeCheck {
 public:
  explicit ShapeCheck(const LayoutInput& input)
      : input_(input), page_(input.Fitted), sizes_(input.Plays.AsWritten.Sizes) {}

  std::vector<Finding> Run() {
    for (std::size_t i = 0; i < page_.Objects.size(); ++i) Leaving(i);
    for (std::size_t i = 0; i < page_.Objects.size(); ++i) {
      for (std::size_t j = i + 1; j < page_.Objects.size(); ++j) Meeting(i, j);
    }
    if (input_.Plays.LeftTop) {
      for (std::size_t i = 0; i < page_.Objects.size(); ++i) AnchorsThatChangeNothing(i);
    }
    return findings_;
  }

 private:
  const std::string& Name(std::size_t i) const { return page_.Objects[i].Name; }
  const Box& Drawn(std::size_t i) const { return DrawnBox(input_, i); }

  void Add(int line, std::string what, std::string fix) {
    findings_.push_back({line, std::move(what), std::move(fix), Severity::Remark});
  }

  void Leaving(std::size_t i) {
    const Box drawn = Drawn(i);
    if (drawn.Left < 0 || drawn.Top < 0 || drawn.Left + drawn.Width > page_.Width ||
        drawn.Top + drawn.Height > page_.Height) {
      return;  // drawn across the page's edge on purpose
    }
    std::string where;
    Edge worst = Edge::Left;
    int most = 0;
    for (std::size_t s = 1; s < sizes_.size(); ++s) {
      const Box& box = sizes_[s].Boxes[i];
      const WindowSize& window = sizes_[s].Size;
      const std::pair<Edge, int> past[] = {{Edge::Left, -box.Left},
                                           {Edge::Top, -box.Top},
                                           {Edge::Right, box.Left + box.Width - window.Width},
                                           {Edge::Bottom, box.Top + box.Height - window.Height}};
      const auto beyond =
          *std::max_element(std::begin(past), std::end(past),
                            [](const auto& a, const auto& b) { return a.second < b.second; });
      if (beyond.second <= 0) continue;
      where += (where.empty() ? "" : "; ") + ShapeText(s) + ", " + std::to_string(beyond.second) +
               " px past its " + EdgeName(beyond.first) + " edge";
      if (beyond.second > most) {
        most = beyond.second;
        worst = beyond.first;
      }
    }
    if (where.empty()) return;
    const Placement placement = PlacementOf(input_, i);
    Add(placement.Line, Quote(Name(i)) + " leaves the window " + where,
        LeavingFix(i, placement, worst));
  }

  std::string LeavingFix(std::size_t i, const Placement& placement, Edge edge) const {
    switch (placement.How) {
      case Placement::By::Nothing:
        return "register " + Quote(Name(i)) +
               " with Duduve_RegisterObject, so that it follows the window";
      case Placement::By::Pin:
        return "pin " + Quote(Name(i)) + " to a point of " + Quote(placement.Object->Target) +
               " that keeps it inside the window, or to another object";
      case Placement::By::Group:
        return "the group " + Quote(placement.Group->Name) + " places it inside " +
               Quote(placement.Group->Target) + ": keep " + Quote(placement.Group->Target) +
               " inside the window";
      case Placement::By::Rule:
        break;
    }
    const ModelLine& rule = placement.Object->Rule;
    const bool across = edge == Edge::Left || edge == Edge::Right;
    const std::size_t mode = across ? kWidthMode : kHeightMode;
    const std::size_t anchor = across ? kHorizontalAnchor : kVerticalAnchor;
    ScriptLine line = RuleLineInPlace(input_, i, rule);
    if (Policy(rule, mode) != AxisPolicy::Fixed) {
      return "its anchor or nudge takes it out; see its " +
             std::string(across ? "HAnchor" : "VAnchor") + " and " + (across ? "NudgeX" : "NudgeY");
    }
    const char farSide = across ? 'R' : 'B';
    const bool farEdge = edge == Edge::Right || edge == Edge::Bottom;
    if (farEdge && line.Params[anchor] != std::string(1, farSide)) {
      line.Params[anchor].assign(1, farSide);
      // Appended piece by piece: GCC 12 for i686 takes "text" + std::string(1, c) for an
      // overlapping copy (-Wrestrict).
      std::string advice = "anchor it ";
      advice += farSide;
      advice += " to keep its ";
      advice += EdgeName(edge);
      return advice + " margin: write " + ScriptText(line);
    }
    line.Params[mode] = PolicyWord(AxisPolicy::Uniform);
    return std::string("let its ") + (across ? "width" : "height") +
           " shrink with the window: write " + ScriptText(line);
  }

  void Meeting(std::size_t i, std::size_t j) {
    const Box apart = Overlap(Drawn(i), Drawn(j));
    if (apart.Width > 0 && apart.Height > 0) return;
    const Placement a = PlacementOf(input_, i);
    const Placement b = PlacementOf(input_, j);
    if (a.How == Placement::By::Nothing && b.How == Placement::By::Nothing) return;
    std::string where;
    for (std::size_t s = 1; s < sizes_.size(); ++s) {
      const Box meet = Overlap(sizes_[s].Boxes[i], sizes_[s].Boxes[j]);
      if (meet.Width < kLeastOverlap || meet.Height < kLeastOverlap) continue;
      where += (where.empty() ? "" : "; ") + ShapeText(s) + ", by " + std::to_string(meet.Width) +
               " x " + std::to_string(meet.Height) + " px";
    }
    if (where.empty()) return;
    const int line = a.How == Placement::By::Nothing   ? b.Line
                     : b.How == Placement::By::Nothing ? a.Line
                                                       : std::max(a.Line, b.Line);
    Add(line,
        Quote(Name(i)) + " and " + Quote(Name(j)) + " overlap " + where +
            ", though they are apart in the design",
        "to keep them apart, give them rules that move them alike where they meet (the same "
        "policy and anchor on that axis), or pin one to the other");
  }

  // An R (B) anchor on an axis whose margins both scale: the run anchored L (T) puts the
  // object within a pixel of where it is at every shape.
  void AnchorsThatChangeNothing(std::size_t i) {
    const Placement placement = PlacementOf(input_, i);
    if (placement.How != Placement::By::Rule) return;
    const ModelLine& rule = placement.Object->Rule;
    const auto& leftTop = input_.Plays.LeftTop->Sizes;
    bool sameX = duduve::ParseHorizontalAnchor(rule.Params[kHorizontalAnchor].Text) ==
                 duduve::HorizontalAnchor::Right;
    bool sameY = duduve::ParseVerticalAnchor(rule.Params[kVerticalAnchor].Text) ==
                 duduve::VerticalAnchor::Bottom;
    for (std::size_t s = 1; s < sizes_.size(); ++s) {
      sameX &= std::abs(sizes_[s].Boxes[i].Left - leftTop[s].Boxes[i].Left) <= kRounding;
      sameY &= std::abs(sizes_[s].Boxes[i].Top - leftTop[s].Boxes[i].Top) <= kRounding;
    }
    if (!sameX && !sameY) return;

    const AxisPolicy width = Policy(rule, kWidthMode);
    const AxisPolicy height = Policy(rule, kHeightMode);
    std::string anchors;
    if (sameX) anchors = "HAnchor R on a " + PolicyWord(width) + " width";
    if (sameY) {
      anchors +=
          (sameX ? " and " : "") + std::string("VAnchor B on a ") + PolicyWord(height) + " height";
    }
    std::string what = anchors + (sameX && sameY ? " put " : " puts ") + Quote(Name(i)) +
                       " where " +
                       (sameX && sameY ? "L and T"
                        : sameX        ? "L"
                                       : "T") +
                       " would";
    const bool uniform =
        (sameX && width == AxisPolicy::Uniform) || (sameY && height == AxisPolicy::Uniform);
    if (uniform) {
      const Box drawn = Drawn(i);
      std::string distances;
      if (sameX && width == AxisPolicy::Uniform) {
        const SizeRun& wide = sizes_[kWidestShape + 1];
        const Box& box = wide.Boxes[i];
        distances = ShapeText(kWidestShape + 1) + " it is " +
                    std::to_string(wide.Size.Width - box.Left - box.Width) +
                    " px from the window's right edge (" +
                    std::to_string(page_.Width - drawn.Left - drawn.Width) + " px in the design)";
      }
      if (sameY && height == AxisPolicy::Uniform) {
        const SizeRun& tall = sizes_[kTallestShape + 1];
        const Box& box = tall.Boxes[i];
        distances += (distances.empty() ? "" : ", and ") + ShapeText(kTallestShape + 1) +
                     " it is " + std::to_string(tall.Size.Height - box.Top - box.Height) +
                     " px from the window's bottom edge (" +
                     std::to_string(page_.Height - drawn.Top - drawn.Height) + " px in the design)";
      }
      what += ": it sits in the centred uniform frame, whose margins scale, so " + distances;
    } else {
      what += ": both its margins scale with the window";
    }
    Add(rule.Line, what, AnchorFix(i, rule, sameX, sameY));
  }

  // On a FIXED axis the object keeps its size, so R (B) keeps it by the far edge, its margin
  // scaling with the window; a pin to the corner of an object that stretches to the window's
  // edge keeps it there while the object scales.
  std::string AnchorFix(std::size_t i, const ModelLine& rule, bool x, bool y) const {
    ScriptLine fixed = RuleLineInPlace(input_, i, rule);
    if (x) fixed.Params[kWidthMode] = PolicyWord(AxisPolicy::Fixed);
    if (y) fixed.Params[kHeightMode] = PolicyWord(AxisPolicy::Fixed);
    const char* edges = x && y ? "bottom-right corner" : x ? "right edge" : "bottom edge";
    std::string fix = std::string("to keep it by the ") + edges + " at its own " +
                      (x && y ? "size"
                       : x    ? "width"
                              : "height") +
                      ", write " + ScriptText(fixed) + "; to hug the window's " + edges +
                      " while it scales, ";
    // The pin's point: the far side on the axes the remark is about, else the object's anchor
    // as the line proposed writes it.
    const std::string code{
        y ? 'B'
          : Narrow(duduve::VerticalAnchorCode(static_cast<std::int32_t>(
                duduve::ParseVerticalAnchor(Widen(fixed.Params[kVerticalAnchor])))))[0],
        x ? 'R'
          : Narrow(duduve::HorizontalAnchorCode(static_cast<std::int32_t>(
                duduve::ParseHorizontalAnchor(Widen(fixed.Params[kHorizontalAnchor])))))[0]};
    const ModelObject* target = StretchedTo(i, x, y);
    if (target == nullptr) {
      return fix + "pin its " + code + " point to the " + code +
             " point of an object that stretches to that " + (x && y ? "corner" : "edge");
    }
    const Box drawn = Drawn(i);
    const Box to = Drawn(static_cast<std::size_t>(PageObjectIndex(page_, target->Key)));
    const int offsetX =
        PointOn(drawn.Left, drawn.Width, code[1]) - PointOn(to.Left, to.Width, code[1]);
    const int offsetY =
        PointOn(drawn.Top, drawn.Height, code[0]) - PointOn(to.Top, to.Height, code[0]);
    const ScriptLine pin{
        0,
        "Duduve_PinObject",
        {Name(i), target->Name, code, code, std::to_string(offsetX), std::to_string(offsetY)},
        duduve::Number(duduve::ActionId::PinObject)};
    return fix + "add after line " + std::to_string(rule.Line) + ": " + ScriptText(pin);
  }

  // A registered object that stretches to the page's right (x) and bottom (y) edges.
  const ModelObject* StretchedTo(std::size_t i, bool x, bool y) const {
    for (const auto& object : input_.Model.Objects()) {
      const int index = PageObjectIndex(page_, object.Key);
      if (index < 0 || static_cast<std::size_t>(index) == i || object.Pinned ||
          input_.Model.Missing(object.Key)) {
        continue;
      }
      const Box box = Drawn(static_cast<std::size_t>(index));
      const bool right = box.Left + box.Width == page_.Width &&
                         Policy(object.Rule, kWidthMode) == AxisPolicy::Stretch;
      const bool bottom = box.Top + box.Height == page_.Height &&
                          Policy(object.Rule, kHeightMode) == AxisPolicy::Stretch;
      if ((!x || right) && (!y || bottom)) return &object;
    }
    return nullptr;
  }

  const LayoutInput& input_;
  const Page& page_;
  const std::vector<SizeRun>& sizes_;
  std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> ShapeFindings(const LayoutInput& input) {
  const PreviewRun& run = input.Plays.AsWritten;
  if (run.Sizes.size() != kCheckShapes.size() + 1 || !LaidOut(run) || !CanvasIsPage(run)) {
    return {};
  }
  return ShapeCheck(input).Run();
}

}  // namespace preview
