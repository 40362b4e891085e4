#include "check_model.h"

#include <algorithm>

#include "ascii_text.h"
#include "core/casing.h"
#include "core/text_rules.h"
#include "core/vocabulary.h"
#include "groups/group_operations.h"

namespace preview {

namespace {

using duduve::NameKey;
using duduve::TrimSpaces;

// The start of the [Duduve.DPIError] texts of a call after the one that counts.
constexpr char kDpiAlreadyCalled[] = "InitDPI already called";

// The trimmed parameter in the plug-in's reading, narrowed for messages.
std::string NameOf(const ModelLine& line, std::size_t index) {
  return Narrow(TrimSpaces(line.Params[index].Text));
}

}  // namespace

void ScriptModel::Step(const ModelLine& line) {
  switch (static_cast<duduve::ActionId>(line.ActionId)) {
    case duduve::ActionId::SetDesignSize:
      return DesignSize(line);
    case duduve::ActionId::RegisterObject:
      return RegisterObject(line);
    case duduve::ActionId::Apply:
      return Apply(line);
    case duduve::ActionId::Clear:
      objects_.clear();
      groups_.clear();
      return;
    case duduve::ActionId::InitDpi:
      return InitDpi(line);
    case duduve::ActionId::PinObject:
      return PinObject(line);
    case duduve::ActionId::RegisterGroup:
      return RegisterGroup(line);
  }
}

std::vector<Finding> ScriptModel::Finish() {
  std::vector<Finding> findings = findings_;
  for (int line : facts_.Refused) {
    const auto reason = refusals_.find(line);
    if (reason != refusals_.end()) {
      findings.push_back(reason->second);
    } else {
      findings.push_back({line, "Duduve refuses this line: it returns 0 and changes nothing",
                          "see what the action needs in the README's table of actions"});
    }
  }
  return findings;
}

void ScriptModel::DesignSize(const ModelLine& line) {
  const auto side = [&](std::size_t index) {
    return duduve::Low32(duduve::TextToInt(TrimSpaces(line.Params[index].Text)));
  };
  const std::int32_t width = side(0);
  const std::int32_t height = side(1);
  if (width >= 1 && height >= 1 && width <= kLargestPage && height <= kLargestPage) {
    canvas_ = DeclaredCanvas{line.Line, width, height};
    return;
  }
  if (!canvas_) refusedCanvasLine_ = line.Line;
  Refuse(line.Line,
         "Duduve refuses the design size " + std::to_string(width) + " x " +
             std::to_string(height) + " (each side must be 1 to " + std::to_string(kLargestPage) +
             (canvas_ ? "); the size declared before stays"
                      : "), so every Duduve_Apply returns 0 until a good size is declared"),
         "write " + DesignSizeLine(page_) + " (the page's design size)");
}

void ScriptModel::RegisterObject(const ModelLine& line) {
  const std::string name = NameOf(line, 0);
  if (name.empty()) {
    Refuse(line.Line, EmptyName(line, 0, "the line"), "give the name of an object on the page");
    return;
  }
  const auto key = NameKey(Widen(name));
  if (const auto unfound = facts_.Unfound.find(line.Line);
      unfound != facts_.Unfound.end() && unfound->second.contains(key)) {
    Add({line.Line,
         "there is no object " + Quote(name) +
             " on the page, so Duduve never measures it and never moves it",
         NameAdvice(name)});
  }
  for (auto& object : objects_) {
    if (object.Key != key) continue;
    object.Rule = line;
    Add({line.Line,
         Quote(name) + " is registered again (first on line " + std::to_string(object.Line) +
             "): this line's rule replaces that one" +
             (object.Pinned ? ", and its nudges replace the pin's offsets (line " +
                                  std::to_string(object.Pin.Line) + ")"
                            : ""),
         "keep one Duduve_RegisterObject line for " + Quote(object.Name)});
    return;
  }
  objects_.push_back({key, name, line.Line, line, false, {}, {}, {}});
}

void ScriptModel::Apply(const ModelLine& line) {
  if (objects_.empty()) {
    Refuse(line.Line, "Duduve_Apply returns 0 and moves nothing: no object is registered",
           "register the page's objects with Duduve_RegisterObject before Duduve_Apply");
    return;
  }
  if (!canvas_) {
    Refuse(line.Line,
           "Duduve_Apply returns 0 and moves nothing: no design size is declared" +
               (refusedCanvasLine_ != 0
                    ? " (Duduve refused the one on line " + std::to_string(refusedCanvasLine_) + ")"
                    : std::string(" before it")),
           "declare the design size with Duduve_SetDesignSize before Duduve_Apply");
  }
  // What the pass would do once it runs is told even while a missing size stops it.
  PlacePinsAndGroups();
}

void ScriptModel::InitDpi(const ModelLine& line) {
  const auto error = facts_.DpiErrors.find(line.Line);
  if (error == facts_.DpiErrors.end() || !error->second.starts_with(kDpiAlreadyCalled)) {
    Add({line.Line,
         std::string("Duduve_InitDPI runs again at every ") +
             (line.OnResize ? "resize" : "page entry") +
             ", and only its first call in the process counts",
         "move it to the host's StartupAction, before any page loads"});
    if (error != facts_.DpiErrors.end()) {
      Refuse(line.Line, "Duduve refuses it: " + error->second, "write \"aware\" or \"unaware\"");
    }
    return;
  }
  // Refused because a call before it counted, not for its mode.
  const std::string first = facts_.DpiCall == line.Line
                                ? "this line's own first run"
                                : "the one on line " + std::to_string(facts_.DpiCall);
  Refuse(line.Line,
         "Duduve refuses it: " + error->second +
             " Only the first Duduve_InitDPI of the process "
             "counts: " +
             first,
         "keep one Duduve_InitDPI, in the host's StartupAction, before any page loads");
}

void ScriptModel::PinObject(const ModelLine& line) {
  const std::string name = NameOf(line, 0);
  const std::string target = NameOf(line, 1);
  if (name.empty() || target.empty()) {
    Refuse(line.Line, EmptyName(line, name.empty() ? 0 : 1, "the pin"),
           "give both the object to pin and its target");
    return;
  }
  const auto key = NameKey(Widen(name));
  const auto record = std::find_if(objects_.begin(), objects_.end(),
                                   [&](const ModelObject& object) { return object.Key == key; });
  if (record == objects_.end()) {
    Refuse(line.Line,
           Quote(name) + " is not registered before this line, so Duduve refuses the pin",
           "register " + Quote(name) + " with Duduve_RegisterObject above this line");
    return;
  }
  record->Pinned = true;
  record->TargetKey = NameKey(Widen(target));
  record->Target = target;
  record->Pin = line;
}

void ScriptModel::RegisterGroup(const ModelLine& line) {
  const std::string name = NameOf(line, 0);
  const std::string target = NameOf(line, 1);
  if (name.empty() || target.empty()) {
    Refuse(line.Line, EmptyName(line, name.empty() ? 0 : 1, "the group"),
           "give the group's name and the name of its registered target");
    return;
  }
  const auto key = NameKey(Widen(name));
  const auto targetKey = NameKey(Widen(target));
  if (key == targetKey) {
    Refuse(line.Line, "the group " + Quote(name) + " targets itself, so Duduve refuses it",
           "fit the group into another registered object");
    return;
  }
  ModelGroup group{key, name, targetKey, target, {}, false, false, line.Line};
  group.Fill = duduve::ParseGroupMode(duduve::UpperCase(TrimSpaces(line.Params[2].Text))) ==
               duduve::GroupMode::Fill;
  const auto members = TrimSpaces(line.Params[3].Text);
  const auto unfound = facts_.Unfound.find(line.Line);
  const auto isUnfound = [&](const std::wstring& nameKey) {
    return unfound != facts_.Unfound.end() && unfound->second.contains(nameKey);
  };
  bool gone = facts_.Refused.contains(line.Line);
  if (!members.empty()) {
    for (const auto& member : duduve::ParseMemberNames(members, key, targetKey)) {
      group.Members.push_back(Narrow(member));
      if (isUnfound(NameKey(member))) {
        Add({line.Line,
             "member " + Quote(Narrow(member)) +
                 " has no object on the page, so the group never moves it",
             NameAdvice(Narrow(member))});
      }
    }
    if (group.Members.empty()) {
      gone = true;
      Refuse(line.Line,
             "Members " + Quote(line.Params[3].Raw) +
                 " names no object besides the group and its target, so Duduve refuses the "
                 "group (and forgets an earlier one of that name)",
             "list member names separated by \";\", or leave Members blank to collect them");
    }
  } else {
    group.Collected = true;
    if (isUnfound(key)) {
      Refuse(line.Line,
             "there is no object " + Quote(name) +
                 " on the page to collect the members from, so Duduve refuses the group",
             "name the frame object drawn behind the members, or list the members");
    }
  }
  const auto same = std::find_if(groups_.begin(), groups_.end(),
                                 [&](const ModelGroup& other) { return other.Key == key; });
  if (gone) {
    if (same != groups_.end()) groups_.erase(same);
  } else if (same != groups_.end()) {
    *same = std::move(group);
  } else {
    groups_.push_back(std::move(group));
  }
}

bool ScriptModel::TargetPlaced(const std::wstring& key, std::size_t before,
                               const std::vector<bool>& pinPlaced, std::string& why) const {
  std::size_t index = 0;
  const ModelObject* target = Find(key, &index);
  if (target == nullptr) {
    why = "which is not registered";
    return false;
  }
  if (Missing(key)) {
    why = "which has no object on the page";
    return false;
  }
  if (!target->Pinned) return true;
  if (index >= before) {
    why = "which is pinned too and comes later in the registry (registered on line " +
          std::to_string(target->Line) + ")";
    return false;
  }
  if (!pinPlaced[index]) {
    why = "which never moves itself (its pin is on line " + std::to_string(target->Pin.Line) + ")";
    return false;
  }
  return true;
}

void ScriptModel::PlacePinsAndGroups() {
  std::vector<bool> pinPlaced(objects_.size(), false);
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    const ModelObject& object = objects_[i];
    if (!object.Pinned || Missing(object.Key)) continue;
    std::string why;
    if (object.TargetKey == object.Key) {
      Add({object.Pin.Line, Quote(object.Name) + " is pinned to itself, so it never moves",
           "pin it to another registered object"});
      continue;
    }
    if (TargetPlaced(object.TargetKey, i, pinPlaced, why)) {
      pinPlaced[i] = true;
      continue;
    }
    const ModelObject* target = Find(object.TargetKey);
    std::string fix =
        target == nullptr
            ? "register " + Quote(object.Target) + " with Duduve_RegisterObject before Duduve_Apply"
        : Missing(object.TargetKey) ? NameAdvice(object.Target)
        : target->Line > object.Line
            ? "register " + Quote(target->Name) + " (line " + std::to_string(target->Line) +
                  ") before " + Quote(object.Name) + " (line " + std::to_string(object.Line) + ")"
            : "make the pin of " + Quote(target->Name) + " work first";
    Add({object.Pin.Line,
         Quote(object.Name) + " is pinned to " + Quote(object.Target) + ", " + why + ", so " +
             Quote(object.Name) + " never moves",
         fix});
  }
  for (const ModelGroup& group : groups_) {
    std::string why;
    if (!TargetPlaced(group.TargetKey, objects_.size(), pinPlaced, why)) {
      Add({group.Line,
           "the group " + Quote(group.Name) + " is fitted into " + Quote(group.Target) + ", " +
               why + ", so the group never moves",
           Find(group.TargetKey) == nullptr ? "register " + Quote(group.Target) +
                                                  " with Duduve_RegisterObject before Duduve_Apply"
                                            : NameAdvice(group.Target)});
    }
    for (const auto& member : group.Members) {
      if (const ModelObject* object = Find(NameKey(Widen(member)))) {
        Add({group.Line,
             "member " + Quote(member) + " is registered itself (line " +
                 std::to_string(object->Line) + "), so the group never moves it",
             "take " + Quote(member) +
                 " out of the members, or drop its Duduve_RegisterObject "
                 "line"});
      }
    }
    if (const ModelObject* frame = Find(group.Key); frame != nullptr && !Missing(group.Key)) {
      Add({group.Line,
           "the frame " + Quote(group.Name) + " is registered itself (line " +
               std::to_string(frame->Line) + "), so the group does not move it",
           "leave the frame to the group, or name the group after a label"});
    }
  }
}

