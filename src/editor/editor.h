#pragma once
// The design-time editors behind _nbEditAction.
#include "bridge/host_bridge_win32.h"
#include "core/geometry.h"
#include "editor/editors.h"

namespace duduve {

// Runs an action's editor and returns its result: 1 when the author confirmed and the
// parameters were written back, 0 when cancelled or when the editor ended in an exception;
// 1 at once for an action without an editor (null), even while an editor is open.
// The editor is owned by the foreground window, or by `hostWindow` when there is none.
// A call for an editor made while one is open returns 0 and opens nothing.
int RunEditor(Editor editor, ParamArray params, WindowHandle hostWindow);
// Closes the editor window if one is open (the host's release message).
void CloseOpenEditor();
// Reads the screen DPI and the message font once, at load; releases them at unload.
void StartDialogToolkit(HINSTANCE module);
void StopDialogToolkit();

}  // namespace duduve
