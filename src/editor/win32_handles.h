#pragma once
// Owners for the Win32 handles the editors create.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace duduve {

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct AcceleratorDestroyer {
  void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
using UniqueAccelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDestroyer>;

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// A device context from GetDC, handed back with ReleaseDC.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A control's DC with the control's own font selected; both are put back on destruction.
class ControlDc {
 public:
  explicit ControlDc(HWND control) : control_(control), dc_(GetDC(control)) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (dc_ != nullptr && font != nullptr) previous_ = SelectObject(dc_, font);
  }
  ~ControlDc() {
    if (dc_ == nullptr) return;
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    ReleaseDC(control_, dc_);
  }
  ControlDc(const ControlDc&) = delete;
  ControlDc& operator=(const ControlDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND control_;
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace duduve
