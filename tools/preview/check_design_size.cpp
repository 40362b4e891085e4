// At its design size a page should look as it is drawn. Every object that moves there is
// reported on the line that places it, with the reason and the line that keeps it in place:
// an anchor C on an object drawn off-centre, a pin's offset that does not match the drawing,
// a group that maps its members' box onto the whole of its target.
#include <algorithm>
#include <cstdlib>
#include <map>

#include "ascii_text.h"
#include "check_layout.h"
#include "core/casing.h"
#include "core/vocabulary.h"

namespace preview {

namespace {

using standin::Box;

using namespace register_param;
using pin_param::kOffsetX;
using pin_param::kOffsetY;

class DesignSizeCheck {
 public:
  explicit DesignSizeCheck(const LayoutInput& input)
      : input_(input), page_(input.Fitted), boxes_(input.Plays.AsWritten.Sizes.front().Boxes) {
    if (input.Plays.LeftTop) leftTop_ = &input.Plays.LeftTop->Sizes.front().Boxes;
  }

  std::vector<Finding> Run() {
    std::map<const ModelGroup*, std::vector<std::size_t>> grouped;
    for (std::size_t i = 0; i < page_.Objects.size() && i < boxes_.size(); ++i) {
      if (!Moved(i)) continue;
      const Placement placement = PlacementOf(input_, i);
      switch (placement.How) {
        case Placement::By::Rule:
          RuleMoved(i, *placement.Object);
          break;
        case Placement::By::Pin:
          PinMoved(i, *placement.Object);
          break;
        case Placement::By::Group:
          grouped[placement.Group].push_back(i);
          break;
        case Placement::By::Nothing:
          break;
      }
    }
    // In the order of the groups' lines.
    for (const auto& group : input_.Model.Groups()) {
      if (const auto moved = grouped.find(&group); moved != grouped.end()) {
        GroupMoved(group, moved->second);
      }
    }
    return findings_;
  }

 private:
  const Box& Drawn(std::size_t i) const { return DrawnBox(input_, i); }
  bool Moved(std::size_t i) const { return boxes_[i] != Drawn(i); }
  const std::string& Name(std::size_t i) const { return page_.Objects[i].Name; }
  std::string Where(std::size_t i) const {
    return "at the design size " + Quote(Name(i)) + " " + MoveText(Drawn(i), boxes_[i]);
  }
  // The line that places a page object, for advice that points there.
  int PlacingLine(int objectIndex) const {
    return PlacementOf(input_, static_cast<std::size_t>(objectIndex)).Line;
  }

  // A registered object: the anchors and the nudge are all that move it at this size.
  void RuleMoved(std::size_t i, const ModelObject& object) {
    const Box drawn = Drawn(i);
    const Box placedLeftTop = leftTop_ != nullptr ? (*leftTop_)[i] : boxes_[i];
    const ModelLine& rule = object.Rule;
    const Centring centring = CentringThatMoves(input_, i, rule);
    const bool centredX = centring.X;
    const bool centredY = centring.Y;
    if (centredX || centredY) {
      const std::string anchors = centredX && centredY ? "HAnchor and VAnchor C centre"
                                  : centredX           ? "HAnchor C centres"
                                                       : "VAnchor C centres";
      const Box withoutCentring{centredX ? placedLeftTop.Left : boxes_[i].Left,
                                centredY ? placedLeftTop.Top : boxes_[i].Top, boxes_[i].Width,
                                boxes_[i].Height};
      findings_.push_back({rule.Line,
                           "at the design size " + Quote(Name(i)) + " " +
                               MoveText(withoutCentring, boxes_[i]) + ": " + anchors +
                               " it in the window, and it is drawn off-centre",
                           "write " + ScriptText(RuleLineInPlace(input_, i, rule))});
    }
    const int nudgeX = NumberParam(rule, kNudgeX);
    const int nudgeY = NumberParam(rule, kNudgeY);
    const int restX = placedLeftTop.Left - drawn.Left;
    const int restY = placedLeftTop.Top - drawn.Top;
    if (restX == nudgeX && restY == nudgeY && placedLeftTop.Width == drawn.Width &&
        placedLeftTop.Height == drawn.Height) {
      if (nudgeX == 0 && nudgeY == 0) return;
      findings_.push_back(
          {rule.Line,
           "at the design size " + Quote(Name(i)) + " " +
               MoveText(drawn,
                        {drawn.Left + nudgeX, drawn.Top + nudgeY, drawn.Width, drawn.Height}) +
               ": its nudge moves it by that much at every window size",
           "to show it where it is drawn, write " + Unnudged(i, rule), Severity::Remark});
      return;
    }
    findings_.push_back({rule.Line, Where(i), "see why its rule moves it at its own size"});
  }

