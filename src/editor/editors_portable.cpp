// Builds without windows (the native tests, fuzzers and benchmarks) have no editors. The
// action table still names them, so each one answers at once as cancelled.
#include "editor/editors.h"

namespace duduve {

int DesignSizeDialog(char**, WindowHandle) {
  return 0;
}

int RegisterObjectDialog(char**, WindowHandle) {
  return 0;
}

int DpiAwarenessDialog(char**, WindowHandle) {
  return 0;
}

int PinObjectDialog(char**, WindowHandle) {
  return 0;
}

int RegisterGroupDialog(char**, WindowHandle) {
  return 0;
}

}  // namespace duduve
