// Duduve_InitDPI: decides once per process whether the process becomes DPI-aware and
// reports the outcome in two host variables.
#include "dpi/dpi_action.h"

#include "core/casing.h"
#include "core/text_rules.h"

namespace duduve {

namespace {

constexpr std::wstring_view kAwareVariable = L"[Duduve.DPIAware]";
constexpr std::wstring_view kErrorVariable = L"[Duduve.DPIError]";

constexpr std::wstring_view kInvalidMode = L"InitDPI: mode must be 'aware' or 'unaware'.";
constexpr std::wstring_view kAwarenessLocked =
    L"InitDPI already called; awareness is locked for the process.";
constexpr std::wstring_view kModeFixed =
    L"InitDPI already called; cannot change DPI mode at runtime.";
constexpr std::wstring_view kNotAvailable = L"DPI awareness not available on this Windows version.";
constexpr std::wstring_view kAlreadyAware =
    L"Process was already DPI-aware before InitDPI 'unaware'; cannot undo.";

enum class DpiMode { Invalid, Aware, Unaware };

DpiMode ReadMode(std::wstring_view text) {
  const auto word = LowerCase(TrimSpaces(text));
  if (word == L"aware" || word == L"1") return DpiMode::Aware;
  if (word == L"unaware" || word == L"0") return DpiMode::Unaware;
  return DpiMode::Invalid;
}

// The awareness variable always goes first.
int Report(Context& context, std::wstring_view aware, std::wstring_view error, int result) {
  context.Host.SetVariable(kAwareVariable, aware);
  context.Host.SetVariable(kErrorVariable, error);
  return result;
}

}  // namespace

int InitDpi(Context& context, ParamTexts params) {
  const auto mode = ReadMode(ParamAt(params, 0));
  auto& state = context.DpiAction;
  if (mode == DpiMode::Invalid) {
    context.Host.SetVariable(kErrorVariable, kInvalidMode);
    return 0;
  }
  if (state.InitDpiLatch) {
    if (mode == DpiMode::Aware && state.AwarenessAttempted) {
      return Report(context, L"1", kAwarenessLocked, 0);
    }
    context.Host.SetVariable(kErrorVariable, kModeFixed);
    return 0;
  }
  state.InitDpiLatch = true;

  if (mode == DpiMode::Unaware) {
    // Awareness given by a manifest, the host or another plug-in cannot be undone: say so.
    if (context.Dpi.IsProcessDpiAware()) return Report(context, L"1", kAlreadyAware, 1);
    return Report(context, L"0", L"", 1);
  }
  state.AwarenessAttempted = true;
  if (context.Dpi.EnableDpiAwareness()) return Report(context, L"1", L"", 1);
  return Report(context, L"0", kNotAvailable, 0);
}

}  // namespace duduve
