#include "core/live_window.h"

#include "core/host_calls.h"

namespace duduve {

WindowHandle LiveOrNamed(Context& context, WindowHandle stored, std::wstring_view name) {
  if (stored != 0 && context.Windows.IsWindow(stored)) return stored;
  return name.empty() ? 0 : ObjectWindow(context.Host, name);
}

}  // namespace duduve
