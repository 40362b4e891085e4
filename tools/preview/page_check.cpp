#include "page_check.h"

#include <algorithm>

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

Finding MismatchFinding(const ActionMismatch& mismatch, const ScriptLine& line,
                        const std::vector<KnownAction>& actions) {
  if (!mismatch.Declared) {
    std::vector<std::string> names;
    for (const auto& action : actions) names.push_back(action.Name);
    const auto closest = ClosestName(mismatch.Action, names);
    std::string all;
    for (const auto& name : names) all += (all.empty() ? "" : ", ") + name;
    return {mismatch.Line,
            "Duduve has no action " + Quote(mismatch.Action) + ", so the host cannot run this line",
            closest ? "write " + *closest : "write one of Duduve's actions: " + all};
  }
  const KnownAction& action = *mismatch.Declared;
  const auto count = static_cast<std::size_t>(std::max(action.ParamCount, 0));
  const std::string takes = count == 0 ? action.Name + " takes no parameters"
                                       : action.Name + " takes " +
                                             Plural(count, "parameter", "parameters") + " (" +
                                             LabelList(action.Id) + ")";
  ScriptLine fitted = line;
  fitted.Action = action.Name;
  fitted.Params.resize(count);
  return {mismatch.Line,
          takes + ", found " + std::to_string(mismatch.Found) + ": Duduve " +
              (mismatch.Found < count
                   ? "reads the missing " +
                         (count - mismatch.Found == 1 ? std::string("one") : "ones") + " as empty"
                   : "never reads the extra " +
                         (mismatch.Found - count == 1 ? std::string("one") : "ones")),
          "write " + ScriptText(fitted)};
}

const ScriptLine* LineAt(const Page& page, int number) {
  for (const auto* script : {&page.Enter, &page.Resized}) {
    for (const auto& line : *script) {
      if (line.Line == number) return &line;
    }
  }
  return nullptr;
}

}  // namespace

std::vector<Finding> CheckPage(const Page& parsed, const std::vector<KnownAction>& actions,
                               const std::vector<LineRun>& runs) {
  Page page = parsed;
  std::vector<Finding> findings;
  for (const auto& mismatch : MatchActions(page, actions)) {
    findings.push_back(MismatchFinding(mismatch, *LineAt(page, mismatch.Line), actions));
  }
  FitToActions(page, actions);

  const RunFacts facts = RunFacts::From(runs);
  ScriptModel model(page, facts);
  const auto step = [&](const ScriptLine& line) {
    ModelLine read{line.Line, line.ActionId, {}};
    const auto specs = ParamSpecs(line.ActionId);
    for (std::size_t i = 0; i < line.Params.size() && i < specs.size(); ++i) {
      read.Params.push_back(ReadAsPlugIn(line.Params[i]));
      if (line.Line != 0) AddReadingFindings(line.Line, specs[i], read.Params.back(), findings);
    }
    model.Step(read);
  };
  // In the order the host runs them: page entry, then a resize.
  for (const auto& line : page.Enter) step(line);
  for (const auto& line : ResizedLines(page, actions)) step(line);

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
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.Line < b.Line; });
  return findings;
}

std::optional<PlayFailure> CheckPageFile(const Page& page, const std::wstring& dllPath,
                                         const std::string& fileName,
                                         std::vector<Finding>& findings) {
  Page played = page;
  PreviewRun run;
  if (auto failure = PlayPage(played, {{page.Width, page.Height}}, dllPath, fileName, run,
                              ActionMatch::Lenient)) {
    return failure;
  }
  findings = CheckPage(page, run.Actions, run.Lines);
  return std::nullopt;
}

}  // namespace preview