std::string DesignSizeLine(const Page& page) {
  return ScriptText({0,
                     "Duduve_SetDesignSize",
                     {std::to_string(page.Width), std::to_string(page.Height)},
                     duduve::Number(duduve::ActionId::SetDesignSize)});
}

std::string ScriptModel::EmptyName(const ModelLine& line, std::size_t index,
                                   const char* refused) const {
  const auto specs = ParamSpecs(line.ActionId);
  const ReadParam& param = line.Params[index];
  if (param.Emptied) {
    return SevenBitProblem(specs[index], param) + ", so Duduve reads it as empty and refuses " +
           refused;
  }
  return std::string(specs[index].Label) + " is empty, so Duduve refuses " + refused;
}

const ModelObject* ScriptModel::Find(const std::wstring& key, std::size_t* index) const {
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    if (objects_[i].Key != key) continue;
    if (index != nullptr) *index = i;
    return &objects_[i];
  }
  return nullptr;
}

std::string ScriptModel::NameAdvice(const std::string& name) const {
  std::vector<std::string> names;
  for (const auto& object : page_.Objects) names.push_back(object.Name);
  if (const auto closest = ClosestName(name, names)) {
    return "correct the name: the page has " + Quote(*closest);
  }
  return "add an object named " + Quote(name) + " to the page, or correct the name";
}

void ScriptModel::Add(Finding finding) {
  if (std::find(findings_.begin(), findings_.end(), finding) == findings_.end()) {
    findings_.push_back(std::move(finding));
  }
}

void ScriptModel::Refuse(int line, std::string what, std::string fix) {
  refusals_.try_emplace(line, Finding{line, std::move(what), std::move(fix)});
}

}  // namespace preview
