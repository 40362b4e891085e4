#include "editor/dialog_window.h"

#include <algorithm>
#include <array>

#include "core/text_rules.h"
#include "editor/controls.h"

namespace duduve {

namespace {

constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU;
// Commands of the Tab accelerators; they arrive with no sender window, so they never
// mix with a control's commands.
constexpr WORD kNextControlCommand = 0x7FF0;
constexpr WORD kPreviousControlCommand = 0x7FF1;

UniqueAccelerators CreateTabAccelerators() {
  std::array<ACCEL, 2> keys{{{FVIRTKEY, VK_TAB, kNextControlCommand},
                             {FVIRTKEY | FSHIFT, VK_TAB, kPreviousControlCommand}}};
  return UniqueAccelerators(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

bool IsTabStop(HWND window) {
  return IsWindowEnabled(window) && IsWindowVisible(window) &&
         (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0;
}

bool IsKeyDown(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

WindowClass::WindowClass(std::wstring name, WNDPROC procedure) : name_(std::move(name)) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ToolkitModule();
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = name_.c_str();
  registered_ = RegisterClassExW(&windowClass) != 0;
}

WindowClass::~WindowClass() {
  if (registered_) UnregisterClassW(name_.c_str(), ToolkitModule());
}

DialogWindow::DialogWindow(int number, const Placement& placement, std::wstring_view title,
                           HWND owner)
    : number_(number),
      owner_(owner),
      class_(L"DuduveDialog" + DecimalText(number), &DialogWindow::Procedure),
      accelerators_(CreateTabAccelerators()) {
  RECT outer{0, 0, placement.ClientWidth, placement.ClientHeight};
  AdjustWindowRectEx(&outer, kDialogStyle, FALSE, 0);
  const std::wstring caption(title);
  window_.reset(CreateWindowExW(0, class_.Name(), caption.c_str(), kDialogStyle, placement.X,
                                placement.Y, outer.right - outer.left, outer.bottom - outer.top,
                                owner, nullptr, ToolkitModule(), this));
  if (!window_) return;
  if (owner != nullptr) CentreOn(owner);
  ShowWindow(window_.get(), SW_SHOWNORMAL);
}

DialogWindow::~DialogWindow() {
  if (!window_) return;
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  if (HWND owner = GetWindow(window_.get(), GW_OWNER)) SetActiveWindow(owner);
}

void DialogWindow::CentreOn(HWND owner) {
  RECT ownerBounds{};
  RECT bounds{};
  if (!GetWindowRect(owner, &ownerBounds) || !GetWindowRect(window_.get(), &bounds)) return;
  const long width = bounds.right - bounds.left;
  const long height = bounds.bottom - bounds.top;
  const long left = ownerBounds.left + (ownerBounds.right - ownerBounds.left - width) / 2;
  const long top = ownerBounds.top + (ownerBounds.bottom - ownerBounds.top - height) / 2;
  SetWindowPos(window_.get(), nullptr, std::max(left, 0L), std::max(top, 0L), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::GrowClient(int extraWidth, int extraHeight) {
  RECT client{};
  if (!window_ || !GetClientRect(window_.get(), &client)) return;
  RECT outer{0, 0, client.right + extraWidth, client.bottom + extraHeight};
  AdjustWindowRectEx(&outer, kDialogStyle, FALSE, 0);
  SetWindowPos(window_.get(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (owner_ != nullptr) CentreOn(owner_);
}

void DialogWindow::FocusFirstEntry() const {
  const auto first = [this](ControlKind kind) {
    const auto found =
        std::find_if(controls_.begin(), controls_.end(),
                     [kind](const ControlEntry& entry) { return entry.Kind == kind; });
    return found != controls_.end() ? found->Window : nullptr;
  };
  if (HWND box = first(ControlKind::TextBox)) {
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
  } else if (HWND list = first(ControlKind::DropDown)) {
    SetFocus(list);
  }
}

void DialogWindow::Adopt(int number, ControlKind kind, HWND control) {
  auto old = std::find_if(controls_.begin(), controls_.end(),
                          [number](const ControlEntry& entry) { return entry.Number == number; });
  if (old != controls_.end()) {
    DestroyWindow(old->Window);
    controls_.erase(old);
  }
  if (control != nullptr) controls_.push_back({number, kind, control});
}

const ControlEntry* DialogWindow::Find(int number) const {
  for (const auto& entry : controls_) {
    if (entry.Number == number) return &entry;
  }
  return nullptr;
}

const ControlEntry* DialogWindow::FindByWindow(HWND window) const {
  for (const auto& entry : controls_) {
    if (entry.Window == window) return &entry;
  }
  return nullptr;
}

bool DialogWindow::Owns(HWND window) const {
  return window_ && window != nullptr &&
         (window == window_.get() || IsChild(window_.get(), window));
}

std::optional<DialogEvent> DialogWindow::TakeEvent() {
  if (events_.empty()) return std::nullopt;
  const auto event = events_.front();
  events_.pop_front();
  return event;
}

bool DialogWindow::TranslateKeys(MSG& message) {
  if (!Owns(message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && message.wParam == 'A' && IsKeyDown(VK_CONTROL) &&
      !IsKeyDown(VK_MENU)) {
    const auto* entry = FindByWindow(message.hwnd);
    if (entry != nullptr && entry->Kind == ControlKind::TextBox) {
      TextBox(entry->Window).SelectAllLater();
      return true;
    }
  }
  return accelerators_ && TranslateAcceleratorW(window_.get(), accelerators_.get(), &message);
}

void DialogWindow::MoveFocus(bool forward) {
  const int count = static_cast<int>(controls_.size());
  if (count == 0) return;
  const HWND focus = GetFocus();
  int current = -1;
  for (int i = 0; i < count; ++i) {
    const HWND control = controls_[static_cast<std::size_t>(i)].Window;
    if (focus != nullptr && (focus == control || IsChild(control, focus))) current = i;
  }
  for (int step = 1; step <= count; ++step) {
    int index = 0;
    if (current < 0) {
      index = forward ? step - 1 : count - step;
    } else {
      index = ((current + (forward ? step : -step)) % count + count) % count;
    }
    const HWND candidate = controls_[static_cast<std::size_t>(index)].Window;
    if (IsTabStop(candidate)) {
      SetFocus(candidate);
      return;
    }
  }
}

LRESULT CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed along with its owner: nothing is left to destroy later.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    (void)self->window_.release();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_CLOSE:
      // The editor decides whether and when the window goes.
      self->events_.push_back({DialogEventKind::CloseRequested, 0});
      return 0;
    case WM_COMMAND:
      if (lParam == 0) {
        const WORD command = LOWORD(wParam);
        if (command == kNextControlCommand || command == kPreviousControlCommand) {
          self->MoveFocus(command == kNextControlCommand);
        }
        return 0;
      }
      if (const auto* entry = self->FindByWindow(reinterpret_cast<HWND>(lParam))) {
        self->events_.push_back({DialogEventKind::ControlActivated, entry->Number});
      }
      return 0;
    case WM_ACTIVATE:
      // Like a dialog box: the focused control gets the focus back when the window
      // is activated again (after a message box, for instance).
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        self->focusBeforeDeactivation_ =
            self->FindByWindow(focus) != nullptr ? focus : self->focusBeforeDeactivation_;
        return 0;
      }
      if (self->FindByWindow(self->focusBeforeDeactivation_) != nullptr &&
          IsWindowEnabled(self->focusBeforeDeactivation_)) {
        SetFocus(self->focusBeforeDeactivation_);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace duduve
