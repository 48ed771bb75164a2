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
  std::int64_t I(const std::string& text) { return interp.EvaluateInteger(text); }
  double R(const std::string& text) { return interp.EvaluateReal(text); }
  std::string S(const std::string& text) { return interp.EvaluateString(text); }
  MacroError IError(const std::string& text) {
    try {
      interp.EvaluateInteger(text);
    } catch (const MacroError& e) {
      return e;
    }
    ADD_FAILURE() << text;
    return MacroError(MacroErrorKind::kHost, "");
  }
};

TEST_F(MacroExpression, IntegerPrecedenceAndUnaryOperators) {
  EXPECT_EQ(I("2 + 3 * 4"), 14);
  EXPECT_EQ(I("(2 + 3) * 4"), 20);
  EXPECT_EQ(I("10 - 4 - 3"), 3);
  // A sign applies to a whole term.
  EXPECT_EQ(I("- 2 * 3 + 1"), -5);
  EXPECT_EQ(I("- - 4"), 4);
  // NOT complements the first factor only.
  EXPECT_EQ(I("NOT 0 AND 5"), 5);
  EXPECT_EQ(I("not 5"), -6);
  EXPECT_EQ(I("6 and 3 or 8 xor 1"), 11);
  EXPECT_EQ(I("7 div 2 * 2 + 7 mod 2"), 7);
  EXPECT_EQ(I("1 shl 4 shr 2"), 4);
  EXPECT_EQ(I("$FF"), 255);
}

TEST_F(MacroExpression, ComparisonsGiveMinusOneOrZeroAndChain) {
  EXPECT_EQ(I("1 < 2"), -1);
  EXPECT_EQ(I("2 <= 1"), 0);
  EXPECT_EQ(I("I = 7"), -1);
  EXPECT_EQ(I("I <> 7"), 0);
  EXPECT_EQ(I("1 < 2 < 3"), -1);  // (-1) < 3
  EXPECT_EQ(I("3 > 2 > 1"), 0);   // (-1) > 1
  EXPECT_EQ(I("1 + 1 = 2"), -1);
}