  std::string Unnudged(std::size_t i, const ModelLine& rule) const {
    ScriptLine line = RuleLineInPlace(input_, i, rule);
    line.Params[kNudgeX].assign(1, '0');
    line.Params[kNudgeY].assign(1, '0');
    return ScriptText(line);
  }

  // A pinned object follows its target's point: what its target's move does not explain is
  // the offset's.
  void PinMoved(std::size_t i, const ModelObject& object) {
    const int target = PageObjectIndex(page_, object.TargetKey);
    if (target < 0) return;
    const auto t = static_cast<std::size_t>(target);
    const Box drawn = Drawn(i);
    const Box targetDrawn = Drawn(t);
    const bool targetMoved = boxes_[t] != targetDrawn;
    const int restX = (boxes_[i].Left - drawn.Left) - (boxes_[t].Left - targetDrawn.Left);
    const int restY = (boxes_[i].Top - drawn.Top) - (boxes_[t].Top - targetDrawn.Top);
    const std::string keepTarget = "keep " + Quote(object.Target) + " where it is drawn (line " +
                                   std::to_string(PlacingLine(target)) + ")";
    if (restX == 0 && restY == 0 && boxes_[t].Width == targetDrawn.Width &&
        boxes_[t].Height == targetDrawn.Height) {
      if (!targetMoved) return;
      findings_.push_back({object.Pin.Line,
                           Where(i) + " with " + Quote(object.Target) + ", which it is pinned to",
                           keepTarget, Severity::Remark});
      return;
    }
    // The nudges hold the offsets; a registration after the pin gave them.
    const ModelLine& offsets = object.Rule.Line > object.Pin.Line ? object.Rule : object.Pin;
    const std::size_t first = &offsets == &object.Rule ? kNudgeX : kOffsetX;
    const int offsetX = NumberParam(offsets, first);
    const int offsetY = NumberParam(offsets, first + 1);
    ScriptLine pin = CleanLine(page_, object.Pin.Line);
    pin.Params[kOffsetX] = std::to_string(offsetX - restX);
    pin.Params[kOffsetY] = std::to_string(offsetY - restY);
    findings_.push_back({object.Pin.Line,
                         Where(i) + ": the pin's offset (" + std::to_string(offsetX) + ", " +
                             std::to_string(offsetY) + ") does not match where it is drawn" +
                             (targetMoved ? ", and " + Quote(object.Target) + " moves too" : ""),
                         "write " + ScriptText(pin) + (targetMoved ? ", and " + keepTarget : "")});
  }

