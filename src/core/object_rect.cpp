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

bool FirstMeasurement(Context& context, const std::wstring& key,
                      const std::function<WindowHandle()>& findWindow, Rect& out) {
  if (key.empty()) return false;
  auto& cache = context.Registry.DesignRectCache;
  if (const auto remembered = cache.find(key); remembered != cache.end()) {
    out = remembered->second;
    return true;
  }
  Rect measured;
  if (!QueryObjectRect(context, findWindow(), measured)) return false;
  // Host code behind `findWindow` may have measured the name meanwhile: that one stays first.
  out = cache.emplace(key, measured).first->second;
  return true;
}

}  // namespace duduve
