// Every message of the interpreter's error table, raised by a program, with
// its exact text and the token it quotes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro_fixture.h"

namespace qy::testing {
namespace {

class MacroErrorTable : public MacroTest {
 protected:
  MacroErrorTable() {
    interp.AddVariable("X", ValueType::kInteger, false);
    interp.AddVariable("R", ValueType::kReal, false);
    interp.AddVariable("S", ValueType::kString, false);
  }
};

TEST_F(MacroErrorTable, EveryMessageWithItsToken) {
  using K = MacroErrorKind;
  const struct {
    const char* source;
    MacroErrorKind kind;
    const char* message;  // UTF-8; the token is what it quotes in [...]
  } cases[] = {
      {"1 := 2", K::kSyntax, "文法エラーです[1]"},
      {"x := 1; 'a'", K::kSyntax, "文法エラーです['a']"},
      {"y := 1", K::kSyntax, "文法エラーです[y]"},
      {"x = 1", K::kSyntax, "文法エラーです[=]"},
      {"x :=", K::kSyntax, "文法エラーです[]"},
      {"s := Copy 'a'", K::kSyntax, "文法エラーです['a']"},
      {"Show(1, 2)", K::kSyntax, "文法エラーです[,]"},
      {"if x = 0 x := 1", K::kSyntax, "文法エラーです[if]"},
      {"for x := 1 do x := 2", K::kSyntax, "文法エラーです[for]"},     // no TO
      {"for x 1 to 2 do ;", K::kSyntax, "文法エラーです[for]"},        // no :=
      {"for y := 1 to 2 do ;", K::kSyntax, "文法エラーです[for]"},     // not a variable
      {"for r := 1 to 2 do ;", K::kSyntax, "文法エラーです[for]"},     // not Integer
      {"for True := 1 to 2 do ;", K::kSyntax, "文法エラーです[for]"},  // read-only
      {"for x := 1 to 2 x := 3", K::kSyntax, "文法エラーです[for]"},   // no DO
      {"while x < 3 x := 1", K::kSyntax, "文法エラーです[while]"},
      {"for x y := 1 to 2 do ;", K::kSyntax, "文法エラーです[y]"},  // the start's assignment
      {"s := x", K::kVariableType, "変数の型が違います[x]"},
      {"s := Length('a')", K::kResultType, "関数の戻り値の型が違います[Length]"},
      {"x := 1 + IntToStr(2)", K::kResultType, "関数の戻り値の型が違います[IntToStr]"},
      {"s := Show", K::kUndefined, "変数または関数は定義されていません[Show]"},
      {"x := (1 + 2", K::kMissingRightParen, "右括弧がありません"},
      {"s := ('a'", K::kMissingRightParen, "右括弧がありません"},
      {"r := (1.5", K::kMissingRightParen, "右括弧がありません"},
      {"x := PtrToInt(1)", K::kNoBuiltinFunction, "未宣言の組み込み関数です[PTRTOINT]"},
      {"Nothing", K::kNoBuiltinProcedure, "未宣言の組み込み手続きです[NOTHING]"},
      {"case x x := 1", K::kMissingOf, "ofがありません[case]"},
      {"case x of 1 x := 1", K::kBadExpression, "式が不正です[case]"},
      {"case x of 0: x := 1;", K::kMissingEnd, "endがありません[case]"},
      // A branch that is no BEGIN…END block must end with ";".
      {"case x of 0: x := 1 end", K::kMissingEnd, "endがありません[case]"},
      {"True := 0", K::kReadOnly, "読取専用オブジェクトには代入できません[True]"},
      {"var x: integer; begin end.", K::kDuplicateVariable, "変数/定数名の重複定義[x]"},
      {"var a: integer; begin a := 1", K::kMissingEnd, "endがありません[Block]"},
      {"x := 1 div 0", K::kDivisionByZero, "0 で除算しました"},
      {"r := 1 / 0", K::kDivisionByZero, "0 で除算しました"},
      {"r := 1e308 * 10", K::kOverflow, "数値が範囲を超えました"},
      {"s := #", K::kBadCharacterCode, "文字コードが数値ではありません[#]"},
      // Operands: the first one chooses the type; procedures and a NOT that
      // does not start a factor are not found.
      {"x := 1 + r", K::kVariableType, "変数の型が違います[r]"},
      {"r := s + 1", K::kVariableType, "変数の型が違います[s]"},
      {"s := 'a' + 1", K::kSyntax, "文法エラーです[1]"},
      {"x := )", K::kSyntax, "文法エラーです[)]"},
      {"x := 1 + 2.5", K::kSyntax, "文法エラーです[2.5]"},
      {"x := Nope + 1", K::kUndefined, "変数または関数は定義されていません[Nope]"},
      {"x := ProcessMessages", K::kUndefined,
       "変数または関数は定義されていません[ProcessMessages]"},
      {"x := 1 and not 2", K::kUndefined, "変数または関数は定義されていません[not]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const std::string message = c.message;
    const std::size_t open = message.rfind('[');
    const std::string token =
        open == std::string::npos ? "" : message.substr(open + 1, message.size() - open - 2);
    ExpectMessage(RunError(c.source, {"procedure Show(A:Integer);"}), c.kind, message, token);
  }
}

TEST_F(MacroErrorTable, ErrorsArriveWhenTheRunGetsThere) {
  // Parts never run are never checked, and earlier statements take effect.
  Run("if 0 then 1 2 3 else x := 4");
  EXPECT_EQ(Int("X"), 4);
  EXPECT_THROW(Run("x := 5; x := x + nope; x := 6"), MacroError);
  EXPECT_EQ(Int("X"), 5);
  // The FOR start assignment runs before a missing DO is found.
  EXPECT_THROW(Run("for x := 9 to 10 x := 1"), MacroError);
  EXPECT_EQ(Int("X"), 9);
  // CASE branches before a malformed one run first.
  EXPECT_THROW(Run("case 1 of 1: x := 7; 2 x end"), MacroError);
  EXPECT_EQ(Int("X"), 7);
}

}  // namespace
}  // namespace qy::testing
