#pragma once
// Every action joined to what runs it: the row the host is told about (core/action_table.h),
// the routine behind _nbExecAction and the editor behind _nbEditAction.
#include <cstdint>

#include "core/action_table.h"
#include "core/context.h"
#include "core/param_texts.h"
#include "editor/editors.h"

namespace duduve {

using Routine = int (*)(Context& context, ParamTexts params);

struct Action {
  ActionId Id;
  Routine Run;
  Editor Edit;  // null for an action without parameters
};

// The row of the action the host calls by `number`; null outside 1..7.
const Action* FindRunnableAction(std::int32_t number);

}  // namespace duduve
