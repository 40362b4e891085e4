#include "core/text_rules.h"

#include <gtest/gtest.h>

namespace duduve {
namespace {

TEST(TextToInt, ReadsSignsBasesAndStopsAtTheFirstForeignCharacter) {
  EXPECT_EQ(TextToInt(L"  -42abc"), -42);
  EXPECT_EQ(TextToInt(L"$1F"), 31);
  EXPECT_EQ(TextToInt(L"%101"), 5);
  EXPECT_EQ(TextToInt(L"+7"), 7);
  EXPECT_EQ(TextToInt(L"12.9"), 12);
  EXPECT_EQ(TextToInt(L"1e3"), 1);
  EXPECT_EQ(TextToInt(L"- 5"), 0);
  EXPECT_EQ(TextToInt(L"abc"), 0);
  EXPECT_EQ(TextToInt(L""), 0);
  EXPECT_EQ(TextToInt(L"-$10"), -16);
  EXPECT_EQ(TextToInt(L"\t 9"), 9);
}

TEST(TextToInt, TakesOneSignAndOnlyTheDigitsOfItsBase) {
  EXPECT_EQ(TextToInt(L"$ff"), 255);
  EXPECT_EQ(TextToInt(L"$aB9g"), 0xAB9);
  EXPECT_EQ(TextToInt(L"%1102"), 6);
  EXPECT_EQ(TextToInt(L"$"), 0);
  EXPECT_EQ(TextToInt(L"%2"), 0);
  EXPECT_EQ(TextToInt(L"--5"), 0);
  EXPECT_EQ(TextToInt(L"+-5"), 0);
  EXPECT_EQ(TextToInt(L"$-5"), 0);
  EXPECT_EQ(TextToInt(L"0800px"), 800);
  EXPECT_EQ(TextToInt(L"\u00A012"), 0);  // only spaces and tabs lead
  EXPECT_EQ(TextToInt(L"\uFF11"), 0);    // a full-width digit is no digit
}

TEST(TextToInt, WrapsBeyondSixtyFourBitsAndKeepsLow32ForFields) {
  EXPECT_EQ(TextToInt(L"18446744073709551617"), 1);  // 2^64 + 1 wraps to 1
  EXPECT_EQ(Low32(TextToInt(L"4294967297")), 1);     // 2^32 + 1
  EXPECT_EQ(Low32(TextToInt(L"4294967295")), -1);
  EXPECT_EQ(TextToInt(L"-9223372036854775808"), INT64_MIN);
}

TEST(TrimSpaces, RemovesOuterSpacesOnly) {
  EXPECT_EQ(TrimSpaces(L"  Logo  "), L"Logo");
  EXPECT_EQ(TrimSpaces(L"\tLogo "), L"\tLogo");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_EQ(TrimSpaces(L"a b"), L"a b");
  EXPECT_EQ(TrimSpaces(L""), L"");
  EXPECT_EQ(TrimSpaces(L"\u00A0x\u00A0"), L"\u00A0x\u00A0");
  EXPECT_EQ(TrimSpaces(L" \r\n "), L"\r\n");
}

TEST(NumberTexts, DecimalAndFourDecimals) {
  EXPECT_EQ(DecimalText(-12), L"-12");
  EXPECT_EQ(DecimalText(0), L"0");
  EXPECT_EQ(FourDecimals(1.5f), L"1.5000");
  EXPECT_EQ(FourDecimals(1366.0f / 1280.0f), L"1.0672");
  EXPECT_EQ(FourDecimals(1024.0f / 1280.0f), L"0.8000");
  EXPECT_EQ(FourDecimals(100.0f / 96.0f), L"1.0417");
}

}  // namespace
}  // namespace duduve
