#include "preview_run.h"

namespace preview {

namespace {

std::vector<Outcome> RunScript(standin::StandInHost& host, const std::vector<ScriptLine>& lines) {
  std::vector<Outcome> outcomes;
  for (const auto& line : lines) {
    standin::HostParams params(line.Params);
    outcomes.push_back({ScriptText(line), host.Exec(line.ActionId, params)});
  }
  return outcomes;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

}  // namespace

std::optional<PlayFailure> PlayPage(Page& page, const std::vector<WindowSize>& sizes,
                                    const std::wstring& dllPath, const std::string& fileName,
                                    PreviewRun& run) {
  run = PreviewRun{};
  standin::StandInHost host(page.Width, page.Height);
  if (!host.Load(dllPath)) {
    return PlayFailure{"could not load " + Narrow(dllPath) + " or find its seven entry points"};
  }
  host.RegisterPlugIn();
  host.InitPlugIn();
  host.RegisterInterfaceAccess();

  std::vector<KnownAction> actions;
  for (const auto& declared : host.Actions()) {
    actions.push_back({declared.Id, declared.Name, declared.Count});
  }
  if (auto error = CheckActions(page, actions, fileName)) {
    return PlayFailure{error->Text(), true};
  }
  // The resize event runs Duduve_Apply unless the page says otherwise.
  std::vector<ScriptLine> resized = page.Resized;
  if (!page.HasResized) {
    for (const auto& action : actions) {
      if (action.Name == "Duduve_Apply") resized.push_back({0, action.Name, {}, action.Id});
    }
  }

  for (const auto& object : page.Objects) {
    host.AddObject(object.Name, {object.Left, object.Top, object.Width, object.Height});
  }
  host.ClearRecords();
  run.Enter = RunScript(host, page.Enter);
  run.EnterVariables = host.Variables();

  for (const auto& size : sizes) {
    host.ClearRecords();
    host.Resize(size.Width, size.Height);
    SizeRun sizeRun{size, RunScript(host, resized), {}, {}};
    host.PumpMessages();
    for (const auto& object : page.Objects) sizeRun.Boxes.push_back(host.ObjectBox(object.Name));
    sizeRun.Variables = host.Variables();
    run.Sizes.push_back(std::move(sizeRun));
  }
  run.Unloaded = host.Unload();
  run.Faults = host.FaultReport();
  return std::nullopt;
}

}  // namespace preview
