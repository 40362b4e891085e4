#pragma once
// Replaces one import of a loaded module by rewriting its import address table.
#include <windows.h>

namespace standin {

// Points `module`'s import of `function` from `dllName` at `replacement`. Returns what the
// entry held before (pass it back to undo), or null when the module imports no such function.
void* ReplaceImport(HMODULE module, const char* dllName, const char* function, void* replacement);

}  // namespace standin
