#pragma once
// How the plug-in reads one parameter of a script line: the host text through the plug-in's
// own 7-bit reader, then its words and numbers through the plug-in's own parsers. Whatever
// the plug-in reads differently from what the text says becomes a finding.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "check_finding.h"
#include "page_file.h"

namespace preview {

enum class ParamKind {
  RequiredName,  // an empty one refuses the line; the refusal explains it
  Name,
  Members,
  WidthPolicy,
  HeightPolicy,
  HorizontalAnchor,
  VerticalAnchor,
  Number,
  Point,
  GroupMode,
  DpiMode,
};

struct ParamSpec {
  const char* Label;  // the parameter's name in the action's help text
  ParamKind Kind;
};

// The parameters of an action, in order; empty for actions without parameters.
std::span<const ParamSpec> ParamSpecs(int actionId);

// Where the parameters the layout checks rewrite stand in their actions' lines.
namespace register_param {
inline constexpr std::size_t kWidthMode = 1;
inline constexpr std::size_t kHeightMode = 2;
inline constexpr std::size_t kHorizontalAnchor = 3;
inline constexpr std::size_t kVerticalAnchor = 4;
inline constexpr std::size_t kNudgeX = 5;
inline constexpr std::size_t kNudgeY = 6;
}  // namespace register_param
namespace pin_param {
inline constexpr std::size_t kOffsetX = 4;
inline constexpr std::size_t kOffsetY = 5;
}  // namespace pin_param

// A parameter as the plug-in reads it from the host.
struct ReadParam {
  std::wstring Text;          // what the plug-in sees, before any trimming
  std::string Raw;            // the bytes as the page file has them
  bool Emptied = false;       // a byte outside printable ASCII and tab emptied it
  std::size_t BadColumn = 0;  // 1-based position of that byte
  unsigned char BadByte = 0;
  bool Cut = false;  // longer than the plug-in reads
};

// The plug-in reads at most this many characters of a parameter.
inline constexpr std::size_t kLongestParam = 1024;

ReadParam ReadAsPlugIn(const std::string& bytes);

// "Name \"Caf\xE9\" holds a byte outside 7-bit ASCII (0xE9, character 4)".
std::string SevenBitProblem(const ParamSpec& spec, const ReadParam& param);

// The findings about how the plug-in reads one parameter: bytes outside 7-bit ASCII (except
// for required names, whose refusal says it), cut texts, unknown words and numbers with
// other text.
void AddReadingFindings(int line, const ParamSpec& spec, const ReadParam& param,
                        std::vector<Finding>& findings);

// A number text read by the grammar of the plug-in's TextToInt: spaces and tabs, a sign,
// `$` (hexadecimal) or `%` (binary), then digits of that base.
struct NumberText {
  std::size_t End = 0;     // characters read: spaces, sign, base mark and digits
  std::size_t Digits = 0;  // digits among them; none reads as 0
  bool Fits32 = true;      // the number, read exactly, fits in a signed 32-bit field
  std::int64_t Value = 0;  // as TextToInt has it: 64 bits, wrapping
};
NumberText ReadNumberText(std::wstring_view text);

// The parameter as the author should write it to mean what the plug-in reads now: itself
// when it has no reading finding, else the canonical word, code or number it reads as.
std::string CleanParam(const ParamSpec& spec, const ReadParam& param);
// The line written as `action`, with that action's count of parameters, each clean.
ScriptLine CleanScriptLine(const ScriptLine& line, const KnownAction& action);

}  // namespace preview
