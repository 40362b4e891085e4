#include "editor/editor.h"

namespace duduve {

// Placeholder until the editors are built.
int RunEditor(int, ParamArray) { return 1; }
void CloseOpenEditor() {}
void StartDialogToolkit(HINSTANCE) {}
void StopDialogToolkit() {}

}  // namespace duduve
