#pragma once
// The calling thread's floating-point settings, as a host's runtime leaves them: the x87
// control word, the x87 exception flags and MXCSR. A host built with Delphi or Free Pascal
// runs with invalid, zero-divide and overflow unmasked (x87 0x1332, MXCSR 0x1900) and the
// x87 at 64-bit precision; a plug-in must neither depend on that nor change it.
#include <cstdint>
#include <string>

namespace standin {

struct FloatEnvironment {
  std::uint16_t X87Control = 0x027F;
  std::uint16_t X87Flags = 0;  // the six exception flags of the x87 status word
  std::uint32_t Mxcsr = 0x1F80;

  // Bit 6 of the x87 control word is reserved and reads as 1.
  friend bool operator==(const FloatEnvironment& a, const FloatEnvironment& b) {
    return (a.X87Control | 0x40) == (b.X87Control | 0x40) && a.X87Flags == b.X87Flags &&
           a.Mxcsr == b.Mxcsr;
  }
};

// The same settings, whatever flags are raised: what code running under them depends on.
inline bool SameSettings(const FloatEnvironment& a, const FloatEnvironment& b) {
  return (a.X87Control | 0x40) == (b.X87Control | 0x40) && (a.Mxcsr & ~0x3Fu) == (b.Mxcsr & ~0x3Fu);
}

// Rounding, as the two fields of both units encode it.
enum class FloatRounding { Nearest = 0, Down = 1, Up = 2, TowardZero = 3 };

// A host's settings with the rounding mode changed in both units.
FloatEnvironment WithRounding(FloatEnvironment environment, FloatRounding rounding);

FloatEnvironment ReadFloatEnvironment();
// Loads the control words and sets the flags exactly as given.
void WriteFloatEnvironment(const FloatEnvironment& environment);
// "x87 0x1332 flags 0x20, MXCSR 0x1900"
std::string Describe(const FloatEnvironment& environment);

}  // namespace standin
