#pragma once
// A plug-in context over the in-memory window system and host, with helpers to declare
// a canvas and register page objects the way scripts do.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/context.h"
#include "fake_windows.h"
#include "groups/group_actions.h"
#include "layout/apply_pass.h"
#include "layout/pins.h"
#include "layout/registration.h"
#include "layout/restore.h"
#include "plugin/design_size.h"

namespace duduve::testing {

class LayoutFixture : public ::testing::Test {
 protected:
  LayoutFixture() { context.HostWindow = FakeWindowSystem::kHostWindow; }

  // A child window of the host that the host names `name`.
  WindowHandle AddObject(const std::wstring& name, const Rect& rect) {
    const auto window = windows.AddChild(rect);
    host.Name(name, window);
    return window;
  }

  void Canvas(std::int32_t width, std::int32_t height) {
    const std::vector<std::wstring> params = {std::to_wstring(width), std::to_wstring(height)};
    ASSERT_EQ(SetDesignSize(context, params), 1);
  }

  // Parameters in action order: name, width mode, height mode, h-anchor, v-anchor, nudges.
  int Register(std::vector<std::wstring> params) {
    params.resize(7);
    return RegisterObject(context, params);
  }

  // name, target, own point, target point, offset X, offset Y.
  int Pin(std::vector<std::wstring> params) {
    params.resize(6);
    return PinObject(context, params);
  }

  // After a pass every placed record's live window is where the record says.
  void ExpectPlacedWindowsAtResolved() {
    for (const auto& record : context.Registry.Objects) {
      if (!record.Placed || !windows.Alive(record.Window)) continue;
      EXPECT_EQ(windows.RectOf(record.Window), record.Resolved())
          << ::testing::PrintToString(record.Name);
    }
  }

  FakeWindowSystem windows;
  FakeHost host;
  Context context{windows, host};
};

}  // namespace duduve::testing

namespace duduve {
// Lets gtest print rectangles in failure messages.
inline void PrintTo(const Rect& r, std::ostream* out) {
  *out << "(" << r.Left << ", " << r.Top << ", " << r.Width << ", " << r.Height << ")";
}
}  // namespace duduve
