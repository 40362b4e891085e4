#pragma once
// The seven actions as the host knows them: the number it calls each by, its name, its
// parameters with their type codes, and its help text. The routine and the editor behind
// each number are joined to these rows where both are visible (plugin/actions.h).
#include <cstdint>
#include <span>
#include <string_view>

namespace duduve {

// The host's number of an action, towards _nbExecAction and _nbEditAction alike.
enum class ActionId : std::int32_t {
  SetDesignSize = 1,
  RegisterObject = 2,
  Apply = 3,
  Clear = 4,
  InitDpi = 5,
  PinObject = 6,
  RegisterGroup = 7,
};

inline constexpr std::int32_t kActionCount = 7;

constexpr std::int32_t Number(ActionId id) {
  return static_cast<std::int32_t>(id);
}

// Type codes of a declared parameter; a numeric one still arrives as text.
inline constexpr std::uint8_t kTextParam = 1;
inline constexpr std::uint8_t kNumberParam = 3;

struct ParamSpec {
  std::wstring_view Name;  // as the help text names it
  std::uint8_t TypeCode = kTextParam;
};

struct ActionSpec {
  ActionId Id;
  std::wstring_view Name;
  std::wstring_view Help;
  std::span<const ParamSpec> Params;  // in the order they reach the action
};

// The seven rows in the order they are declared, which is ActionId order.
std::span<const ActionSpec> ActionTable();
// The row the host calls by `number`; null outside 1..7.
const ActionSpec* FindAction(std::int32_t number);

}  // namespace duduve
