#pragma once
// Optional system functions of newer Windows versions, looked up by name at run time.
#include <windows.h>

namespace duduve {

template <typename Function>
Function LookUpFunction(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  // Through void* so that the cast from FARPROC's type is not a function-type cast.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// user32, already loaded in any process with windows, else loaded now (never released).
inline HMODULE User32Module() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 != nullptr ? user32 : LoadLibraryW(L"user32.dll");
}

}  // namespace duduve
