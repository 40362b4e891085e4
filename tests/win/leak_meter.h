#pragma once
// Measures what a run leaves behind: the process's GDI and USER object counts and private
// bytes, and a ledger of the handles the plug-in itself makes (deferred-positioning
// batches, device contexts, fonts, windows, accelerator tables), kept by redirecting the
// loaded module's user32 and gdi32 imports.
#include <windows.h>

#include <cstddef>
#include <string>

namespace leak_test {

// One reading of the process. A count of -1 means the system cannot say (wine's
// GetGuiResources is a stub; there the USER count falls back to the process's windows).
struct ProcessReading {
  long GdiObjects = -1;
  long UserObjects = -1;
  bool UserFromWindowCount = false;
  std::size_t PrivateBytes = 0;
};

ProcessReading ReadProcess();
std::string Describe(const ProcessReading& reading);

// Handles the plug-in made and has not given back, by kind.
struct PluginHandles {
  std::size_t Batches = 0;
  std::size_t DeviceContexts = 0;
  std::size_t Fonts = 0;
  std::size_t Windows = 0;
  std::size_t Accelerators = 0;
  std::size_t Made = 0;  // handles made since the ledger was attached, all kinds together
  std::size_t Total() const { return Batches + DeviceContexts + Fonts + Windows + Accelerators; }
};

// Redirects the module's imports to the ledger; returns how many import entries it took.
int AttachLedger(HMODULE module);
PluginHandles LedgerNow();
// Forgets everything recorded (after a module is unloaded).
void ResetLedger();

}  // namespace leak_test
