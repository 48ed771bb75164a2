#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "macro_fixture.h"

namespace qy::testing {
namespace {

class MacroExpression : public MacroTest {
 protected:
  MacroExpression() {
    interp.AddVariable("I", ValueType::kInteger, false).IntValue = 7;
    interp.AddVariable("R", ValueType::kReal, false).RealValue = 1.5;
    interp.AddVariable("S", ValueType::kString, false).StrValue = "abc";
  }
};

// A sign applies to a whole term, NOT to the first factor only; comparisons
// give -1 or 0 and chain; arithmetic wraps and literals out of range are 0;
// the first token chooses the type and a parenthesised part chooses again;
// whatever follows a complete expression is ignored.
TEST_F(MacroExpression, IntegerResults) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  // clang-format off
  const std::pair<const char*, std::int64_t> cases[] = {
      {"2 + 3 * 4", 14},       {"10 - 4 - 3", 3},      {"- 2 * 3 + 1", -5},  {"- - 4", 4},
      {"NOT 0 AND 5", 5},      {"not 5", -6},          {"6 and 3 or 8 xor 1", 11},
      {"7 div 2 * 2 + 7 mod 2", 7},                    {"1 shl 4 shr 2", 4}, {"$FF", 255},
      {"2 <= 1", 0},           {"I = 7", -1},          {"I <> 7", 0},        {"1 < 2 < 3", -1},
      {"3 > 2 > 1", 0},        {"1 + 1 = 2", -1},      {"9223372036854775808", 0},
      {"$7FFFFFFFFFFFFFFF + 1", kMin},
      {"R + 1", 2},            {"R + 2", 4},           {"'12'", 12},         {"'x'", -1},
      {"S = 'abc'", -1},       {"S = 'abd'", 0},       {"2.5", 2},           {"(R) * 2", 4},
      {"IntToStr(4) + '2'", 42},                       {"('7') + 1", 8},     {"(S = 'abc') + 2", 1},
      {"Length('a' #0 'b')", 1},                       {"1 2 3", 1}};
  // clang-format on
  for (const auto& [text, value] : cases) EXPECT_EQ(interp.EvaluateInteger(text), value) << text;
}

TEST_F(MacroExpression, RealAndStringResults) {
  // DIV ends a Real expression, and a "$" literal is no decimal number.
  // clang-format off
  const std::pair<const char*, double> reals[] = {
      {"7 div 2", 7.0},     {"(7) / 2", 3.5},    {"R * 2 + I", 10.0},        {"$10 + 1", 1.0},
      {"- 1.5 * 2", -3.0},  {"1 < 2", -1.0},     {"('2.5') * 2", 5.0},       {"2 then", 2.0},
      {"Length('abcd') / 8", 0.5}};
  // Strings compare by unsigned bytes, case-sensitively; a NUL stays inside
  // an expression value (storing cuts there).
  const std::pair<const char*, std::string> strings[] = {
      {"'It''s' #13#10", "It's\r\n"},  {"#65 + #$41 + #300", "AA"},  {"S + IntToStr(I)", "abc7"},
      {"('x' + S) + 'y'", "xabcy"},    {"'B' < 'a'", "-1"},          {"'\x82\xA0' > 'z'", "-1"},
      {"S = 'abc' + ''", "-1"},        {"Copy(S, 2, 5)", "bc"},      {"'a' ) junk", "a"},
      {"'a' #0 'b'", std::string("a\0b", 3)}};
  // clang-format on
  for (const auto& [text, value] : reals) EXPECT_DOUBLE_EQ(interp.EvaluateReal(text), value);
  for (const auto& [text, value] : strings) EXPECT_EQ(interp.EvaluateString(text), value) << text;
}

TEST_F(MacroExpression, VariablesHideFunctionsOfTheSameName) {
  interp.AddVariable("Length", ValueType::kInteger, false).IntValue = 99;
  EXPECT_EQ(interp.EvaluateInteger("Length + 1"), 100);
}

}  // namespace
}  // namespace qy::testing
