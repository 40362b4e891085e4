#pragma once
// The frame every action editor follows: read, open, lay out, wait for OK or Cancel,
// check, write back, close.
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/geometry.h"

namespace duduve {

enum class Widget { Label, TextBox, Button, DropDown };

// One row of an editor's layout table, in DialogUnits.
struct ControlSpec {
  Widget Kind = Widget::Label;
  int Number = 0;  // unused for labels
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  std::wstring_view Text;                        // label text, initial text or caption
  std::span<const std::wstring_view> Entries{};  // a drop-down's entries
  int Selected = -1;                             // a drop-down's preselected entry
};

inline constexpr std::wstring_view kMessageTitle = L"Duduve";

// The editor window, open from construction to destruction.
class EditorFrame {
 public:
  // Owned by the foreground window, or by the host window when there is none.
  EditorFrame(WindowHandle hostWindow, std::wstring_view title, int clientWidth, int clientHeight);
  ~EditorFrame();
  EditorFrame(const EditorFrame&) = delete;
  EditorFrame& operator=(const EditorFrame&) = delete;

  // Creates the controls in table order, which is also the Tab order; each list is
  // filled and preselected right after it is created. Then the controls grow to their
  // texts where they need to, and the first entry field takes the focus.
  void Add(std::span<const ControlSpec> layout) const;

  // What "OK" answers: every parameter's new text in order, or a refusal message that
  // keeps the editor open.
  using OkAnswer = std::variant<std::vector<std::wstring>, std::wstring_view>;
  using Confirm = std::function<OkAnswer()>;
  using OtherControl = std::function<void(int number)>;
  // Runs until the author confirms (1: every parameter written into `params`, all or
  // nothing), cancels or closes the window (0). A write that fails also answers 0.
  int Run(char** params, int okNumber, int cancelNumber, const Confirm& confirm,
          const OtherControl& onControl = {}) const;
};

// Asks the host for the object the author picks; a non-empty answer replaces the text
// of `textBox`, an empty one changes nothing. Returns the answer.
std::wstring PickInto(int textBox);
std::wstring PickObjectName();
// A control's text without outer spaces.
std::wstring TrimmedText(int number);
// A text box read as a number and written back as plain decimal text, full 64 bits.
std::wstring NormalisedNumber(int textBox);
// A trimmed parameter text, or `fallback` when it is blank.
std::wstring ParamOr(char** params, int index, std::wstring_view fallback);

}  // namespace duduve
