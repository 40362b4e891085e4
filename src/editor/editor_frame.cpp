#include "editor/editor_frame.h"

#include "bridge/host_bridge_win32.h"
#include "bridge/win32_seams_win32.h"
#include "core/host_calls.h"
#include "core/text_rules.h"
#include "editor/dialog_toolkit.h"

namespace duduve {

EditorFrame::EditorFrame(WindowHandle hostWindow, std::wstring_view title, int clientWidth,
                         int clientHeight) {
  HWND owner = GetForegroundWindow();
  if (owner == nullptr) owner = reinterpret_cast<HWND>(hostWindow);
  OpenDialogWindow(kEditorWindowNumber, 0, 0, clientWidth, clientHeight, title, owner);
}

EditorFrame::~EditorFrame() {
  CloseDialogWindow(kEditorWindowNumber);
}

void EditorFrame::Add(std::span<const ControlSpec> layout) const {
  for (const auto& spec : layout) {
    switch (spec.Kind) {
      case Widget::Label:
        AddLabel(spec.X, spec.Y, spec.Width, spec.Height, spec.Text);
        break;
      case Widget::TextBox:
        AddTextBox(spec.Number, spec.X, spec.Y, spec.Width, spec.Height, spec.Text);
        break;
      case Widget::Button:
        AddButton(spec.Number, spec.X, spec.Y, spec.Width, spec.Height, spec.Text);
        break;
      case Widget::DropDown:
        AddDropDown(spec.Number, spec.X, spec.Y, spec.Width, spec.Height);
        for (auto entry : spec.Entries) AddDropDownItem(spec.Number, entry);
        SetDropDownIndex(spec.Number, spec.Selected);
        break;
    }
  }
  FitDialogToText();
  FocusFirstEntry();
}

int EditorFrame::Run(char** params, int okNumber, int cancelNumber, const Confirm& confirm,
                     const OtherControl& onControl) const {
  for (;;) {
    const auto event = WaitDialogEvent();
    if (event.Kind == DialogEventKind::CloseRequested) return 0;
    if (event.Kind != DialogEventKind::ControlActivated) continue;
    const int control = EventControl();
    if (control == cancelNumber) return 0;
    if (control == okNumber) {
      const auto answer = confirm();
      if (const auto* texts = std::get_if<std::vector<std::wstring>>(&answer)) {
        return WriteParams(params, *texts) ? 1 : 0;
      }
      ShowMessageBox(kMessageTitle, std::get<std::wstring_view>(answer));
      continue;
    }
    if (onControl) onControl(control);
  }
}

std::wstring PickObjectName() {
  BridgeHostServices host;
  return PickObject(host);
}

std::wstring PickInto(int textBox) {
  auto answer = PickObjectName();
  if (!answer.empty()) SetControlText(textBox, answer);
  return answer;
}

std::wstring TrimmedText(int number) {
  return TrimSpaces(GetControlText(number));
}

std::wstring NormalisedNumber(int textBox) {
  return DecimalText(TextToInt(TrimmedText(textBox)));
}

std::wstring ParamOr(char** params, int index, std::wstring_view fallback) {
  auto text = TrimSpaces(ReadParam(params, static_cast<std::size_t>(index)));
  return text.empty() ? std::wstring(fallback) : text;
}

}  // namespace duduve
