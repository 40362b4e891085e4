#include "preview_run.h"

#include "ascii_text.h"

namespace preview {

std::optional<PlayFailure> StartPlugIn(standin::StandInHost& host, const std::wstring& dllPath) {
  if (!host.Load(dllPath)) {
    return PlayFailure{"could not load " + Narrow(dllPath) + " or find its seven entry points"};
  }
  host.RegisterPlugIn();
  host.InitPlugIn();
  host.RegisterInterfaceAccess();
  return std::nullopt;
}

std::vector<KnownAction> DeclaredActions(const standin::StandInHost& host) {
  std::vector<KnownAction> actions;
  for (const auto& declared : host.Actions()) {
    actions.push_back({declared.Id, declared.Name, declared.Count});
  }
  return actions;
}

std::vector<ScriptLine> ResizedLines(const Page& page, const std::vector<KnownAction>& actions) {
  if (page.HasResized) return page.Resized;
  std::vector<ScriptLine> lines;
  for (const auto& action : actions) {
    if (IsAction(action.Id, duduve::ActionId::Apply)) {
      lines.push_back({0, action.Name, {}, action.Id});
    }
  }
  return lines;
}

std::vector<Outcome> RunScript(standin::StandInHost& host, const std::vector<ScriptLine>& lines) {
  std::vector<Outcome> outcomes;
  for (const auto& line : lines) {
    standin::HostParams params(line.Params);
    const int result = host.Exec(line.ActionId, params);
    outcomes.push_back({ScriptText(line), result, line.Line, host.ExecCount()});
  }
  return outcomes;
}

std::vector<LineRun> LineRuns(const standin::StandInHost& host,
                              const std::vector<Outcome>& outcomes) {
  std::vector<LineRun> runs;
  for (const auto& outcome : outcomes) {
    LineRun run;
    run.Line = outcome.Line;
    for (const auto& refusal : host.Refusals()) run.Refused |= refusal.Exec == outcome.Exec;
    for (const auto& call : host.InterfaceCalls()) {
      if (call.Exec == outcome.Exec && call.Command == 7 && call.Answer.empty()) {
        run.Unfound.push_back(call.Request);
      }
    }
    for (const auto& variable : host.Variables()) {
      if (variable.Exec == outcome.Exec) run.Variables.push_back(variable);
    }
    runs.push_back(std::move(run));
  }
  return runs;
}

void AddPageObjects(standin::StandInHost& host, const Page& page) {
  for (const auto& object : page.Objects) {
    host.AddObject(object.Name, {object.Left, object.Top, object.Width, object.Height},
                   object.Container);
  }
}

std::vector<standin::Box> PageBoxes(const standin::StandInHost& host, const Page& page) {
  std::vector<standin::Box> boxes;
  for (const auto& object : page.Objects) boxes.push_back(host.ObjectBox(object.Name));
  return boxes;
}

std::optional<PlayFailure> PlayPage(Page& page, const std::vector<WindowSize>& sizes,
                                    const std::wstring& dllPath, const std::string& fileName,
                                    PreviewRun& run, ActionMatch match, PlayWindow window) {
  run = PreviewRun{};
  standin::StandInHost host(page.Width, page.Height);
  if (window == PlayWindow::Hidden) ShowWindow(host.Window(), SW_HIDE);
  if (auto failure = StartPlugIn(host, dllPath)) return failure;

  const std::vector<KnownAction> actions = DeclaredActions(host);
  run.Actions = actions;
  if (match == ActionMatch::Lenient) {
    MatchActions(page, actions);
    FitToActions(page, actions);
  } else if (auto error = CheckActions(page, actions, fileName)) {
    return PlayFailure{error->Text(), true};
  }
  const auto keepLines = [&](const std::vector<Outcome>& outcomes) {
    for (auto& line : LineRuns(host, outcomes)) run.Lines.push_back(std::move(line));
  };
  const std::vector<ScriptLine> resized = ResizedLines(page, actions);
  AddPageObjects(host, page);
  run.Drawn = PageBoxes(host, page);
  host.ClearRecords();
  run.Enter = RunScript(host, page.Enter);
  run.EnterVariables = host.Variables();
  keepLines(run.Enter);

  for (const auto& size : sizes) {
    host.ClearRecords();
    host.Resize(size.Width, size.Height);
    SizeRun sizeRun{size, RunScript(host, resized), {}, {}};
    host.PumpMessages();
    sizeRun.Boxes = PageBoxes(host, page);
    sizeRun.Variables = host.Variables();
    keepLines(sizeRun.Script);
    run.Sizes.push_back(std::move(sizeRun));
  }
  run.Unloaded = host.Unload();
  run.Faults = host.FaultReport();
  return std::nullopt;
}

}  // namespace preview
