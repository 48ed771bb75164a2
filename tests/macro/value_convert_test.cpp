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
  // Anything that is not a whole number reads as -1; 16 hex digits at most.
  // clang-format off
  const std::pair<const char*, std::int64_t> cases[] = {
      {"12", 12},    {"x", -1},      {"$1F", 31},   {"-$10", -16},  {"  -42", -42},
      {"42 ", -1},   {"", -1},       {"$", -1},     {"0x1F", -1},   {"$10000000000000000", -1},
      {"9223372036854775807", kMax}, {"-9223372036854775808", kMin}, {"9223372036854775808", -1},
      {"$FFFFFFFFFFFFFFFF", -1},     {"$000000000000000000FF", 255}};
  // clang-format on
  for (const auto& [text, value] : cases) EXPECT_EQ(StringToInteger(text), value) << text;
  // Literals in a program are different: out of range gives 0.
  EXPECT_EQ(IntegerLiteralValue("9223372036854775808"), 0);
  EXPECT_EQ(IntegerLiteralValue("$8000000000000000"), kMin);
  EXPECT_EQ(IntegerLiteralValue("$"), 0);
}

TEST(MacroConvert, DecimalNumbers) {
  double v = 0;
  for (auto [text, value] : {std::pair{"1.5e2", 150.0}, {" -.5 ", -0.5}, {"1.", 1.0}}) {
    EXPECT_TRUE(ParseDecimal(text, &v)) << text;
    EXPECT_DOUBLE_EQ(v, value) << text;
  }
  for (const char* bad : {"inf", "nan", "0x10", "1e", "e5", "", ".", "1e999", "$10", "1.5x"}) {
    EXPECT_FALSE(ParseDecimal(bad, &v)) << bad;
  }
  EXPECT_DOUBLE_EQ(StringToReal("abc"), 0.0);
}

TEST(MacroConvert, RoundingAndWrappingIntegerArithmetic) {
  // Each row: a result and what it must be. Rounding halves to even, shifts
  // are logical, DIV and MOD truncate towards zero.
  // clang-format off
  const std::int64_t cases[][2] = {
      {RoundToInteger(2.5), 2},   {RoundToInteger(3.5), 4},       {RoundToInteger(-2.5), -2},
      {RoundToInteger(-3.5), -4}, {RoundToInteger(2.4999), 2},
      {RoundToInteger(-9223372036854775808.0), kMin},
      {WrapAdd(kMax, 1), kMin},   {WrapSub(kMin, 1), kMax},       {WrapMul(kMax, 2), -2},
      {WrapNeg(kMin), kMin},      {IntegerDiv(-7, 2), -3},        {IntegerMod(-7, 2), -1},
      {IntegerMod(7, -2), 1},     {IntegerDiv(kMin, -1), kMin},   {IntegerMod(kMin, -1), 0},
      {ShiftLeft(1, 63), kMin},   {ShiftLeft(1, 64), 0},          {ShiftLeft(1, -1), 0},
      {ShiftRight(-1, 60), 15},   {ShiftRight(-1, 64), 0},        {Low32(0x100000005LL), 5},
      {Low32(0xFFFFFFFFLL), -1}};
  // clang-format on
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i][0], cases[i][1]) << i;
  for (double big : {9223372036854775808.0, -1e19}) {
    try {
      RoundToInteger(big);
      ADD_FAILURE() << big;
    } catch (const MacroError& e) {
      EXPECT_EQ(e.kind(), MacroErrorKind::kOverflow);
    }
  }
  EXPECT_THROW(IntegerMod(1, 0), MacroError);
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
