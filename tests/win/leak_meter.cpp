#include "leak_meter.h"

#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>
#include <sstream>
#include <unordered_map>
#include <vector>

namespace leak_test {

namespace {

struct Ledger {
  std::mutex Mutex;
  std::multiset<HDWP> Batches;
  std::multiset<HDC> DeviceContexts;
  std::set<HGDIOBJ> Fonts;
  std::vector<HWND> Windows;  // still alive when IsWindow says so
  std::set<HACCEL> Accelerators;
  std::size_t Made = 0;
};

Ledger& TheLedger() {
  static Ledger ledger;
  return ledger;
}

template <typename Container, typename Handle>
void EraseOne(Container& container, Handle handle) {
  const auto found = container.find(handle);
  if (found != container.end()) container.erase(found);
}

HDWP WINAPI LedgerBeginDeferWindowPos(int count) {
  HDWP batch = BeginDeferWindowPos(count);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  if (batch != nullptr) {
    ledger.Batches.insert(batch);
    ++ledger.Made;
  }
  return batch;
}

HDWP WINAPI LedgerDeferWindowPos(HDWP batch, HWND window, HWND after, int x, int y, int width,
                                 int height, UINT flags) {
  HDWP next = DeferWindowPos(batch, window, after, x, y, width, height, flags);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  // The batch goes on under the handle returned; a failed add destroys it.
  EraseOne(ledger.Batches, batch);
  if (next != nullptr) ledger.Batches.insert(next);
  return next;
}

BOOL WINAPI LedgerEndDeferWindowPos(HDWP batch) {
  const BOOL done = EndDeferWindowPos(batch);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  EraseOne(ledger.Batches, batch);
  return done;
}

HDC WINAPI LedgerGetDC(HWND window) {
  HDC dc = GetDC(window);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  if (dc != nullptr) {
    ledger.DeviceContexts.insert(dc);
    ++ledger.Made;
  }
  return dc;
}

int WINAPI LedgerReleaseDC(HWND window, HDC dc) {
  const int released = ReleaseDC(window, dc);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  EraseOne(ledger.DeviceContexts, dc);
  return released;
}

HFONT WINAPI LedgerCreateFontIndirectW(const LOGFONTW* font) {
  HFONT made = CreateFontIndirectW(font);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  if (made != nullptr) {
    ledger.Fonts.insert(made);
    ++ledger.Made;
  }
  return made;
}

BOOL WINAPI LedgerDeleteObject(HGDIOBJ object) {
  const BOOL deleted = DeleteObject(object);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  EraseOne(ledger.Fonts, object);
  return deleted;
}

HWND WINAPI LedgerCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style,
                                  int x, int y, int width, int height, HWND parent, HMENU menu,
                                  HINSTANCE instance, LPVOID parameter) {
  HWND window = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                                instance, parameter);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  if (window != nullptr) {
    ledger.Windows.push_back(window);
    ++ledger.Made;
  }
  return window;
}

HACCEL WINAPI LedgerCreateAcceleratorTableW(LPACCEL entries, int count) {
  HACCEL table = CreateAcceleratorTableW(entries, count);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  if (table != nullptr) {
    ledger.Accelerators.insert(table);
    ++ledger.Made;
  }
  return table;
}

BOOL WINAPI LedgerDestroyAcceleratorTable(HACCEL table) {
  const BOOL destroyed = DestroyAcceleratorTable(table);
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  EraseOne(ledger.Accelerators, table);
  return destroyed;
}

