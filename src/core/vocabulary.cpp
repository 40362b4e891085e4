#include "core/vocabulary.h"

#include <initializer_list>

#include "core/casing.h"
#include "core/text_rules.h"

namespace duduve {

namespace {

// Trimmed of spaces only, then upper-cased: the form every word is compared in.
std::wstring Normalise(std::wstring_view text) {
  return UpperCase(TrimSpaces(text));
}

bool IsOneOf(const std::wstring& word, std::initializer_list<std::wstring_view> accepted) {
  for (auto candidate : accepted) {
    if (word == candidate) return true;
  }
  return false;
}

}  // namespace

AxisPolicy ParseAxisPolicy(std::wstring_view text, AxisPolicy fallback) {
  const auto word = Normalise(text);
  if (IsOneOf(word, {L"STRETCH", L"FILL", L"SCALE"})) return AxisPolicy::Stretch;
  if (IsOneOf(word, {L"FIXED", L"KEEP", L"MOVE"})) return AxisPolicy::Fixed;
  if (IsOneOf(word, {L"UNIFORM", L"FIT", L"ASPECT"})) return AxisPolicy::Uniform;
  return fallback;
}

std::wstring AxisPolicyWord(std::int32_t policy) {
  if (policy == 1) return L"FIXED";
  if (policy == 2) return L"UNIFORM";
  return L"STRETCH";
}

HorizontalAnchor ParseHorizontalAnchor(std::wstring_view text) {
  const auto word = Normalise(text);
  if (IsOneOf(word, {L"R", L"RIGHT"})) return HorizontalAnchor::Right;
  if (IsOneOf(word, {L"C", L"CENTER"})) return HorizontalAnchor::Center;
  return HorizontalAnchor::Left;
}

VerticalAnchor ParseVerticalAnchor(std::wstring_view text) {
  const auto word = Normalise(text);
  if (IsOneOf(word, {L"B", L"BOTTOM"})) return VerticalAnchor::Bottom;
  if (IsOneOf(word, {L"C", L"CENTER"})) return VerticalAnchor::Center;
  return VerticalAnchor::Top;
}

std::wstring HorizontalAnchorCode(std::int32_t anchor) {
  if (anchor == 2) return L"R";
  if (anchor == 1) return L"C";
  return L"L";
}

std::wstring VerticalAnchorCode(std::int32_t anchor) {
  if (anchor == 2) return L"B";
  if (anchor == 1) return L"C";
  return L"T";
}

std::int32_t ClampChoice(std::int32_t choice) {
  return choice == 1 || choice == 2 ? choice : 0;
}

GroupMode ParseGroupMode(std::wstring_view text) {
  return IsOneOf(Normalise(text), {L"FILL", L"STRETCH", L"SCALE"}) ? GroupMode::Fill
                                                                   : GroupMode::Fit;
}

std::wstring GroupModeWord(std::int32_t mode) {
  return mode == 1 ? L"FILL" : L"FIT";
}

}  // namespace duduve
