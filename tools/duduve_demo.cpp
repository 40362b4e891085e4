// Loads Duduve.dll into the stand-in host, as the authoring host would at start-up, and
// shows what the plug-in does: the actions it declares, the texts it hands over, and a
// page laid out again after the window grows.
#include <windows.h>

#include <cstdio>
#include <string>

#include "stand_in_host.h"

namespace {

using standin::Box;
using standin::StandInHost;

std::string Codes(const standin::DeclaredAction& action) {
  std::string codes;
  for (int i = 0; i < action.Count; ++i) {
    if (!codes.empty()) codes += ", ";
    codes += action.TypeCodes[static_cast<std::size_t>(i)] == 3 ? "number" : "text";
  }
  return codes.empty() ? "no parameters" : codes;
}

std::string Describe(const Box& box) {
  char text[64];
  std::snprintf(text, sizeof text, "(%d, %d) %d x %d", box.Left, box.Top, box.Width, box.Height);
  return text;
}

void Run(const char* what, int result) {
  std::printf("  %-44s -> %d\n", what, result);
}

}  // namespace

int main() {
  StandInHost host(1280, 720);
  const std::wstring path = StandInHost::DefaultDllPath();
  std::printf("Duduve demo: the stand-in host loads %ls\n", path.c_str());
  if (!host.Load(path)) {
    std::printf("Could not load the plug-in or one of its seven entry points.\n");
    return 1;
  }
  host.RegisterPlugIn();
  host.InitPlugIn();
  host.RegisterInterfaceAccess();

  std::printf("\nThe plug-in declared %zu actions:\n", host.Actions().size());
  for (const auto& action : host.Actions()) {
    std::printf("  %d  %-24s %s\n", action.Id, action.Name.c_str(), Codes(action).c_str());
  }
  const auto& texts = host.Startup();
  std::printf("\nStart-up texts:\n  title:     %s\n  publisher: %s\n  hint:      %s\n",
              texts.Title.value_or("(none)").c_str(), texts.Publisher.value_or("(none)").c_str(),
              texts.Hint.value_or("(none)").c_str());

  std::printf("\nA page designed at 1280 x 720, in a host window of 1280 x 720:\n");
  host.AddObject("Logo", {100, 50, 200, 100});
  host.AddObject("Footer", {0, 660, 1280, 60});
  Run("Duduve_SetDesignSize 1280 720", host.Exec(1, {"1280", "720"}));
  Run("Duduve_SetDesignSize 8193 720 (refused)", host.Exec(1, {"8193", "720"}));
  Run("Duduve_RegisterObject Logo UNIFORM UNIFORM C T",
      host.Exec(2, {"Logo", "UNIFORM", "UNIFORM", "C", "T", "0", "0"}));
  Run("Duduve_RegisterObject Footer STRETCH FIXED L B",
      host.Exec(2, {"Footer", "STRETCH", "FIXED", "L", "B", "0", "0"}));

  host.Resize(1920, 1080);
  std::printf("\nThe window grows to 1920 x 1080:\n");
  Run("Duduve_Apply", host.Exec(3, nullptr));
  for (const char* name : {"Logo", "Footer"}) {
    std::printf("  %-7s now at %s\n", name, Describe(host.ObjectBox(name)).c_str());
  }
  std::printf("\nHost variables set:\n");
  for (const auto& variable : host.Variables()) {
    std::printf("  %-20s = %s\n", variable.Name.c_str(), variable.Value.c_str());
  }

  const bool unloaded = host.Unload();
  const std::string faults = host.FaultReport();
  std::printf("\nUnloaded: %s. GlobalAlloc blocks: %s\n", unloaded ? "yes" : "NO",
              faults.empty() ? "all accounted for" : faults.c_str());
  return unloaded && faults.empty() ? 0 : 1;
}