void* Replacement(const char* dll, const char* name) {
  static const std::unordered_map<std::string, void*> user = {
      {"BeginDeferWindowPos", reinterpret_cast<void*>(&LedgerBeginDeferWindowPos)},
      {"DeferWindowPos", reinterpret_cast<void*>(&LedgerDeferWindowPos)},
      {"EndDeferWindowPos", reinterpret_cast<void*>(&LedgerEndDeferWindowPos)},
      {"GetDC", reinterpret_cast<void*>(&LedgerGetDC)},
      {"ReleaseDC", reinterpret_cast<void*>(&LedgerReleaseDC)},
      {"CreateWindowExW", reinterpret_cast<void*>(&LedgerCreateWindowExW)},
      {"CreateAcceleratorTableW", reinterpret_cast<void*>(&LedgerCreateAcceleratorTableW)},
      {"DestroyAcceleratorTable", reinterpret_cast<void*>(&LedgerDestroyAcceleratorTable)}};
  static const std::unordered_map<std::string, void*> gdi = {
      {"CreateFontIndirectW", reinterpret_cast<void*>(&LedgerCreateFontIndirectW)},
      {"DeleteObject", reinterpret_cast<void*>(&LedgerDeleteObject)}};
  static const std::unordered_map<std::string, void*> none;
  const auto& table = lstrcmpiA(dll, "user32.dll") == 0  ? user
                      : lstrcmpiA(dll, "gdi32.dll") == 0 ? gdi
                                                         : none;
  const auto found = table.find(name);
  return found == table.end() ? nullptr : found->second;
}

bool WriteEntry(ULONG_PTR* entry, void* target) {
  DWORD old = 0;
  if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old)) return false;
  *entry = reinterpret_cast<ULONG_PTR>(target);
  VirtualProtect(entry, sizeof *entry, old, &old);
  return true;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, &CountChild, count);
  return TRUE;
}

}  // namespace

ProcessReading ReadProcess() {
  ProcessReading reading;
  HANDLE self = GetCurrentProcess();
  SetLastError(0);
  const DWORD gdi = GetGuiResources(self, GR_GDIOBJECTS);
  const bool stub = gdi == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
  if (!stub) {
    reading.GdiObjects = static_cast<long>(gdi);
    reading.UserObjects = static_cast<long>(GetGuiResources(self, GR_USEROBJECTS));
  } else {
    long windows = 0;
    EnumWindows(&CountOwnWindow, reinterpret_cast<LPARAM>(&windows));
    reading.UserObjects = windows;
    reading.UserFromWindowCount = true;
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    // Wine leaves PrivateUsage at 0; its PagefileUsage is the private commit charge, as
    // it is on Windows.
    reading.PrivateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
  }
  return reading;
}

std::string Describe(const ProcessReading& reading) {
  std::ostringstream text;
  text << "GDI objects ";
  if (reading.GdiObjects < 0) {
    text << "n/a";
  } else {
    text << reading.GdiObjects;
  }
  text << ", USER objects " << reading.UserObjects
       << (reading.UserFromWindowCount ? " (windows counted)" : "") << ", private bytes "
       << reading.PrivateBytes;
  return text.str();
}

int AttachLedger(HMODULE module) {
  if (module == nullptr) return 0;
  auto* base = reinterpret_cast<unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return 0;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (nt->Signature != IMAGE_NT_SIGNATURE || directory.VirtualAddress == 0) return 0;

  int patched = 0;
  auto* descriptor =
      reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
  for (; descriptor->Name != 0; ++descriptor) {
    const char* dll = reinterpret_cast<const char*>(base + descriptor->Name);
    const DWORD lookupRva = descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk
                                                                : descriptor->FirstThunk;
    auto* lookup = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + lookupRva);
    auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
    for (; lookup->u1.AddressOfData != 0; ++lookup, ++entries) {
      if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData);
      void* target = Replacement(dll, reinterpret_cast<const char*>(byName->Name));
      if (target != nullptr && WriteEntry(&entries->u1.Function, target)) ++patched;
    }
  }
  return patched;
}

PluginHandles LedgerNow() {
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  PluginHandles handles;
  handles.Batches = ledger.Batches.size();
  handles.DeviceContexts = ledger.DeviceContexts.size();
  handles.Fonts = ledger.Fonts.size();
  handles.Windows = static_cast<std::size_t>(std::count_if(
      ledger.Windows.begin(), ledger.Windows.end(), [](HWND w) { return IsWindow(w); }));
  handles.Accelerators = ledger.Accelerators.size();
  handles.Made = ledger.Made;
  return handles;
}

void ResetLedger() {
  auto& ledger = TheLedger();
  std::lock_guard lock(ledger.Mutex);
  ledger.Batches.clear();
  ledger.DeviceContexts.clear();
  ledger.Fonts.clear();
  ledger.Windows.clear();
  ledger.Accelerators.clear();
  ledger.Made = 0;
}

}  // namespace leak_test
