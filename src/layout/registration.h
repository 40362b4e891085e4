#pragma once
// Duduve_RegisterObject, and look-up and design-rectangle capture of registered objects.
#include <string_view>

#include "core/context.h"
#include "core/object_record.h"
#include "core/param_texts.h"

namespace duduve {

// Action 2, Duduve_RegisterObject.
int RegisterObject(Context& context, ParamTexts params);

// The record whose name equals `name` ignoring case and outer spaces, or null. The
// pointer is valid until the next record is appended or the list is emptied.
ObjectRecord* FindObject(LayoutRegistry& registry, std::wstring_view name);

// Gives the record its design rectangle: the one remembered for its name when there is
// one, else the one measured from its window now (and remembered). True when the record
// holds a design rectangle afterwards; on false the record is unchanged.
bool CaptureDesignRect(Context& context, ObjectRecord& record);

}  // namespace duduve
