// The toolkit's operations over its one open window.
#include "editor/dialog_toolkit.h"

#include <memory>

#include "editor/controls.h"
#include "editor/dialog_window.h"
#include "editor/text_fit.h"

namespace duduve {

namespace {

// Room for the dropped list of a drop-down, in DialogUnits: every editor list fits.
constexpr int kDroppedListUnits = 200;

struct ToolkitState {
  std::unique_ptr<DialogWindow> Window;
  int LastEventControl = 0;
};

ToolkitState& State() {
  static ToolkitState state;
  return state;
}

DialogWindow* OpenWindow() {
  auto& window = State().Window;
  return window && !window->IsGone() ? window.get() : nullptr;
}

PixelRect ToPixels(int x, int y, int width, int height) {
  return {UnitsToPixelsX(x), UnitsToPixelsY(y), UnitsToPixelsX(width), UnitsToPixelsY(height)};
}

const ControlEntry* FindControl(int number) {
  auto* window = OpenWindow();
  return window != nullptr ? window->Find(number) : nullptr;
}

const ControlEntry* FindControl(int number, ControlKind kind) {
  const auto* entry = FindControl(number);
  return entry != nullptr && entry->Kind == kind ? entry : nullptr;
}

}  // namespace

void OpenDialogWindow(int number, int x, int y, int clientWidth, int clientHeight,
                      std::wstring_view title, HWND owner) {
  auto& window = State().Window;
  window.reset();
  DialogWindow::Placement placement{x, y, UnitsToPixelsX(clientWidth),
                                    UnitsToPixelsY(clientHeight)};
  window = std::make_unique<DialogWindow>(number, placement, title, owner);
}

void CloseDialogWindow(int number) {
  auto& window = State().Window;
  if (window && window->Number() == number) window.reset();
}

bool IsDialogWindowOpen(int number) {
  const auto* window = OpenWindow();
  return window != nullptr && window->Number() == number;
}

void AddLabel(int x, int y, int width, int height, std::wstring_view text) {
  auto* window = OpenWindow();
  if (window == nullptr) return;
  const int number = window->NextLabelNumber();
  const auto label = Label::Create(window->Handle(), number, ToPixels(x, y, width, height), text);
  window->Adopt(number, ControlKind::Label, label.Handle());
}

void AddTextBox(int number, int x, int y, int width, int height, std::wstring_view text) {
  auto* window = OpenWindow();
  if (window == nullptr) return;
  const auto box = TextBox::Create(window->Handle(), number, ToPixels(x, y, width, height), text);
  window->Adopt(number, ControlKind::TextBox, box.Handle());
}

void AddButton(int number, int x, int y, int width, int height, std::wstring_view caption) {
  auto* window = OpenWindow();
  if (window == nullptr) return;
  const auto button =
      Button::Create(window->Handle(), number, ToPixels(x, y, width, height), caption);
  window->Adopt(number, ControlKind::Button, button.Handle());
}

void AddDropDown(int number, int x, int y, int width, int height) {
  auto* window = OpenWindow();
  if (window == nullptr) return;
  const auto list = DropDown::Create(window->Handle(), number, ToPixels(x, y, width, height),
                                     UnitsToPixelsY(kDroppedListUnits));
  window->Adopt(number, ControlKind::DropDown, list.Handle());
}

void AddDropDownItem(int number, std::wstring_view text) {
  if (const auto* entry = FindControl(number, ControlKind::DropDown)) {
    DropDown(entry->Window).AddItem(text);
  }
}

void SetDropDownIndex(int number, int index) {
  if (const auto* entry = FindControl(number, ControlKind::DropDown)) {
    DropDown(entry->Window).Select(index);
  }
}

void FitDialogToText() {
  if (auto* window = OpenWindow()) FitControlsToText(*window, UnitsToPixelsY(kDroppedListUnits));
}

void FocusFirstEntry() {
  if (const auto* window = OpenWindow()) window->FocusFirstEntry();
}

int GetDropDownIndex(int number) {
  const auto* entry = FindControl(number, ControlKind::DropDown);
  return entry != nullptr ? DropDown(entry->Window).Selected() : -1;
}

std::wstring GetControlText(int number) {
  const auto* entry = FindControl(number);
  return entry != nullptr ? Control(entry->Window).Text() : std::wstring();
}

void SetControlText(int number, std::wstring_view text) {
  if (const auto* entry = FindControl(number)) Control(entry->Window).SetText(text);
}

DialogEvent WaitDialogEvent() {
  auto* window = OpenWindow();
  if (window == nullptr) return {DialogEventKind::CloseRequested, 0};
  auto event = window->TakeEvent();
  if (!event) {
    MSG message{};
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The thread is told to quit: leave the quit for the host's own loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return {DialogEventKind::CloseRequested, 0};
    }
    if (got == -1) return {DialogEventKind::CloseRequested, 0};
    // Messages sent from other threads run inside GetMessageW and may have closed it.
    window = OpenWindow();
    if (window == nullptr || !window->TranslateKeys(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    // Host code run by the dispatch may have closed the window.
    window = OpenWindow();
    if (window == nullptr) return {DialogEventKind::CloseRequested, 0};
    event = window->TakeEvent();
  }
  if (!event) return {};
  if (event->Kind == DialogEventKind::ControlActivated) State().LastEventControl = event->Control;
  return *event;
}

int EventControl() {
  return State().LastEventControl;
}

}  // namespace duduve
