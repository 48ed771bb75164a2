#include "macro/value_convert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "macro/macro_error.h"

namespace qy {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(MacroConvert, StringsAsIntegers) {
  EXPECT_EQ(StringToInteger("12"), 12);
  EXPECT_EQ(StringToInteger("x"), -1);
  EXPECT_EQ(StringToInteger("$1F"), 31);
  EXPECT_EQ(StringToInteger("-$10"), -16);
  EXPECT_EQ(StringToInteger("  -42"), -42);
  EXPECT_EQ(StringToInteger("42 "), -1);
  EXPECT_EQ(StringToInteger(""), -1);
  EXPECT_EQ(StringToInteger("$"), -1);
  EXPECT_EQ(StringToInteger("0x1F"), -1);
  EXPECT_EQ(StringToInteger("9223372036854775807"), kMax);
  EXPECT_EQ(StringToInteger("-9223372036854775808"), kMin);
  EXPECT_EQ(StringToInteger("9223372036854775808"), -1);
  EXPECT_EQ(StringToInteger("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(StringToInteger("$000000000000000000FF"), 255);
  EXPECT_EQ(StringToInteger("$10000000000000000"), -1);  // 17 digits: no number
}

TEST(MacroConvert, IntegerLiteralsOutOfRangeGiveZero) {
  EXPECT_EQ(IntegerLiteralValue("9223372036854775808"), 0);
  EXPECT_EQ(IntegerLiteralValue("$8000000000000000"), kMin);
  EXPECT_EQ(IntegerLiteralValue("$"), 0);
  EXPECT_EQ(IntegerLiteralValue("007"), 7);
}

TEST(MacroConvert, DecimalNumbers) {
  double v = 0;
  EXPECT_TRUE(ParseDecimal("1.5e2", &v));
  EXPECT_DOUBLE_EQ(v, 150.0);
  EXPECT_TRUE(ParseDecimal(" -.5 ", &v));
  EXPECT_DOUBLE_EQ(v, -0.5);
  EXPECT_TRUE(ParseDecimal("1.", &v));
  EXPECT_DOUBLE_EQ(v, 1.0);
  for (const char* bad : {"inf", "nan", "0x10", "1e", "e5", "", ".", "1e999", "$10", "1.5x"}) {
    EXPECT_FALSE(ParseDecimal(bad, &v)) << bad;
  }
  EXPECT_DOUBLE_EQ(StringToReal("abc"), 0.0);
  EXPECT_DOUBLE_EQ(StringToReal("2.25"), 2.25);
}

TEST(MacroConvert, RoundingHalvesToEvenAndOverflow) {
  EXPECT_EQ(RoundToInteger(2.5), 2);
  EXPECT_EQ(RoundToInteger(3.5), 4);
  EXPECT_EQ(RoundToInteger(-2.5), -2);
  EXPECT_EQ(RoundToInteger(-3.5), -4);
  EXPECT_EQ(RoundToInteger(2.4999), 2);
  EXPECT_EQ(RoundToInteger(-9223372036854775808.0), kMin);
  try {
    RoundToInteger(9223372036854775808.0);
    FAIL();
  } catch (const MacroError& e) {
    EXPECT_EQ(e.kind(), MacroErrorKind::kOverflow);
  }
  EXPECT_THROW(RoundToInteger(-1e19), MacroError);
}

TEST(MacroConvert, WrappingIntegerArithmetic) {
  EXPECT_EQ(WrapAdd(kMax, 1), kMin);
  EXPECT_EQ(WrapSub(kMin, 1), kMax);
  EXPECT_EQ(WrapMul(kMax, 2), -2);
  EXPECT_EQ(WrapNeg(kMin), kMin);
  EXPECT_EQ(IntegerDiv(-7, 2), -3);
  EXPECT_EQ(IntegerMod(-7, 2), -1);
  EXPECT_EQ(IntegerMod(7, -2), 1);
  EXPECT_EQ(IntegerDiv(kMin, -1), kMin);
  EXPECT_EQ(IntegerMod(kMin, -1), 0);
  EXPECT_THROW(IntegerDiv(1, 0), MacroError);
  EXPECT_THROW(IntegerMod(1, 0), MacroError);
  EXPECT_EQ(ShiftLeft(1, 63), kMin);
  EXPECT_EQ(ShiftLeft(1, 64), 0);
  EXPECT_EQ(ShiftLeft(1, -1), 0);
  EXPECT_EQ(ShiftRight(-1, 60), 15);  // logical
  EXPECT_EQ(ShiftRight(-1, 64), 0);
  EXPECT_EQ(Low32(0x100000005LL), 5);
  EXPECT_EQ(Low32(0xFFFFFFFFLL), -1);
}

TEST(MacroConvert, RealOperationsTheRunTimeRefuses) {
  EXPECT_DOUBLE_EQ(RealDivide(7, 2), 3.5);
  EXPECT_THROW(RealDivide(1, 0), MacroError);
  EXPECT_THROW(RealDivide(0, 0), MacroError);
  EXPECT_THROW(CheckedReal(1e308 * 10), MacroError);
}

TEST(MacroConvert, DecodingStringLiterals) {
  const std::pair<const char*, std::string> cases[] = {
      {"'It''s'", "It's"},          {"''", ""},        {"#65", "A"}, {"#$41", "A"}, {"#300", ""},
      {"#0", std::string(1, '\0')}, {"#0065", "\x06"},  // at most three digits count
      {"'open", "'open"},
  };
  for (const auto& [literal, value] : cases) {
    std::string s = "stale";
    EXPECT_TRUE(DecodeStringLiteral(literal, &s)) << literal;
    EXPECT_EQ(s, value) << literal;
  }
  std::string s;
  EXPECT_FALSE(DecodeStringLiteral("#", &s));
  EXPECT_FALSE(DecodeStringLiteral("#$", &s));
}

}  // namespace
}  // namespace qy
