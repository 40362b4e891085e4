#pragma once
// The frame every action editor follows: read the parameters, open the window, add the
// fields, then "OK" and "Cancel"; run until the author confirms, cancels or closes; on
// "OK" check and write every parameter back.
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/geometry.h"
#include "editor/dialog.h"

namespace duduve {

// An editor's window, open from construction to destruction. Its fields are added with the
// dialog's Add operations in the order of the editor's layout, which is also the Tab order.
class EditorFrame : public Dialog {
 public:
  // Owned by the foreground window, or by the host window when there is none. Writes go to
  // `params`.
  EditorFrame(char** params, WindowHandle hostWindow, std::wstring_view title, int clientWidth,
              int clientHeight);

  // What "OK" answers: every parameter's new text in order, or a refusal message that
  // keeps the editor open.
  using OkAnswer = std::variant<std::vector<std::wstring>, std::wstring_view>;
  using Confirm = std::function<OkAnswer()>;
  // Adds "OK" and "Cancel" last, on one row at `y`, 80 by 26 units each, 6 apart, the right
  // edge of "Cancel" 14 units inside the client area's. "OK" asks `confirm`: a refusal shows
  // in a message box, the texts are written back all or nothing and end the editor with 1
  // (0 when a write fails). "Cancel" ends it with 0, as closing the window does.
  void AddOkAndCancel(int okNumber, int cancelNumber, int y, Confirm confirm);
  // A row naming an object: `label` in the first 90 units, the name's box from 110 to 380 and
  // a "Pick" button after it that fills the box with the object the author picks.
  const TextBox& AddNameWithPick(int boxNumber, int pickNumber, int y, std::wstring_view label,
                                 std::wstring_view name);

 private:
  char** params_;
  int clientWidth_;
};

// Asks the host for the object the author picks; a non-empty answer replaces the text
// of `box`, an empty one changes nothing.
void PickInto(const TextBox& box);
std::wstring PickObjectName();
// A control's text without outer spaces.
std::wstring TrimmedText(const Control& control);
// A text box read as a number and written back as plain decimal text, full 64 bits.
std::wstring NormalisedNumber(const TextBox& box);
// A trimmed parameter text, or `fallback` when it is blank.
std::wstring ParamOr(char** params, int index, std::wstring_view fallback);

}  // namespace duduve
