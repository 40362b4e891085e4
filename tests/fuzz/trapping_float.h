#pragma once
// Each fuzz input runs with the exceptions a strict host unmasks (invalid, zero-divide,
// overflow): an operation that would raise in such a host stops the run with SIGFPE. Inside
// the plug-in's own settings they are masked, so a raising operation there is counted instead,
// and the count is checked here. libFuzzer's own bookkeeping runs outside, untrapped.
#include <fenv.h>

#include <cstdio>
#include <cstdlib>

#include "core/float_settings.h"

class TrappingFloatExceptions {
 public:
  TrappingFloatExceptions() {
    feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(kTrapped);
  }
  ~TrappingFloatExceptions() {
    fedisableexcept(kTrapped);
    if (duduve::PluginFloatSettings::ExceptionalScopes() != 0) {
      std::fprintf(stderr, "floating-point exception raised inside the plug-in's arithmetic\n");
      std::abort();
    }
  }
  TrappingFloatExceptions(const TrappingFloatExceptions&) = delete;
  TrappingFloatExceptions& operator=(const TrappingFloatExceptions&) = delete;

 private:
  static constexpr int kTrapped = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
};
