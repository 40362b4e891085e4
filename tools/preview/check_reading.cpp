#include "check_reading.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "ascii_text.h"
#include "core/casing.h"
#include "core/host_text_reader.h"
#include "core/text_rules.h"
#include "core/vocabulary.h"
#include "layout/attach_points.h"

namespace preview {

namespace {

using duduve::TrimSpaces;
using duduve::UpperCase;

constexpr ParamSpec kDesignSize[] = {{"W", ParamKind::Number}, {"H", ParamKind::Number}};
constexpr ParamSpec kRegister[] = {
    {"Name", ParamKind::RequiredName},      {"WMode", ParamKind::WidthPolicy},
    {"HMode", ParamKind::HeightPolicy},     {"HAnchor", ParamKind::HorizontalAnchor},
    {"VAnchor", ParamKind::VerticalAnchor}, {"NudgeX", ParamKind::Number},
    {"NudgeY", ParamKind::Number}};
constexpr ParamSpec kInitDpi[] = {{"Mode", ParamKind::DpiMode}};
constexpr ParamSpec kPin[] = {
    {"Name", ParamKind::RequiredName}, {"Target", ParamKind::RequiredName},
    {"SrcPoint", ParamKind::Point},    {"TgtPoint", ParamKind::Point},
    {"OffsetX", ParamKind::Number},    {"OffsetY", ParamKind::Number}};
constexpr ParamSpec kGroup[] = {{"GroupName", ParamKind::RequiredName},
                                {"TargetName", ParamKind::RequiredName},
                                {"Mode", ParamKind::GroupMode},
                                {"Members", ParamKind::Members}};

// The host's text as the plug-in's reader sees memory: the bytes and their terminating zero.
class TextMemory : public duduve::MemoryView {
 public:
  explicit TextMemory(const std::string& text)
      : begin_(reinterpret_cast<std::uintptr_t>(text.c_str())), size_(text.size() + 1) {}
  std::size_t UsableBytesFrom(std::uintptr_t address) override {
    return address >= begin_ && address < begin_ + size_ ? begin_ + size_ - address : 0;
  }
  unsigned char ReadByte(std::uintptr_t address) override {
    return *reinterpret_cast<const unsigned char*>(address);
  }

 private:
  std::uintptr_t begin_;
  std::size_t size_;
};

// "\"A\", \"B\" or \"C\"" from a word function over 0..count-1.
template <typename WordOf>
std::string Choices(int count, WordOf wordOf) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += i + 1 == count ? " or " : ", ";
    text += Quote(Narrow(wordOf(i)));
  }
  return text;
}

void AddPolicyFinding(int line, const ParamSpec& spec, const ReadParam& param,
                      std::vector<Finding>& findings) {
  using duduve::AxisPolicy;
  // A known word reads the same whatever the default; an unknown one falls to it.
  const auto asStretch = duduve::ParseAxisPolicy(param.Text, AxisPolicy::Stretch);
  if (TrimSpaces(param.Text).empty() ||
      asStretch == duduve::ParseAxisPolicy(param.Text, AxisPolicy::Fixed)) {
    return;
  }
  const char* axis = spec.Kind == ParamKind::WidthPolicy ? "width" : "height";
  findings.push_back({line,
                      std::string(spec.Label) + " " + Quote(param.Raw) +
                          " is not a sizing word, so Duduve sizes " + "the " + axis +
                          " with its default, " +
                          Narrow(duduve::AxisPolicyWord(static_cast<std::int32_t>(asStretch))),
                      "write " + Choices(3, [](int i) { return duduve::AxisPolicyWord(i); })});
}

// An anchor word that falls to Left or Top says so only as its code or its full name.
void AddAnchorFinding(int line, const ParamSpec& spec, const ReadParam& param,
                      std::vector<Finding>& findings) {
  const bool horizontal = spec.Kind == ParamKind::HorizontalAnchor;
  const auto word = UpperCase(TrimSpaces(param.Text));
  const bool fallen = horizontal
                          ? duduve::ParseHorizontalAnchor(word) == duduve::HorizontalAnchor::Left
                          : duduve::ParseVerticalAnchor(word) == duduve::VerticalAnchor::Top;
  const std::wstring code =
      horizontal ? duduve::HorizontalAnchorCode(0) : duduve::VerticalAnchorCode(0);
  const std::wstring name = horizontal ? L"LEFT" : L"TOP";
  if (!fallen || word.empty() || word == code || word == name) return;
  findings.push_back(
      {line,
       std::string(spec.Label) + " " + Quote(param.Raw) +
           " is not an anchor, so Duduve anchors the object " + (horizontal ? "Left" : "Top"),
       "write " + Choices(3, [horizontal](int i) {
         return horizontal ? duduve::HorizontalAnchorCode(i) : duduve::VerticalAnchorCode(i);
       })});
}

