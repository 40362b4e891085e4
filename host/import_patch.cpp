// Redirects a loaded module's kernel32 imports of GlobalAlloc, GlobalFree and GlobalSize to
// the account by rewriting its import address table.
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

}  // namespace

int PatchGlobalImports(HMODULE module) {
  if (module == nullptr) return 0;
  auto* base = reinterpret_cast<unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return 0;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return 0;
  const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return 0;

  int patched = 0;
  auto* descriptor =
      reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
  for (; descriptor->Name != 0; ++descriptor) {
    const char* dllName = reinterpret_cast<const char*>(base + descriptor->Name);
    if (lstrcmpiA(dllName, "kernel32.dll") != 0) continue;
    // The lookup table keeps the names; the address table holds the resolved entries.
    const DWORD lookupRva = descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk
                                                                : descriptor->FirstThunk;
    auto* lookup = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + lookupRva);
    auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
    for (; lookup->u1.AddressOfData != 0; ++lookup, ++entries) {
      if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData);
      void* target = Replacement(reinterpret_cast<const char*>(byName->Name));
      if (target != nullptr && WriteEntry(&entries->u1.Function, target)) ++patched;
    }
  }
  return patched;
}

}  // namespace standin
