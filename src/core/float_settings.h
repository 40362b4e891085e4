#pragma once
// The plug-in's own floating-point settings, held only around its arithmetic.
//
// A host's runtime sets the x87 and SSE units as it likes: any rounding mode, 64-bit x87
// precision, the invalid, zero-divide and overflow exceptions unmasked. The plug-in's numbers
// must not depend on that, and the host must never notice the plug-in: so each piece of
// arithmetic runs inside a PluginFloatSettings, which sets rounding to nearest, 53-bit x87
// precision and every exception masked, and on leaving puts back the host's control words and
// status flags exactly, dropping whatever flags the plug-in's own work raised. Host code
// (callbacks, window procedures run by a move) is never called inside one.
//
// The settings are written with the units' own instructions: mingw-w64's fesetenv loads the
// x87 environment but leaves MXCSR as it finds it.
#include <cstdint>
#include <type_traits>

#if !defined(__i386__) && !defined(__x86_64__)
#include <cfenv>
#endif

namespace duduve {

#if defined(__i386__) || defined(__x86_64__)
// The 28-byte image that fnstenv writes and fldenv reads: word 0 is the control word,
// word 2 the status word.
struct X87Environment {
  std::uint16_t Words[14];
};
#endif

class PluginFloatSettings {
 public:
  PluginFloatSettings() noexcept;
  ~PluginFloatSettings();
  PluginFloatSettings(const PluginFloatSettings&) = delete;
  PluginFloatSettings& operator=(const PluginFloatSettings&) = delete;

  // How many scopes so far saw the plug-in's own work raise invalid, zero-divide or overflow.
  // Masked inside a scope, these never reach the host; the fuzzers count them as findings.
  static unsigned long ExceptionalScopes() { return exceptionalScopes_; }

 private:
#if defined(__i386__) || defined(__x86_64__)
  X87Environment x87_;
  std::uint32_t mxcsr_ = 0;
#else
  std::fenv_t environment_;
#endif
  static inline unsigned long exceptionalScopes_ = 0;
};

// Gives the host back, when an export returns, exactly the exception flags it had when it
// called: flags raised meanwhile by the plug-in's bookkeeping, or by system code that moved
// a window or made a font for it, are dropped. The control words are left as they are then,
// so a setting that host code changed during the call stands.
class HostFloatFlagsKept {
 public:
  HostFloatFlagsKept() noexcept;
  ~HostFloatFlagsKept();
  HostFloatFlagsKept(const HostFloatFlagsKept&) = delete;
  HostFloatFlagsKept& operator=(const HostFloatFlagsKept&) = delete;

 private:
#if defined(__i386__) || defined(__x86_64__)
  std::uint16_t x87Status_ = 0;
  std::uint32_t mxcsr_ = 0;
#else
  std::fexcept_t flags_;
#endif
};

// Pins `value` in memory at this point, so the compiler cannot move the arithmetic that
// produces or consumes it across the settings' boundaries (it does not model them).
template <typename T>
inline void FloatFence(T& value) {
  static_assert(std::is_trivially_copyable_v<T>);
  asm volatile("" : "+m"(value));
}

// Calls arithmetic(inputs...) under the plug-in's settings and returns its result. Inputs
// are small values, or pointers to what the arithmetic reads; they and the result are fenced,
// so that all of the work happens inside.
template <typename Arithmetic, typename... Inputs>
auto WithPluginFloatSettings(Arithmetic arithmetic, Inputs... inputs) {
  PluginFloatSettings settings;
  (FloatFence(inputs), ...);
  auto result = arithmetic(inputs...);
  FloatFence(result);
  return result;
}

#if defined(__i386__) || defined(__x86_64__)

inline PluginFloatSettings::PluginFloatSettings() noexcept {
  // fnstenv also masks every x87 exception; fnclex then drops the host's pending flags,
  // which fldenv gives back on leaving.
  constexpr std::uint16_t kControlWord = 0x027F;  // nearest, 53-bit, all masked
  constexpr std::uint32_t kMxcsr = 0x1F80;        // nearest, all masked, no flush to zero
  asm volatile(
      "fnstenv %0\n\t"
      "fnclex\n\t"
      "fldcw %2\n\t"
      "stmxcsr %1\n\t"
      "ldmxcsr %3"
      : "=m"(x87_), "=m"(mxcsr_)
      : "m"(kControlWord), "m"(kMxcsr)
      : "memory");
}

inline PluginFloatSettings::~PluginFloatSettings() {
  std::uint16_t status = 0;
  std::uint32_t mxcsr = 0;
  asm volatile("fnstsw %0\n\tstmxcsr %1" : "=m"(status), "=m"(mxcsr) : : "memory");
  constexpr unsigned kExceptional = 0x0D;  // invalid, zero-divide, overflow in both units
  if (((status | mxcsr) & kExceptional) != 0) ++exceptionalScopes_;
  asm volatile("fldenv %0\n\tldmxcsr %1" : : "m"(x87_), "m"(mxcsr_) : "memory");
}

inline HostFloatFlagsKept::HostFloatFlagsKept() noexcept {
  asm volatile("fnstsw %0\n\tstmxcsr %1" : "=m"(x87Status_), "=m"(mxcsr_) : : "memory");
}

inline HostFloatFlagsKept::~HostFloatFlagsKept() {
  // The x87 status word can only be written whole, through the environment image: its
  // flags, stack-fault and error-summary bits go back to what they were.
  constexpr std::uint16_t kStatusFlags = 0x80FF;
  constexpr std::uint32_t kMxcsrFlags = 0x3F;
  X87Environment image;
  std::uint32_t mxcsr = 0;
  asm volatile("fnstenv %0\n\tstmxcsr %1" : "=m"(image), "=m"(mxcsr) : : "memory");
  image.Words[2] =
      static_cast<std::uint16_t>((image.Words[2] & ~kStatusFlags) | (x87Status_ & kStatusFlags));
  mxcsr = (mxcsr & ~kMxcsrFlags) | (mxcsr_ & kMxcsrFlags);
  asm volatile("fldenv %0\n\tldmxcsr %1" : : "m"(image), "m"(mxcsr) : "memory");
}

#else

inline HostFloatFlagsKept::HostFloatFlagsKept() noexcept {
  std::fegetexceptflag(&flags_, FE_ALL_EXCEPT);
}

inline HostFloatFlagsKept::~HostFloatFlagsKept() {
  std::fesetexceptflag(&flags_, FE_ALL_EXCEPT);
}

inline PluginFloatSettings::PluginFloatSettings() noexcept {
  std::feholdexcept(&environment_);
  std::fesetround(FE_TONEAREST);
}

inline PluginFloatSettings::~PluginFloatSettings() {
  if (std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0) ++exceptionalScopes_;
  std::fesetenv(&environment_);
}

#endif

}  // namespace duduve