  // A group maps its box (the frame's rectangle, or its members' bounding box) onto the
  // whole of its target's rectangle: only a box as large as the target keeps it in place.
  void GroupMoved(const ModelGroup& group, const std::vector<std::size_t>& moved) {
    const int target = PageObjectIndex(page_, group.TargetKey);
    if (target < 0) return;
    const auto t = static_cast<std::size_t>(target);
    const std::string mode = Narrow(duduve::GroupModeWord(group.Fill ? 1 : 0));
    const std::string name = "the " + mode + " group " + Quote(group.Name);
    if (boxes_[t] != Drawn(t)) {
      findings_.push_back({group.Line,
                           "at the design size " + name + " moves with " + Quote(group.Target) +
                               ", which it is fitted into",
                           "keep " + Quote(group.Target) + " where it is drawn (line " +
                               std::to_string(PlacingLine(target)) + ")",
                           Severity::Remark});
      return;
    }
    const int frame = PageObjectIndex(page_, group.Key);
    const Box targetBox = Drawn(t);
    const Box bounds = frame >= 0 ? Drawn(std::size_t(frame)) : MembersBox(group);
    const std::string box = frame >= 0
                                ? "its frame " + Quote(group.Name) + " (" + BoxText(bounds) + ")"
                                : "its members' box (" + BoxText(bounds) + ")";
    const std::string onto = Quote(group.Target) + " (" + BoxText(targetBox) + ")";

    std::size_t members = 0;
    bool frameMoved = false;
    int farthest = 0;
    std::string resized;
    for (std::size_t i : moved) {
      if (frame >= 0 && i == static_cast<std::size_t>(frame)) {
        frameMoved = true;
      } else {
        ++members;
      }
      const Box drawn = Drawn(i);
      farthest = std::max(
          {farthest, std::abs(boxes_[i].Left - drawn.Left), std::abs(boxes_[i].Top - drawn.Top)});
      if (resized.empty() && (boxes_[i].Width != drawn.Width || boxes_[i].Height != drawn.Height)) {
        resized = Quote(Name(i)) + " " + std::to_string(drawn.Width) + " x " +
                  std::to_string(drawn.Height) + " becomes " + std::to_string(boxes_[i].Width) +
                  " x " + std::to_string(boxes_[i].Height);
      }
    }
    const std::string count = std::to_string(members) + (members == 1 ? " member" : " members");
    const std::string subject = frameMoved && members > 0 ? "its frame and " + count
                                : frameMoved              ? std::string("its frame")
                                                          : count;
    const bool one = members + (frameMoved ? 1 : 0) == 1;
    std::string verbs;
    if (farthest > 0)
      verbs = (one ? "moves" : "move") + std::string(" up to ") + std::to_string(farthest) + " px";
    if (!resized.empty()) {
      verbs += (verbs.empty() ? "" : " and ") + std::string(one ? "changes" : "change") +
               " size (" + resized + ")";
    }
    const std::string what = "at the design size " + name + " maps " + box + " onto the whole of " +
                             onto + ", so " + subject + " " + verbs;
    const std::string fix = frame >= 0
                                ? "draw " + Quote(group.Name) + " as large as " + onto +
                                      ", or draw " + Quote(group.Target) + " as large as " +
                                      Quote(group.Name) + " (" + BoxText(bounds) + ")"
                                : "name the group after an object drawn as large as " + onto +
                                      ", which becomes its frame, or draw " + Quote(group.Target) +
                                      " as large as the members' box (" + BoxText(bounds) + ")";
    findings_.push_back({group.Line, what, fix});
  }

  Box MembersBox(const ModelGroup& group) const {
    bool any = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    for (const auto& member : group.Members) {
      const int index = PageObjectIndex(page_, duduve::NameKey(Widen(member)));
      if (index < 0) continue;
      const Box box = Drawn(std::size_t(index));
      left = any ? std::min(left, box.Left) : box.Left;
      top = any ? std::min(top, box.Top) : box.Top;
      right = any ? std::max(right, box.Left + box.Width) : box.Left + box.Width;
      bottom = any ? std::max(bottom, box.Top + box.Height) : box.Top + box.Height;
      any = true;
    }
    return {left, top, right - left, bottom - top};
  }

  const LayoutInput& input_;
  const Page& page_;
  const std::vector<Box>& boxes_;
  const std::vector<Box>* leftTop_ = nullptr;
  std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> DesignSizeFindings(const LayoutInput& input) {
  const PreviewRun& run = input.Plays.AsWritten;
  if (run.Sizes.empty() || !LaidOut(run)) return {};
  if (!CanvasIsPage(run)) {
    const auto& canvas = input.Model.Canvas();
    if (!canvas) return {};
    const Page& page = input.Fitted;
    return {{canvas->Line,
             "Duduve_SetDesignSize declares " + std::to_string(canvas->Width) + " x " +
                 std::to_string(canvas->Height) + ", but the page is drawn at " +
                 std::to_string(page.Width) + " x " + std::to_string(page.Height) +
                 ", so at the page's own size every object moves",
             "write " + DesignSizeLine(page) + " (the page's design size)"}};
  }
  return DesignSizeCheck(input).Run();
}

}  // namespace preview
