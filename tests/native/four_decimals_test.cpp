// FourDecimals against the standard library's correctly rounded std::to_chars, over floats
// chosen to hit every rounding case: exact halves at the fourth decimal (the odd multiples of
// 1/32), the floats on either side of them and of every other half, every binary exponent,
// and a fixed random sweep of bit patterns.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/text_rules.h"

namespace duduve {
namespace {

std::wstring ToCharsFourDecimals(float value) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                    std::chars_format::fixed, 4);
  return std::wstring(buffer, result.ptr);
}

float FromBits(std::uint32_t bits) {
  return std::bit_cast<float>(bits);
}

void AddWithNeighbours(std::vector<float>& values, float value) {
  const float infinity = std::numeric_limits<float>::infinity();
  values.push_back(value);
  values.push_back(std::nextafter(value, infinity));
  values.push_back(std::nextafter(value, -infinity));
  values.push_back(-value);
}

// Exact halves: k / 32 with k odd, at small and at the largest magnitudes that still have
// a resolution of 1/32 (below 2^19).
std::vector<float> ExactHalves() {
  std::vector<float> values;
  for (std::int32_t k = 1; k < 2 * 32 * 1024; k += 2) AddWithNeighbours(values, k / 32.0f);
  for (std::int32_t k = (1 << 24) - 20001; k < (1 << 24); k += 2) {
    AddWithNeighbours(values, static_cast<float>(k) / 32.0f);
  }
  return values;
}

// The floats nearest to n + 0.5 ten-thousandths, which are ties only when exact.
std::vector<float> NearHalves() {
  std::vector<float> values;
  for (std::int32_t n = 0; n < 50000; ++n) {
    AddWithNeighbours(values, static_cast<float>((n + 0.5) / 10000.0));
  }
  for (std::int32_t n = 0; n < 5000; ++n) {
    AddWithNeighbours(values, static_cast<float>((n * 3989 + 0.5) / 10000.0));
  }
  return values;
}

// Every power of two from the smallest subnormal to 2^127, the limits, zeros, infinities
// and NaNs of both signs.
std::vector<float> EdgesAndPowers() {
  std::vector<float> values;
  for (int power = -149; power <= 127; ++power) AddWithNeighbours(values, std::ldexp(1.0f, power));
  for (const float value :
       {0.0f, std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
        std::numeric_limits<float>::denorm_min(), 0.00005f, 0.99995f, 9.99995f, 4294967296.0f,
        1e10f, 1e20f, 1e30f}) {
    AddWithNeighbours(values, value);
  }
  for (const std::uint32_t bits :
       {0x7F800000u, 0xFF800000u, 0x7FC00000u, 0xFFC00000u, 0x7F800001u, 0xFFFFFFFFu}) {
    values.push_back(FromBits(bits));
  }
  return values;
}

std::vector<float> RandomBitPatterns() {
  std::mt19937 generator(20261208);
  std::vector<float> values;
  for (int i = 0; i < 150000; ++i) values.push_back(FromBits(generator()));
  // Ordinary magnitudes, where the four decimals carry information.
  std::uniform_real_distribution<float> ordinary(-20.0f, 20.0f);
  for (int i = 0; i < 50000; ++i) values.push_back(ordinary(generator));
  return values;
}

struct Family {
  const char* name;
  std::vector<float> (*make)();
};

const Family kFamilies[] = {
    {"exact halves", ExactHalves},
    {"near halves", NearHalves},
    {"edges and powers of two", EdgesAndPowers},
    {"random bit patterns", RandomBitPatterns},
};

TEST(FourDecimals, EqualsToCharsForEveryFamilyOfFloats) {
  for (const auto& family : kFamilies) {
    const auto values = family.make();
    int mismatches = 0;
    for (const float value : values) {
      const auto expected = ToCharsFourDecimals(value);
      const auto actual = FourDecimals(value);
      if (actual != expected && ++mismatches <= 5) {
        ADD_FAILURE() << family.name << ": bits 0x" << std::hex
                      << std::bit_cast<std::uint32_t>(value) << " gives "
                      << std::string(actual.begin(), actual.end()) << ", to_chars "
                      << std::string(expected.begin(), expected.end());
      }
    }
    EXPECT_EQ(mismatches, 0) << family.name << " (" << values.size() << " floats)";
  }
}

TEST(FourDecimals, RoundsExactHalvesToEvenAndKeepsSignsOfZeroAndNaN) {
  const struct {
    float value;
    const wchar_t* text;
  } cases[] = {
      {0.03125f, L"0.0312"},
      {0.09375f, L"0.0938"},
      {-0.15625f, L"-0.1562"},
      {1.21875f, L"1.2188"},
      {524287.96875f, L"524287.9688"},
      {-0.0f, L"-0.0000"},
      {-0.00001f, L"-0.0000"},
      {0.00005f, L"0.0000"} /* the float lies below the half */,
      {16777216.0f, L"16777216.0000"},
      {std::numeric_limits<float>::max(), L"340282346638528859811704183484516925440.0000"},
      {std::numeric_limits<float>::infinity(), L"inf"},
      {-std::numeric_limits<float>::infinity(), L"-inf"},
      {FromBits(0x7FC00000u), L"nan"},
      {FromBits(0xFFC00000u), L"-nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(FourDecimals(c.value), c.text) << c.text;
}

TEST(FourDecimals, GivesTheSameTextsUnderEveryRoundingMode) {
  std::vector<float> values;
  for (const auto& half : ExactHalves()) {
    if (values.size() < 20000) values.push_back(half);
  }
  std::vector<std::wstring> nearest;
  for (const float value : values) nearest.push_back(FourDecimals(value));
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    int mismatches = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (FourDecimals(values[i]) != nearest[i]) ++mismatches;
    }
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(mismatches, 0) << "rounding mode " << mode;
  }
}

}  // namespace
}  // namespace duduve