void AddGroupModeFinding(int line, const ParamSpec& spec, const ReadParam& param,
                         std::vector<Finding>& findings) {
  const auto word = UpperCase(TrimSpaces(param.Text));
  if (word.empty() || duduve::ParseGroupMode(word) != duduve::GroupMode::Fit ||
      word == duduve::GroupModeWord(0)) {
    return;
  }
  findings.push_back({line,
                      std::string(spec.Label) + " " + Quote(param.Raw) +
                          " is not a group mode, so Duduve fits the group (" +
                          Narrow(duduve::GroupModeWord(0)) + ")",
                      "write " + Choices(2, [](int i) { return duduve::GroupModeWord(i); })});
}

// The code of the attach point the pin action reads from a text's letters.
std::int32_t PointRead(const std::wstring& code) {
  const auto axes = duduve::AttachPointAxes(code);
  std::int32_t read = 4;
  for (std::int32_t i = 0; i < 9; ++i) {
    const auto other = duduve::AttachPointAxes(duduve::AttachPointCode(i));
    if (other.Horizontal == axes.Horizontal && other.Vertical == axes.Vertical) read = i;
  }
  return read;
}

// The pin action reads single letters; only the nine codes say what they mean.
void AddPointFinding(int line, const ParamSpec& spec, const ReadParam& param,
                     std::vector<Finding>& findings) {
  const auto code = UpperCase(TrimSpaces(param.Text));
  if (code.empty() || duduve::AttachPointCode(duduve::ParseAttachPoint(code)) == code) return;
  const std::int32_t read = PointRead(code);
  findings.push_back(
      {line,
       std::string(spec.Label) + " " + Quote(param.Raw) +
           " is not a point code; Duduve reads its letters as " +
           Narrow(duduve::AttachPointCode(read)) + " (" +
           Narrow(duduve::AttachPointLabels()[static_cast<std::size_t>(read)]) + ")",
       "write one of " + Choices(9, [](int i) { return duduve::AttachPointCode(i); })});
}

void AddNumberFinding(int line, const ParamSpec& spec, const ReadParam& param,
                      std::vector<Finding>& findings) {
  const auto text = TrimSpaces(param.Text);
  if (text.empty()) return;
  const NumberText number = ReadNumberText(text);
  const auto low = duduve::Low32(duduve::TextToInt(text));
  const std::string label = std::string(spec.Label) + " " + Quote(param.Raw);
  if (number.Digits == 0) {
    findings.push_back({line, label + " is not a number, so Duduve reads 0",
                        "write a whole number such as \"0\""});
    return;
  }
  if (number.End < text.size()) {
    findings.push_back({line,
                        label + " has text after the number: Duduve reads " + std::to_string(low) +
                            " and ignores " + Quote(Narrow(text.substr(number.End))),
                        "write " + Quote(std::to_string(low))});
    return;
  }
  if (!number.Fits32) {
    findings.push_back(
        {line,
         label + " does not fit in 32 bits: Duduve keeps its low 32 bits, " + std::to_string(low),
         "write a number from -2147483648 to 2147483647"});
  }
}

// The digit's value in `base`, or -1 when it is none.
int DigitValue(wchar_t c, int base) {
  int value = -1;
  if (c >= L'0' && c <= L'9') value = c - L'0';
  if (c >= L'A' && c <= L'F') value = c - L'A' + 10;
  if (c >= L'a' && c <= L'f') value = c - L'a' + 10;
  return value < base ? value : -1;
}

}  // namespace

std::span<const ParamSpec> ParamSpecs(int actionId) {
  switch (static_cast<duduve::ActionId>(actionId)) {
    case duduve::ActionId::SetDesignSize:
      return kDesignSize;
    case duduve::ActionId::RegisterObject:
      return kRegister;
    case duduve::ActionId::InitDpi:
      return kInitDpi;
    case duduve::ActionId::PinObject:
      return kPin;
    case duduve::ActionId::RegisterGroup:
      return kGroup;
    default:
      return {};
  }
}

ReadParam ReadAsPlugIn(const std::string& bytes) {
  TextMemory memory(bytes);
  ReadParam param;
  param.Raw = bytes;
  param.Text =
      duduve::ReadHostText(memory, reinterpret_cast<std::uintptr_t>(bytes.c_str()), kLongestParam);
  param.Cut = bytes.size() > kLongestParam && !param.Text.empty();
  if (param.Text.empty()) {
    for (std::size_t i = 0; i < bytes.size() && i < kLongestParam; ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (byte != 0 && !duduve::IsHostTextByte(byte)) {
        param.Emptied = true;
        param.BadColumn = i + 1;
        param.BadByte = byte;
        break;
      }
    }
  }
  return param;
}

std::string SevenBitProblem(const ParamSpec& spec, const ReadParam& param) {
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X", param.BadByte);
  return std::string(spec.Label) + " " + Quote(param.Raw) + " holds a byte outside 7-bit ASCII (" +
         byte + ", character " + std::to_string(param.BadColumn) + ")";
}

