// Runs an action's editor for _nbEditAction, one at a time, and the toolkit's load and unload.
#include "editor/dialog_toolkit.h"
#include "editor/editor.h"
#include "editor/editors.h"

namespace duduve {

namespace {

// Set while an editor runs. Host code run from the editor's message loop may call
// _nbEditAction again; a call for another editor opens nothing, so the open editor stays
// intact.
bool& EditorRunning() {
  static bool running = false;
  return running;
}

class RunningEditor {
 public:
  RunningEditor() { EditorRunning() = true; }
  ~RunningEditor() { EditorRunning() = false; }
  RunningEditor(const RunningEditor&) = delete;
  RunningEditor& operator=(const RunningEditor&) = delete;
};

}  // namespace

int RunEditor(Editor editor, ParamArray params, WindowHandle hostWindow) {
  // An action without an editor opens no window, so it answers 1 even inside an editor.
  if (editor == nullptr) return 1;
  if (EditorRunning()) return 0;
  RunningEditor running;
  try {
    return editor(params, hostWindow);
  } catch (...) {
    // The editor's window is gone with it; the host keeps its own texts.
    return 0;
  }
}

void CloseOpenEditor() {
  CloseDialogWindow(kEditorWindowNumber);
}

void StartDialogToolkit(HINSTANCE module) {
  StartToolkitResources(module);
}

void StopDialogToolkit() {
  CloseDialogWindow(kEditorWindowNumber);
  StopToolkitResources();
}

}  // namespace duduve
