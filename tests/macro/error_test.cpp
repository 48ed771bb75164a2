// Every message of the interpreter's error table, raised by a program, with
// its exact text and the token it quotes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro_fixture.h"

namespace qy::testing {
namespace {

struct ErrorCase {
  const char* source;
  MacroErrorKind kind;
  const char* message;  // UTF-8
  const char* token;
};

class MacroErrorTable : public MacroTest {
 protected:
  MacroErrorTable() {
    interp.AddVariable("X", ValueType::kInteger, false);
    interp.AddVariable("R", ValueType::kReal, false);
    interp.AddVariable("S", ValueType::kString, false);
  }
  void Check(const std::vector<ErrorCase>& cases) {
    for (const ErrorCase& c : cases) {
      SCOPED_TRACE(c.source);
      ExpectMessage(RunError(c.source, {"procedure Show(A:Integer);"}), c.kind, c.message, c.token);
    }
  }
};

TEST_F(MacroErrorTable, SyntaxErrors) {
  constexpr auto k = MacroErrorKind::kSyntax;
  Check({
      {"1 := 2", k, "文法エラーです[1]", "1"},
      {"x := 1; 'a'", k, "文法エラーです['a']", "'a'"},
      {"y := 1", k, "文法エラーです[y]", "y"},
      {"x = 1", k, "文法エラーです[=]", "="},
      {"x :=", k, "文法エラーです[]", ""},
      {"s := Copy 'a'", k, "文法エラーです['a']", "'a'"},
      {"s := Copy('a', 1, 1", k, "文法エラーです[]", ""},
      {"Show(1, 2)", k, "文法エラーです[,]", ","},
      {"x := (1 + )", k, "文法エラーです[)]", ")"},
      {"x := 1 + 'a'", k, "文法エラーです['a']", "'a'"},
      {"if x = 0 x := 1", k, "文法エラーです[if]", "if"},
      {"for x := 1 do x := 2", k, "文法エラーです[for]", "for"},     // no TO
      {"for x 1 to 2 do ;", k, "文法エラーです[for]", "for"},        // no :=
      {"for y := 1 to 2 do ;", k, "文法エラーです[for]", "for"},     // not a variable
      {"for r := 1 to 2 do ;", k, "文法エラーです[for]", "for"},     // not Integer
      {"for True := 1 to 2 do ;", k, "文法エラーです[for]", "for"},  // read-only
      {"for x := 1 to 2 x := 3", k, "文法エラーです[for]", "for"},   // no DO
      {"while x < 3 x := 1", k, "文法エラーです[while]", "while"},
      {"for x y := 1 to 2 do ;", k, "文法エラーです[y]", "y"},  // the start text's assignment
  });
}

TEST_F(MacroErrorTable, OperandErrors) {
  Check({
      {"x := 1 + r", MacroErrorKind::kVariableType, "変数の型が違います[r]", "r"},
      {"s := x", MacroErrorKind::kVariableType, "変数の型が違います[x]", "x"},
      {"r := s", MacroErrorKind::kVariableType, "変数の型が違います[s]", "s"},
      {"s := Length('a')", MacroErrorKind::kResultType, "関数の戻り値の型が違います[Length]",
       "Length"},
      {"x := 1 + IntToStr(2)", MacroErrorKind::kResultType, "関数の戻り値の型が違います[IntToStr]",
       "IntToStr"},
      {"r := Copy('a', 1, 1)", MacroErrorKind::kResultType, "関数の戻り値の型が違います[Copy]",
       "Copy"},
      {"x := y + 1", MacroErrorKind::kUndefined, "変数または関数は定義されていません[y]", "y"},
      {"s := Show", MacroErrorKind::kUndefined, "変数または関数は定義されていません[Show]", "Show"},
      {"x := (1 + 2", MacroErrorKind::kMissingRightParen, "右括弧がありません", ""},
      {"s := ('a'", MacroErrorKind::kMissingRightParen, "右括弧がありません", ""},
      {"r := (1.5", MacroErrorKind::kMissingRightParen, "右括弧がありません", ""},
  });
}

TEST_F(MacroErrorTable, BuiltinsWithoutAnOperation) {
  Check({
      {"x := PtrToInt(1)", MacroErrorKind::kNoBuiltinFunction, "未宣言の組み込み関数です[PTRTOINT]",
       "PTRTOINT"},
      {"s := PtrToStr(1)", MacroErrorKind::kNoBuiltinFunction, "未宣言の組み込み関数です[PTRTOSTR]",
       "PTRTOSTR"},
      {"Nothing", MacroErrorKind::kNoBuiltinProcedure, "未宣言の組み込み手続きです[NOTHING]",
       "NOTHING"},
  });
}

TEST_F(MacroErrorTable, CaseErrors) {
  Check({
      {"case x x := 1", MacroErrorKind::kMissingOf, "ofがありません[case]", "case"},
      {"case x of 1 x := 1", MacroErrorKind::kBadExpression, "式が不正です[case]", "case"},
      {"case x of 0: x := 1;", MacroErrorKind::kMissingEnd, "endがありません[case]", "case"},
      // A branch that is no BEGIN…END block must end with ";".
      {"case x of 0: x := 1 end", MacroErrorKind::kMissingEnd, "endがありません[case]", "case"},
  });
}

TEST_F(MacroErrorTable, DeclarationErrors) {
  Check({
      {"True := 0", MacroErrorKind::kReadOnly, "読取専用オブジェクトには代入できません[True]",
       "True"},
      {"var x: integer; begin end.", MacroErrorKind::kDuplicateVariable, "変数/定数名の重複定義[x]",
       "x"},
      {"var a: integer; begin a := 1", MacroErrorKind::kMissingEnd, "endがありません[Block]",
       "Block"},
  });
  // Declaration lines are checked in program_test and poor_pascal_test.
  try {
    interp.AddVariable("x", ValueType::kString, false);
    FAIL();
  } catch (const MacroError& e) {
    ExpectMessage(e, MacroErrorKind::kDuplicateVariable, "変数/定数名の重複定義[x]", "x");
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