void AddReadingFindings(int line, const ParamSpec& spec, const ReadParam& param,
                        std::vector<Finding>& findings) {
  if (param.Emptied) {
    if (spec.Kind != ParamKind::RequiredName) {
      findings.push_back({line, SevenBitProblem(spec, param) + ", so Duduve reads it as empty",
                          "write it with printable ASCII characters only"});
    }
    return;
  }
  if (param.Cut) {
    findings.push_back({line,
                        std::string(spec.Label) + " is " + std::to_string(param.Raw.size()) +
                            " characters long; Duduve reads only the first " +
                            std::to_string(kLongestParam),
                        "shorten it to " + std::to_string(kLongestParam) + " characters"});
  }
  switch (spec.Kind) {
    case ParamKind::WidthPolicy:
    case ParamKind::HeightPolicy:
      return AddPolicyFinding(line, spec, param, findings);
    case ParamKind::HorizontalAnchor:
    case ParamKind::VerticalAnchor:
      return AddAnchorFinding(line, spec, param, findings);
    case ParamKind::GroupMode:
      return AddGroupModeFinding(line, spec, param, findings);
    case ParamKind::Point:
      return AddPointFinding(line, spec, param, findings);
    case ParamKind::Number:
      return AddNumberFinding(line, spec, param, findings);
    default:
      return;
  }
}

NumberText ReadNumberText(std::wstring_view text) {
  NumberText number;
  std::size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) negative = text[at++] == L'-';
  int base = 10;
  if (at < text.size() && (text[at] == L'$' || text[at] == L'%'))
    base = text[at++] == L'$' ? 16 : 2;
  // The exact magnitude, saturated; the value wraps as the plug-in's does.
  std::uint64_t magnitude = 0;
  bool huge = false;
  std::uint64_t wrapped = 0;
  for (int digit = 0; at < text.size() && (digit = DigitValue(text[at], base)) >= 0; ++at) {
    ++number.Digits;
    const auto value = static_cast<std::uint64_t>(digit);
    huge |= magnitude > (UINT64_MAX - value) / static_cast<std::uint64_t>(base);
    if (!huge) magnitude = magnitude * static_cast<std::uint64_t>(base) + value;
    wrapped = wrapped * static_cast<std::uint64_t>(base) + value;
  }
  number.End = at;
  number.Fits32 = !huge && magnitude <= (negative ? 0x80000000u : 0x7FFFFFFFu);
  number.Value = static_cast<std::int64_t>(negative ? 0 - wrapped : wrapped);
  return number;
}

ScriptLine CleanScriptLine(const ScriptLine& line, const KnownAction& action) {
  ScriptLine clean = line;
  clean.Action = action.Name;
  clean.ActionId = action.Id;
  clean.Params.resize(static_cast<std::size_t>(std::max(action.ParamCount, 0)));
  const auto specs = ParamSpecs(action.Id);
  for (std::size_t i = 0; i < clean.Params.size() && i < specs.size(); ++i) {
    clean.Params[i] = CleanParam(specs[i], ReadAsPlugIn(clean.Params[i]));
  }
  return clean;
}

std::string CleanParam(const ParamSpec& spec, const ReadParam& param) {
  const auto word = UpperCase(TrimSpaces(param.Text));
  // An empty mode is refused; the editor's default is the one a fitted line proposes.
  if (spec.Kind == ParamKind::DpiMode && word.empty()) return "unaware";
  std::vector<Finding> findings;
  AddReadingFindings(0, spec, param, findings);
  if (findings.empty()) return param.Raw;
  switch (spec.Kind) {
    case ParamKind::Number:
      return std::to_string(duduve::Low32(duduve::TextToInt(word)));
    case ParamKind::WidthPolicy:
    case ParamKind::HeightPolicy:
      return Narrow(duduve::AxisPolicyWord(
          static_cast<std::int32_t>(duduve::ParseAxisPolicy(word, duduve::AxisPolicy::Stretch))));
    case ParamKind::HorizontalAnchor:
      return Narrow(duduve::HorizontalAnchorCode(
          static_cast<std::int32_t>(duduve::ParseHorizontalAnchor(word))));
    case ParamKind::VerticalAnchor:
      return Narrow(
          duduve::VerticalAnchorCode(static_cast<std::int32_t>(duduve::ParseVerticalAnchor(word))));
    case ParamKind::GroupMode:
      return Narrow(duduve::GroupModeWord(static_cast<std::int32_t>(duduve::ParseGroupMode(word))));
    case ParamKind::Point:
      return word.empty() ? std::string() : Narrow(duduve::AttachPointCode(PointRead(word)));
    default:
      // Names keep what the author wrote, cut to what the plug-in reads.
      return param.Cut ? param.Raw.substr(0, kLongestParam) : param.Raw;
  }
}

}  // namespace preview
