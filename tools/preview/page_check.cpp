#include "page_check.h"

#include <algorithm>

#include "check_layout.h"
#include "check_model.h"
#include "check_reading.h"

namespace preview {

namespace {

std::string Plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string LabelList(int actionId) {
  std::string labels;
  for (const auto& spec : ParamSpecs(actionId)) {
    labels += (labels.empty() ? "" : ", ") + std::string(spec.Label);
  }
  return labels;
}

// The line proposed is one the check finds clean: each parameter as the plug-in reads it.
std::string ProposedLine(const ScriptLine& line, const KnownAction& action, const Page& page) {
  return IsAction(action.Id, duduve::ActionId::SetDesignSize)
             ? DesignSizeLine(page)
             : ScriptText(CleanScriptLine(line, action));
}

// `line` is the script line as written.
Finding MismatchFinding(const ActionMismatch& mismatch, const ScriptLine& line, const Page& page,
                        const std::vector<KnownAction>& actions) {
  if (!mismatch.Declared) {
    std::vector<std::string> names;
    for (const auto& action : actions) names.push_back(action.Name);
    const auto closest = ClosestName(mismatch.Action, names);
    std::string all;
    for (const auto& name : names) all += (all.empty() ? "" : ", ") + name;
    const auto known = std::find_if(actions.begin(), actions.end(), [&](const KnownAction& action) {
      return closest && action.Name == *closest;
    });
    return {mismatch.Line,
            "Duduve has no action " + Quote(mismatch.Action) + ", so the host cannot run this line",
            known != actions.end() ? "write " + ProposedLine(line, *known, page)
                                   : "write one of Duduve's actions: " + all};
  }
  const KnownAction& action = *mismatch.Declared;
  const auto count = static_cast<std::size_t>(std::max(action.ParamCount, 0));
  const std::string takes = count == 0 ? action.Name + " takes no parameters"
                                       : action.Name + " takes " +
                                             Plural(count, "parameter", "parameters") + " (" +
                                             LabelList(action.Id) + ")";
  return {mismatch.Line,
          takes + ", found " + std::to_string(mismatch.Found) + ": Duduve " +
              (mismatch.Found < count
                   ? "reads the missing " +
                         (count - mismatch.Found == 1 ? std::string("one") : "ones") + " as empty"
                   : "never reads the extra " +
                         (mismatch.Found - count == 1 ? std::string("one") : "ones")),
          "write " + ProposedLine(line, action, page)};
}

}  // namespace

std::vector<Finding> CheckPage(const Page& parsed, const std::vector<KnownAction>& actions,
                               const std::vector<LineRun>& runs, const CheckPlays* plays) {
  Page page = parsed;
  std::vector<Finding> findings;
  for (const auto& mismatch : MatchActions(page, actions)) {
    findings.push_back(
        MismatchFinding(mismatch, *FindScriptLine(page, mismatch.Line), page, actions));
  }
  FitToActions(page, actions);

  const RunFacts facts = RunFacts::From(runs);
  ScriptModel model(page, facts);
  const auto step = [&](const ScriptLine& line, bool onResize) {
    ModelLine read{line.Line, line.ActionId, {}, onResize};
    const auto specs = ParamSpecs(line.ActionId);
    for (std::size_t i = 0; i < line.Params.size() && i < specs.size(); ++i) {
      read.Params.push_back(ReadAsPlugIn(line.Params[i]));
      if (line.Line != 0) AddReadingFindings(line.Line, specs[i], read.Params.back(), findings);
    }
    model.Step(read);
  };
  // In the order the host runs them: page entry, then a resize.
  for (const auto& line : page.Enter) step(line, false);
  for (const auto& line : ResizedLines(page, actions)) step(line, true);

  const bool entryApplies = std::any_of(page.Enter.begin(), page.Enter.end(), [](const auto& line) {
    return IsAction(line.ActionId, duduve::ActionId::Apply);
  });
  if (!entryApplies) {
    findings.push_back({page.EnterLine != 0 ? page.EnterLine : page.PageLine,
                        "page entry never runs Duduve_Apply, so nothing is laid out until the "
                        "window is first resized",
                        "end the \"on enter\" lines with Duduve_Apply"});
  }
  for (auto& finding : model.Finish()) findings.push_back(std::move(finding));
  if (plays != nullptr) {
    const LayoutInput layout{page, model, *plays};
    for (auto& finding : DesignSizeFindings(layout)) findings.push_back(std::move(finding));
    for (auto& finding : ShapeFindings(layout)) findings.push_back(std::move(finding));
  }
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.Line < b.Line; });
  return findings;
}

std::optional<PlayFailure> CheckPageFile(const Page& page, const std::wstring& dllPath,
                                         const std::string& fileName,
                                         std::vector<Finding>& findings) {
  CheckPlays plays;
  if (auto failure = PlayForCheck(page, dllPath, fileName, plays)) return failure;
  findings = CheckPage(page, plays.AsWritten.Actions, plays.AsWritten.Lines, &plays);
  return std::nullopt;
}

}  // namespace preview
