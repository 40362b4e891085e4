#include "editor/dialog.h"

#include <algorithm>
#include <array>
#include <utility>

#include "editor/text_fit.h"
#include "editor/toolkit_resources.h"

namespace duduve {

namespace {

// Every dialog's window class: the open dialog is found by it.
constexpr const wchar_t* kDialogClass = L"DuduveDialog";
constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU;
// Room for the dropped list of a drop-down, in DialogUnits: every editor list fits.
constexpr int kDroppedListUnits = 200;
// Commands of the Tab accelerators; they arrive with no sender window, so they never
// mix with a control's commands.
constexpr WORD kNextControlCommand = 0x7FF0;
constexpr WORD kPreviousControlCommand = 0x7FF1;

UniqueAccelerators CreateTabAccelerators() {
  std::array<ACCEL, 2> keys{{{FVIRTKEY, VK_TAB, kNextControlCommand},
                             {FVIRTKEY | FSHIFT, VK_TAB, kPreviousControlCommand}}};
  return UniqueAccelerators(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

PixelRect ToPixels(const UnitRect& where) {
  return {UnitsToPixelsX(where.X), UnitsToPixelsY(where.Y), UnitsToPixelsX(where.Width),
          UnitsToPixelsY(where.Height)};
}

bool IsTabStop(HWND window) {
  return window != nullptr && IsWindowEnabled(window) && IsWindowVisible(window) &&
         (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0;
}

bool IsDialogWindow(HWND window) {
  wchar_t name[32] = {};
  return GetClassNameW(window, name, static_cast<int>(std::size(name))) > 0 &&
         std::wstring_view(name) == kDialogClass &&
         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == ToolkitModule();
}

// EnumThreadWindows' callback: keeps the first dialog window and stops there. A named function,
// since a lambda's pointer would not have the system's calling convention on 32-bit Windows.
BOOL CALLBACK KeepDialogWindow(HWND window, LPARAM found) {
  if (!IsDialogWindow(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindOpenDialogWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &KeepDialogWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Activates the owner first, so that focus goes back to it, then destroys the window.
void CloseDialogWindow(HWND window) {
  if (HWND owner = GetWindow(window, GW_OWNER)) SetActiveWindow(owner);
  DestroyWindow(window);
}

}  // namespace

WindowClass::WindowClass(const wchar_t* name, WNDPROC procedure) : name_(name) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ToolkitModule();
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = name_;
  registered_ = RegisterClassExW(&windowClass) != 0;
}

WindowClass::~WindowClass() {
  if (registered_) UnregisterClassW(name_, ToolkitModule());
}

void CloseOpenDialog() {
  if (HWND window = FindOpenDialogWindow()) CloseDialogWindow(window);
}

Dialog::Dialog(std::wstring_view title, int clientWidth, int clientHeight, HWND owner)
    : owner_(owner),
      class_(kDialogClass, &Dialog::Procedure),
      accelerators_(CreateTabAccelerators()) {
  CloseOpenDialog();
  RECT outer{0, 0, UnitsToPixelsX(clientWidth), UnitsToPixelsY(clientHeight)};
  AdjustWindowRectEx(&outer, kDialogStyle, FALSE, 0);
  const std::wstring caption(title);
  window_.reset(CreateWindowExW(0, kDialogClass, caption.c_str(), kDialogStyle, 0, 0,
                                outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                                ToolkitModule(), this));
  if (!window_) return;
  if (owner != nullptr) CentreOn(owner);
  ShowWindow(window_.get(), SW_SHOWNORMAL);
}

Dialog::~Dialog() {
  if (!window_) return;
  // The window procedure no longer reaches this dialog while the window goes.
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  CloseDialogWindow(window_.release());
}

template <typename Kind, typename... Arguments>
const Kind& Dialog::Adopt(int number, Arguments&&... arguments) {
  const auto old = std::find_if(controls_.begin(), controls_.end(), [number](const auto& control) {
    return control->Handle() != nullptr && GetDlgCtrlID(control->Handle()) == number;
  });
  if (old != controls_.end()) {
    DestroyWindow((*old)->Handle());
    (*old)->Forget();
    replaced_.push_back(std::move(*old));
    controls_.erase(old);
  }
  auto control =
      std::make_unique<Kind>(window_.get(), number, std::forward<Arguments>(arguments)...);
  const Kind& added = *control;
  controls_.push_back(std::move(control));
  return added;
}

const Label& Dialog::AddLabel(const UnitRect& where, std::wstring_view text) {
  return Adopt<Label>(nextLabelNumber_++, ToPixels(where), text);
}

const TextBox& Dialog::AddTextBox(int number, const UnitRect& where, std::wstring_view text) {
  return Adopt<TextBox>(number, ToPixels(where), text);
}

const Button& Dialog::AddButton(int number, const UnitRect& where, std::wstring_view caption,
                                std::function<void()> onClick) {
  return Adopt<Button>(number, ToPixels(where), caption, std::move(onClick));
}

const DropDown& Dialog::AddDropDown(int number, const UnitRect& where,
                                    std::span<const std::wstring_view> entries, int selected) {
  const auto& list = Adopt<DropDown>(number, ToPixels(where), UnitsToPixelsY(kDroppedListUnits));
  for (auto entry : entries) list.AddItem(entry);
  list.Select(selected);
  return list;
}

int Dialog::Run() {
  if (!IsGone()) {
    const auto growth = FitControlsToText(controls_, UnitsToPixelsY(kDroppedListUnits));
    if (growth.cx > 0 || growth.cy > 0) GrowClient(growth.cx, growth.cy);
    FocusFirstEntry();
  }
  result_.reset();
  while (!result_) {
    // A handler's host code may have closed the window.
    if (IsGone()) return 0;
    if (events_.empty()) {
      if (!DispatchOneMessage()) return 0;
      continue;
    }
    const auto event = events_.front();
    events_.pop_front();
    if (event.Kind == EventKind::CloseRequested) return 0;
    event.Sender->OnCommand(event.Notification);
  }
  return *result_;
}

bool Dialog::DispatchOneMessage() {
  MSG message{};
  const BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got == 0) {
    // The thread is told to quit: leave the quit for the host's own loop.
    PostQuitMessage(static_cast<int>(message.wParam));
    return false;
  }
  if (got == -1) return false;
  // Messages sent from other threads run inside GetMessageW and may have closed it.
  if (IsGone() || !TranslateKeys(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // Host code run by the dispatch may have closed the window.
  return !IsGone();
}

void Dialog::CentreOn(HWND owner) {
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

void Dialog::GrowClient(int extraWidth, int extraHeight) {
  RECT client{};
  if (!GetClientRect(window_.get(), &client)) return;
  RECT outer{0, 0, client.right + extraWidth, client.bottom + extraHeight};
  AdjustWindowRectEx(&outer, kDialogStyle, FALSE, 0);
  SetWindowPos(window_.get(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (owner_ != nullptr) CentreOn(owner_);
}

template <typename Kind>
const Kind* Dialog::First() const {
  for (const auto& control : controls_) {
    if (const auto* found = dynamic_cast<const Kind*>(control.get())) return found;
  }
  return nullptr;
}

void Dialog::FocusFirstEntry() const {
  if (const auto* box = First<TextBox>()) {
    box->Focus();
    box->SelectAll();
  } else if (const auto* list = First<DropDown>()) {
    list->Focus();
  }
}

const Control* Dialog::FindByWindow(HWND window) const {
  if (window == nullptr) return nullptr;
  for (const auto& control : controls_) {
    if (control->Handle() == window) return control.get();
  }
  return nullptr;
}

bool Dialog::Owns(HWND window) const {
  return window_ && window != nullptr &&
         (window == window_.get() || IsChild(window_.get(), window));
}

bool Dialog::TranslateKeys(MSG& message) {
  if (!Owns(message.hwnd)) return false;
  const auto* control = FindByWindow(message.hwnd);
  if (control != nullptr && control->TranslateKey(message)) return true;
  return accelerators_ && TranslateAcceleratorW(window_.get(), accelerators_.get(), &message);
}

void Dialog::MoveFocus(bool forward) const {
  const int count = static_cast<int>(controls_.size());
  if (count == 0) return;
  const HWND focus = GetFocus();
  int current = -1;
  for (int i = 0; i < count; ++i) {
    const HWND control = controls_[static_cast<std::size_t>(i)]->Handle();
    if (focus != nullptr && (focus == control || IsChild(control, focus))) current = i;
  }
  for (int step = 1; step <= count; ++step) {
    int index = 0;
    if (current < 0) {
      index = forward ? step - 1 : count - step;
    } else {
      index = ((current + (forward ? step : -step)) % count + count) % count;
    }
    const HWND candidate = controls_[static_cast<std::size_t>(index)]->Handle();
    if (IsTabStop(candidate)) {
      SetFocus(candidate);
      return;
    }
  }
}

void Dialog::WindowGone() {
  (void)window_.release();
  for (const auto& control : controls_) control->Forget();
}

LRESULT CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed from outside (its owner went, or CloseOpenDialog): nothing is left to destroy.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->WindowGone();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_CLOSE:
      // The dialog's owner decides whether and when the window goes.
      self->events_.push_back({EventKind::CloseRequested});
      return 0;
    case WM_COMMAND:
      if (lParam == 0) {
        const WORD command = LOWORD(wParam);
        if (command == kNextControlCommand || command == kPreviousControlCommand) {
          self->MoveFocus(command == kNextControlCommand);
        }
        return 0;
      }
      // Queued, so the handler runs from Run: neither an exception nor host code it calls
      // crosses the system's frames of this window procedure.
      if (const auto* sender = self->FindByWindow(reinterpret_cast<HWND>(lParam))) {
        self->events_.push_back({EventKind::Command, sender, HIWORD(wParam)});
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
