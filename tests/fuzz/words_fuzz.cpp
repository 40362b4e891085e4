// Fuzzes the number reader, the space trimming, every word parser and the member-list
// splitter with arbitrary UTF-16 texts, checking the properties callers rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "core/casing.h"
#include "core/text_rules.h"
#include "core/vocabulary.h"
#include "groups/group_operations.h"
#include "layout/attach_points.h"
#include "trapping_float.h"

namespace {

using namespace duduve;

void Require(bool condition) {
  if (!condition) std::abort();
}

std::wstring TextFrom(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  }
  return text;
}

void CheckTrim(const std::wstring& text) {
  const auto trimmed = TrimSpaces(text);
  Require(trimmed.size() <= text.size());
  Require(trimmed.empty() || (trimmed.front() != L' ' && trimmed.back() != L' '));
  Require(text.find(trimmed) != std::wstring::npos);
  Require(TrimSpaces(trimmed) == trimmed);
}

void CheckWords(const std::wstring& text) {
  const auto policy = ParseAxisPolicy(text, AxisPolicy::Stretch);
  const auto policyValue = static_cast<std::int32_t>(policy);
  Require(policyValue >= 0 && policyValue <= 2);
  Require(ParseAxisPolicy(AxisPolicyWord(policyValue), AxisPolicy::Fixed) == policy);

  const auto horizontal = static_cast<std::int32_t>(ParseHorizontalAnchor(text));
  Require(static_cast<std::int32_t>(ParseHorizontalAnchor(HorizontalAnchorCode(horizontal))) ==
          horizontal);
  const auto vertical = static_cast<std::int32_t>(ParseVerticalAnchor(text));
  Require(static_cast<std::int32_t>(ParseVerticalAnchor(VerticalAnchorCode(vertical))) == vertical);

  const auto mode = static_cast<std::int32_t>(ParseGroupMode(text));
  Require(static_cast<std::int32_t>(ParseGroupMode(GroupModeWord(mode))) == mode);

  const auto point = ParseAttachPoint(text);
  Require(point >= 0 && point <= 8);
  Require(ParseAttachPoint(AttachPointCode(point)) == point);
  const auto axes = AttachPointAxes(text);
  Require(static_cast<std::int32_t>(axes.Horizontal) >= 0 &&
          static_cast<std::int32_t>(axes.Horizontal) <= 2);
  Require(static_cast<std::int32_t>(axes.Vertical) >= 0 &&
          static_cast<std::int32_t>(axes.Vertical) <= 2);
}

void CheckNumber(const std::wstring& text) {
  const auto value = TextToInt(text);
  // A plain decimal rendering reads back as the same value.
  Require(TextToInt(DecimalText(value)) == value);
  (void)Low32(value);
}

// Member lists: every name is trimmed, non-empty and free of separators, and no two
// names, nor a name and the group or the target, are equal ignoring case.
void CheckMembers(const std::wstring& text) {
  const std::wstring groupKey = L"frame";
  const std::wstring targetKey = L"target";
  std::set<std::wstring> keys;
  for (const auto& name : ParseMemberNames(text, groupKey, targetKey)) {
    Require(!name.empty() && name == TrimSpaces(name));
    Require(name.find_first_of(L";,") == std::wstring::npos);
    const auto key = LowerCase(name);
    Require(key != groupKey && key != targetKey);
    Require(keys.insert(key).second);
    Require(text.find(name) != std::wstring::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TrappingFloatExceptions traps;
  const auto text = TextFrom(data, size);
  CheckTrim(text);
  CheckWords(text);
  CheckNumber(text);
  CheckMembers(text);
  // The same bytes read as 8-bit host text.
  const std::wstring narrow(data, data + size);
  CheckNumber(narrow);
  CheckWords(narrow);
  CheckMembers(narrow);
  return 0;
}
