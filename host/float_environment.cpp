#include "float_environment.h"

#include <cstdio>

namespace standin {

namespace {

constexpr std::uint16_t kX87FlagBits = 0x3F;
constexpr std::uint16_t kX87RoundingBits = 0x0C00;
constexpr std::uint32_t kMxcsrRoundingBits = 0x6000;

// The 28-byte image of fnstenv; word 0 is the control word, word 2 the status word.
struct X87Image {
  std::uint16_t Words[14];
};

}  // namespace

FloatEnvironment WithRounding(FloatEnvironment environment, FloatRounding rounding) {
  const auto mode = static_cast<unsigned>(rounding);
  environment.X87Control =
      static_cast<std::uint16_t>((environment.X87Control & ~kX87RoundingBits) | (mode << 10));
  environment.Mxcsr = (environment.Mxcsr & ~kMxcsrRoundingBits) | (mode << 13);
  return environment;
}

FloatEnvironment ReadFloatEnvironment() {
  std::uint16_t control = 0;
  std::uint16_t status = 0;
  std::uint32_t mxcsr = 0;
  asm volatile("fnstcw %0\n\tfnstsw %1\n\tstmxcsr %2"
               : "=m"(control), "=m"(status), "=m"(mxcsr)
               :
               : "memory");
  return {control, static_cast<std::uint16_t>(status & kX87FlagBits), mxcsr};
}

void WriteFloatEnvironment(const FloatEnvironment& environment) {
  // The status word can only be written whole, through the environment image. Only the
  // flags are set: the error-summary and busy bits are computed by the unit.
  X87Image image;
  asm volatile("fnstenv %0" : "=m"(image) : : "memory");
  image.Words[0] = environment.X87Control;
  image.Words[2] = static_cast<std::uint16_t>((image.Words[2] & ~0x80FF) |
                                              (environment.X87Flags & kX87FlagBits));
  const std::uint32_t mxcsr = environment.Mxcsr;
  asm volatile("fldenv %0\n\tldmxcsr %1" : : "m"(image), "m"(mxcsr) : "memory");
}

std::string Describe(const FloatEnvironment& environment) {
  char text[64];
  std::snprintf(text, sizeof text, "x87 0x%04X flags 0x%02X, MXCSR 0x%04X",
                static_cast<unsigned>(environment.X87Control | 0x40),
                static_cast<unsigned>(environment.X87Flags),
                static_cast<unsigned>(environment.Mxcsr));
  return text;
}

}  // namespace standin
