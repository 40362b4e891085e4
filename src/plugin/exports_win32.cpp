// The seven exported entry points and the DLL's load and unload. Nothing is ever raised
// toward the host: every export catches everything and returns its neutral result.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <ole2.h>

#include <optional>
#include <vector>

#include "bridge/dpi_queries_win32.h"
#include "bridge/host_bridge_win32.h"
#include "bridge/win32_seams_win32.h"
#include "core/action_table.h"
#include "core/float_settings.h"
#include "editor/editor.h"
#include "layout/restore.h"
#include "plugin/actions.h"
#include "plugin/dispatch.h"
#include "plugin/plugin_texts.h"

namespace duduve {
namespace {

// The module's state from process attach to process detach.
struct Module {
  HINSTANCE Instance = nullptr;
  Win32WindowSystem Windows{&CloseOpenEditor};
  BridgeHostServices Host;
  Context State{Windows, Host};
  bool ComStarted = false;
  bool OleStarted = false;
};

std::optional<Module>& TheModule() {
  static std::optional<Module> module;
  return module;
}

// Every export: nothing raised toward the host, and its floating-point flags as they were.
template <typename Body>
int Guarded(int neutral, Body&& body) noexcept {
  const HostFloatFlagsKept flags;
  try {
    if (!TheModule()) return neutral;
    return body(*TheModule());
  } catch (...) {
    return neutral;
  }
}

void DeclareActions(AddActionCallbackFn addAction) {
  // The host copies the type codes during each call, so one buffer serves every action.
  unsigned char typeCodes[32];
  for (const auto& action : ActionTable()) {
    // The host may keep these pointers: the blocks are never freed.
    char* name = ToHostText(action.Name);
    char* help = ToHostText(action.Help);
    std::fill(std::begin(typeCodes), std::end(typeCodes), 0);
    for (std::size_t i = 0; i < action.Params.size(); ++i) typeCodes[i] = action.Params[i].TypeCode;
    addAction(Number(action.Id), name, help, typeCodes, 0, static_cast<int>(action.Params.size()));
  }
}

// Hands a start-up text to the host for good, through an out-pointer it can write.
void HandOver(char** out, std::wstring_view text) {
  if (out == nullptr || !IsWritableMemory(out, sizeof *out)) return;
  *out = ToHostText(text);
}

std::vector<std::wstring> ReadParams(ParamArray params, std::size_t count) {
  std::vector<std::wstring> texts;
  texts.reserve(count);
  for (std::size_t i = 0; i < count; ++i) texts.push_back(ReadParam(params, i));
  return texts;
}

void Attach(HINSTANCE instance) {
  auto& module = TheModule().emplace();
  module.Instance = instance;
  module.ComStarted = SUCCEEDED(CoInitialize(nullptr));
  module.OleStarted = SUCCEEDED(OleInitialize(nullptr));
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  StartDialogToolkit(instance);
}

// An editor still open at unload (the process ends from inside its loop) closes under the
// host's settings: closing it activates its owner, a host window, whose window procedure is
// host code.
void CloseEditorAtUnload() {
  if (!TheModule()) return;
  const HostFloatFlagsKept flags;
  CloseOpenEditor();
}

void Detach(bool processTerminating) {
  auto& slot = TheModule();
  if (!slot) return;
  auto& module = *slot;
  module.State.UnloadingFlag = true;
  ReleasePass(module.State);
  Callbacks() = HostCallbacks{};
  module.State.HostWindow = 0;
  StopDialogToolkit();
  // At process exit the other DLLs may already be gone: only a FreeLibrary undoes what
  // attach started, in reverse order.
  if (!processTerminating) {
    if (module.OleStarted) OleUninitialize();
    if (module.ComStarted) CoUninitialize();
  }
  slot.reset();
}

}  // namespace
}  // namespace duduve

using namespace duduve;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  try {
    if (reason == DLL_PROCESS_DETACH) CloseEditorAtUnload();
    // No host code runs from here, only the system's: it runs under the plug-in's settings,
    // so that the loader's thread gets its own back exactly.
    const PluginFloatSettings settings;
    if (reason == DLL_PROCESS_ATTACH) Attach(instance);
    if (reason == DLL_PROCESS_DETACH) Detach(reserved != nullptr);
  } catch (...) {
    // A load is never refused.
  }
  return TRUE;
}

extern "C" int WINAPI _nbRegisterPlugIn(AddActionCallbackFn addAction, LONG_PTR value2,
                                        LONG_PTR value3, SetVariableCallbackFn setVariable) {
  return Guarded(0, [&](Module&) {
    auto& callbacks = Callbacks();
    callbacks.AddAction = addAction;
    callbacks.RegistrationValue2 = value2;
    callbacks.RegistrationValue3 = value3;
    callbacks.SetVariable = setVariable;
    if (addAction != nullptr) DeclareActions(addAction);
    return 0;
  });
}

extern "C" int WINAPI _nbInitPlugIn(HWND hostWindow, char** title, char** publisher, char** hint) {
  return Guarded(0, [&](Module& module) {
    ResolveDpiFunction();
    module.State.HostWindow = reinterpret_cast<WindowHandle>(hostWindow);
    HandOver(title, kPluginTitle);
    HandOver(publisher, kPluginPublisher);
    HandOver(hint, kPluginHint);
    return 0;
  });
}

extern "C" int WINAPI _nbExecAction(int actionId, ParamArray params) {
  return Guarded(0, [&](Module& module) {
    const auto* declared = FindAction(actionId);
    if (declared == nullptr) return 0;
    const auto texts = ReadParams(params, declared->Params.size());
    return ExecuteAction(module.State, actionId, texts);
  });
}

extern "C" int WINAPI _nbEditAction(int actionId, ParamArray params) {
  return Guarded(1, [&](Module& module) {
    const auto* action = FindRunnableAction(actionId);
    return RunEditor(action == nullptr ? nullptr : action->Edit, params, module.State.HostWindow);
  });
}

extern "C" int WINAPI _nbMessage(int code, LONG_PTR /*ignored*/) {
  return Guarded(0, [&](Module& module) {
    HandleMessage(module.State, code);
    return 0;
  });
}

extern "C" int WINAPI _nbAbout() {
  const HostFloatFlagsKept flags;
  try {
    const auto text = AboutText();
    MessageBoxW(GetActiveWindow(), text.c_str(), std::wstring(kAboutCaption).c_str(),
                MB_OK | MB_ICONINFORMATION);
  } catch (...) {
  }
  return 0;
}

extern "C" int WINAPI _nbRegisterInterfaceAccess(InterfaceAccessFn access) {
  return Guarded(0, [&](Module&) {
    Callbacks().InterfaceAccess = access;
    return 0;
  });
}
