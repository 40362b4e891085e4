#include "core/object_rect.h"

namespace duduve {

bool QueryObjectRect(Context& context, WindowHandle window, Rect& out) {
  if (window == 0 || context.HostWindow == 0) return false;
  Rect read;
  if (!context.Windows.WindowRectInHost(context.HostWindow, window, read)) return false;
  read.Width = AtLeastOne(read.Width);
  read.Height = AtLeastOne(read.Height);
  out = read;
  return true;
}

}  // namespace duduve