TEST_F(MacroExpression, IntegerArithmeticWrapsAndLiteralsOutOfRangeAreZero) {
  EXPECT_EQ(I("$7FFFFFFFFFFFFFFF + 1"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(I("9223372036854775808"), 0);
  EXPECT_EQ(I("$7FFFFFFFFFFFFFFF * 2"), -2);
  ExpectMessage(IError("1 div 0"), MacroErrorKind::kDivisionByZero, "0 で除算しました");
  EXPECT_EQ(IError("5 mod (2 - 2)").kind(), MacroErrorKind::kDivisionByZero);
}

TEST_F(MacroExpression, FirstTokenChoosesTheType) {
  EXPECT_EQ(I("R + 1"), 2);  // 2.5 rounds to even
  EXPECT_EQ(I("R + 2"), 4);  // 3.5
  ExpectMessage(IError("1 + R"), MacroErrorKind::kVariableType, "変数の型が違います[R]", "R");
  EXPECT_EQ(I("'12'"), 12);
  EXPECT_EQ(I("'x'"), -1);
  EXPECT_EQ(I("'$1F'"), 31);
  EXPECT_EQ(I("S = 'abc'"), -1);
  EXPECT_EQ(I("S = 'abd'"), 0);
  EXPECT_EQ(I("2.5"), 2);
  EXPECT_EQ(I("IntToStr(4) + '2'"), 42);
  // Parenthesised parts choose again.
  EXPECT_EQ(I("(R) * 2"), 4);
  EXPECT_EQ(I("('7') + 1"), 8);
  EXPECT_EQ(I("(S = 'abc') + 2"), 1);
}

TEST_F(MacroExpression, RealExpressions) {
  EXPECT_DOUBLE_EQ(R("7 div 2"), 7.0);  // DIV ends a Real expression
  EXPECT_DOUBLE_EQ(R("(7) / 2"), 3.5);
  EXPECT_DOUBLE_EQ(R("R * 2 + I"), 10.0);
  EXPECT_DOUBLE_EQ(R("$10 + 1"), 1.0);  // a "$" literal is no decimal number
  EXPECT_DOUBLE_EQ(R("- 1.5 * 2"), -3.0);
  EXPECT_DOUBLE_EQ(R("1 < 2"), -1.0);
  EXPECT_DOUBLE_EQ(R("('2.5') * 2"), 5.0);
  EXPECT_DOUBLE_EQ(R("Int(2.75)"), 2.0);
  EXPECT_DOUBLE_EQ(R("Length('abcd') / 8"), 0.5);
  EXPECT_THROW(R("1 / 0"), MacroError);
  EXPECT_THROW(R("1e308 * 10"), MacroError);
  try {
    R("S + 1");
    FAIL();
  } catch (const MacroError& e) {
    ExpectMessage(e, MacroErrorKind::kVariableType, "変数の型が違います[S]", "S");
  }
}

TEST_F(MacroExpression, StringExpressions) {
  EXPECT_EQ(S("'a' + 'b'"), "ab");
  EXPECT_EQ(S("'It''s' #13#10"), "It's\r\n");
  EXPECT_EQ(S("#65 + #$41 + #300"), "AA");
  EXPECT_EQ(S("S + IntToStr(I)"), "abc7");
  EXPECT_EQ(S("('x' + S) + 'y'"), "xabcy");
  EXPECT_EQ(S("'a' < 'b'"), "-1");
  EXPECT_EQ(S("'B' < 'a'"), "-1");         // ordinal and case-sensitive
  EXPECT_EQ(S("'\x82\xA0' > 'z'"), "-1");  // bytes compare unsigned
  EXPECT_EQ(S("S = 'abc' + ''"), "-1");
  EXPECT_EQ(S("Copy(S, 2, 5)"), "bc");
  // A NUL stays inside an expression value; storing cuts there.
  EXPECT_EQ(S("'a' #0 'b'"), std::string("a\0b", 3));
  EXPECT_EQ(I("Length('a' #0 'b')"), 1);
  try {
    S("'a' + 1");
    FAIL();
  } catch (const MacroError& e) {
    ExpectMessage(e, MacroErrorKind::kSyntax, "文法エラーです[1]", "1");
  }
}

TEST_F(MacroExpression, WhateverFollowsAnExpressionIsIgnored) {
  EXPECT_EQ(I("1 2 3"), 1);
  EXPECT_EQ(S("'a' ) junk"), "a");
  EXPECT_DOUBLE_EQ(R("2 then"), 2.0);
}

TEST_F(MacroExpression, OperandErrors) {
  ExpectMessage(IError(")"), MacroErrorKind::kSyntax, "文法エラーです[)]", ")");
  ExpectMessage(IError("1 + 2.5"), MacroErrorKind::kSyntax, "文法エラーです[2.5]", "2.5");
  ExpectMessage(IError("Nope + 1"), MacroErrorKind::kUndefined,
                "変数または関数は定義されていません[Nope]", "Nope");
  // Procedures are not found in expressions.
  ExpectMessage(IError("ProcessMessages"), MacroErrorKind::kUndefined,
                "変数または関数は定義されていません[ProcessMessages]", "ProcessMessages");
  ExpectMessage(IError(""), MacroErrorKind::kSyntax, "文法エラーです[]", "");
  ExpectMessage(IError("1 and not 2"), MacroErrorKind::kUndefined,
                "変数または関数は定義されていません[not]", "not");
  ExpectMessage(IError("#"), MacroErrorKind::kBadCharacterCode, "文字コードが数値ではありません[#]",
                "#");
}

TEST_F(MacroExpression, VariablesHideFunctionsOfTheSameName) {
  interp.AddVariable("Length", ValueType::kInteger, false).IntValue = 99;
  EXPECT_EQ(I("Length"), 99);
  EXPECT_EQ(I("Length + 1"), 100);
}

}  // namespace
}  // namespace qy::testing
