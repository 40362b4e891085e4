#pragma once
// The check's model of the plug-in's registry: it walks the script lines in the order the
// host runs them and says which lines Duduve refuses and which rules never take effect (a
// pin on a target placed too late, a group member the group never moves, ...). What it has
// registered at the end tells the layout checks which line places each object.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "check_finding.h"
#include "check_reading.h"
#include "page_file.h"
#include "preview_run.h"

namespace preview {

// What the runs of the page showed, by line.
struct RunFacts {
  std::set<int> Refused;                          // lines that returned 0 in some run
  std::map<int, std::set<std::wstring>> Unfound;  // per line, name keys command 7 did not know
  std::set<std::wstring> Missing;                 // every such name key
  std::map<int, std::string> DpiErrors;           // per line, the [Duduve.DPIError] it set
  int DpiCall = 0;  // the line whose Duduve_InitDPI made the one call that counts
  static RunFacts From(const std::vector<LineRun>& runs);
};

// A script line as the plug-in reads it: one parameter per declared one.
struct ModelLine {
  int Line = 0;
  int ActionId = 0;
  std::vector<ReadParam> Params;
  bool OnResize = false;  // one of the lines every resize runs
};

// A registered object as the last lines left it.
struct ModelObject {
  std::wstring Key;
  std::string Name;
  int Line = 0;    // the first registration
  ModelLine Rule;  // the registration that counts (the last one)
  bool Pinned = false;
  std::wstring TargetKey;
  std::string Target;
  ModelLine Pin;
};

struct ModelGroup {
  std::wstring Key;
  std::string Name;
  std::wstring TargetKey;
  std::string Target;
  std::vector<std::string> Members;
  bool Collected = false;  // members collected from the screen
  bool Fill = false;       // FILL; FIT otherwise
  int Line = 0;
};

// The design size the script declared and Duduve accepted.
struct DeclaredCanvas {
  int Line = 0;
  int Width = 0;
  int Height = 0;
};

class ScriptModel {
 public:
  ScriptModel(const Page& page, const RunFacts& facts) : page_(page), facts_(facts) {}
  // One line, in run order.
  void Step(const ModelLine& line);
  // After the last line: the refusals the runs confirmed, and whole-page findings.
  std::vector<Finding> Finish();

  const std::vector<ModelObject>& Objects() const { return objects_; }
  const std::vector<ModelGroup>& Groups() const { return groups_; }
  const std::optional<DeclaredCanvas>& Canvas() const { return canvas_; }
  // The registered object of a name key; null when there is none.
  const ModelObject* Find(const std::wstring& key, std::size_t* index = nullptr) const;
  // Whether the host knew no object of this name key in some run.
  bool Missing(const std::wstring& key) const { return facts_.Missing.contains(key); }

 private:
  void DesignSize(const ModelLine& line);
  void RegisterObject(const ModelLine& line);
  void Apply(const ModelLine& line);
  void InitDpi(const ModelLine& line);
  void PinObject(const ModelLine& line);
  void RegisterGroup(const ModelLine& line);
  // The apply pass's pins and groups: which of them never move.
  void PlacePinsAndGroups();
  bool TargetPlaced(const std::wstring& key, std::size_t before, const std::vector<bool>& pinPlaced,
                    std::string& why) const;
  // The refusal of a line whose name parameter reads as empty, saying why it does.
  std::string EmptyName(const ModelLine& line, std::size_t index, const char* refused) const;
  // "correct the name: the page has \"Logo\"" when one is close, else a general advice.
  std::string NameAdvice(const std::string& name) const;

  void Add(Finding finding);
  // Kept only if a run confirms that the line returned 0.
  void Refuse(int line, std::string what, std::string fix);

  const Page& page_;
  const RunFacts& facts_;
  std::vector<ModelObject> objects_;
  std::vector<ModelGroup> groups_;
  std::optional<DeclaredCanvas> canvas_;
  int refusedCanvasLine_ = 0;
  std::vector<Finding> findings_;
  std::map<int, Finding> refusals_;
};

// "Duduve_SetDesignSize \"1280\" \"720\"": the line that declares the page's own size.
std::string DesignSizeLine(const Page& page);

// The page object name closest to `name` (ignoring case), when it differs by a typing slip.
std::optional<std::string> ClosestName(const std::string& name,
                                       const std::vector<std::string>& candidates);

}  // namespace preview
