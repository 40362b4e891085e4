#include "editor/editor_frame.h"

#include <utility>

#include "bridge/host_bridge_win32.h"
#include "bridge/win32_seams_win32.h"
#include "core/host_calls.h"
#include "core/text_rules.h"
#include "editor/message_box.h"

namespace duduve {

namespace {

constexpr std::wstring_view kMessageTitle = L"Duduve";
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 6;
constexpr int kRightMargin = 14;

HWND EditorOwner(WindowHandle hostWindow) {
  HWND owner = GetForegroundWindow();
  return owner != nullptr ? owner : reinterpret_cast<HWND>(hostWindow);
}

}  // namespace

EditorFrame::EditorFrame(char** params, WindowHandle hostWindow, std::wstring_view title,
                         int clientWidth, int clientHeight)
    : Dialog(title, clientWidth, clientHeight, EditorOwner(hostWindow)),
      params_(params),
      clientWidth_(clientWidth) {}

void EditorFrame::AddOkAndCancel(int okNumber, int cancelNumber, int y, Confirm confirm) {
  const int cancelX = clientWidth_ - kRightMargin - kButtonWidth;
  const int okX = cancelX - kButtonGap - kButtonWidth;
  AddButton(okNumber, {okX, y, kButtonWidth, kButtonHeight}, L"OK",
            [this, confirm = std::move(confirm)] {
              const auto answer = confirm();
              if (const auto* texts = std::get_if<std::vector<std::wstring>>(&answer)) {
                End(WriteParams(params_, *texts) ? 1 : 0);
              } else {
                ShowMessageBox(kMessageTitle, std::get<std::wstring_view>(answer));
              }
            });
  AddButton(cancelNumber, {cancelX, y, kButtonWidth, kButtonHeight}, L"Cancel", [this] { End(0); });
}

const TextBox& EditorFrame::AddNameWithPick(int boxNumber, int pickNumber, int y,
                                            std::wstring_view label, std::wstring_view name) {
  AddLabel({14, y + 2, 90, 20}, label);
  const auto& box = AddTextBox(boxNumber, {110, y, 270, 24}, name);
  AddButton(pickNumber, {386, y, 66, 24}, L"Pick", [&box] { PickInto(box); });
  return box;
}

std::wstring PickObjectName() {
  BridgeHostServices host;
  return PickObject(host);
}

void PickInto(const TextBox& box) {
  const auto answer = PickObjectName();
  if (!answer.empty()) box.SetText(answer);
}

std::wstring TrimmedText(const Control& control) {
  return TrimSpaces(control.Text());
}

std::wstring NormalisedNumber(const TextBox& box) {
  return DecimalText(TextToInt(TrimmedText(box)));
}

std::wstring ParamOr(char** params, int index, std::wstring_view fallback) {
  auto text = TrimSpaces(ReadParam(params, static_cast<std::size_t>(index)));
  return text.empty() ? std::wstring(fallback) : text;
}

}  // namespace duduve
