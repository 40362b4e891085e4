// Rewrites a loaded module's import address table: its kernel32 imports of GlobalAlloc,
// GlobalFree and GlobalSize go to the account, and any one import can be replaced on demand.
#include "import_patch.h"

#include <windows.h>

#include <cstring>

#include "global_account.h"

namespace standin {

namespace {

HGLOBAL WINAPI CountedGlobalAlloc(UINT flags, SIZE_T size) {
  return GlobalAccount::Instance().PluginAlloc(flags, size);
}

HGLOBAL WINAPI CountedGlobalFree(HGLOBAL block) {
  return GlobalAccount::Instance().PluginFree(block);
}

SIZE_T WINAPI CountedGlobalSize(HGLOBAL block) {
  return GlobalAccount::Instance().PluginSize(block);
}

void* Replacement(const char* name) {
  if (std::strcmp(name, "GlobalAlloc") == 0) return reinterpret_cast<void*>(&CountedGlobalAlloc);
  if (std::strcmp(name, "GlobalFree") == 0) return reinterpret_cast<void*>(&CountedGlobalFree);
  if (std::strcmp(name, "GlobalSize") == 0) return reinterpret_cast<void*>(&CountedGlobalSize);
  return nullptr;
}

bool WriteEntry(ULONG_PTR* entry, void* target) {
  DWORD old = 0;
  if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old)) return false;
  *entry = reinterpret_cast<ULONG_PTR>(target);
  VirtualProtect(entry, sizeof *entry, old, &old);
  return true;
}

// Calls `visit(name, entry)` for every import of `module` from `dllName` that is imported
// by name; `entry` is its slot in the import address table.
template <typename Visit>
void ForEachImport(HMODULE module, const char* dllName, Visit&& visit) {
  if (module == nullptr) return;
  auto* base = reinterpret_cast<unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return;
  const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return;

  auto* descriptor =
      reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
  for (; descriptor->Name != 0; ++descriptor) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), dllName) != 0) continue;
    // The lookup table keeps the names; the address table holds the resolved entries.
    const DWORD lookupRva = descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk
                                                                : descriptor->FirstThunk;
    auto* lookup = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + lookupRva);
    auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
    for (; lookup->u1.AddressOfData != 0; ++lookup, ++entries) {
      if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData);
      visit(reinterpret_cast<const char*>(byName->Name), &entries->u1.Function);
    }
  }
}

}  // namespace

int PatchGlobalImports(HMODULE module) {
  int patched = 0;
  ForEachImport(module, "kernel32.dll", [&patched](const char* name, ULONG_PTR* entry) {
    void* target = Replacement(name);
    if (target != nullptr && WriteEntry(entry, target)) ++patched;
  });
  return patched;
}

void* ReplaceImport(HMODULE module, const char* dllName, const char* function, void* replacement) {
  void* previous = nullptr;
  ForEachImport(module, dllName, [&](const char* name, ULONG_PTR* entry) {
    if (previous != nullptr || std::strcmp(name, function) != 0) return;
    const auto old = reinterpret_cast<void*>(*entry);
    if (WriteEntry(entry, replacement)) previous = old;
  });
  return previous;
}

}  // namespace standin
