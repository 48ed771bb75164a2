#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro_fixture.h"

namespace qy::testing {
namespace {

class MacroStatement : public MacroTest {
 protected:
  // Runs `body` as the block of a program with the usual variables.
  void Body(const std::string& body, const std::vector<std::string>& prototypes = {}) {
    Run("var i, j, n: integer; r: real; s, t: string;\nbegin " + body + " end.", prototypes);
  }
};

TEST_F(MacroStatement, AssignmentsConvertToTheVariablesType) {
  Body("i := 2.5; j := 3.5; n := '$1F'; r := 7 div 2; s := 'It''s' #13#10");
  EXPECT_EQ(Int("i"), 2);
  EXPECT_EQ(Int("j"), 4);
  EXPECT_EQ(Int("n"), 31);
  EXPECT_DOUBLE_EQ(Real("r"), 7.0);
  EXPECT_EQ(Str("s"), "It's\r\n");
  Body("i := '12'; j := 'x'; r := (7) / 2; s := 'a' #0 'b'");
  EXPECT_EQ(Int("i"), 12);
  EXPECT_EQ(Int("j"), -1);
  EXPECT_DOUBLE_EQ(Real("r"), 3.5);
  EXPECT_EQ(Str("s"), "a");  // stored strings end at a NUL
}

TEST_F(MacroStatement, StringAppendInPlaceMatchesTheGeneralRule) {
  Body(
      "s := 'ab'; s := s + s + 'c'; t := 'x'; t := t 'y' #0 'z'; n := 0;\ns := s + 'd' = "
      "'ababcd';");
  EXPECT_EQ(Str("s"), "-1");  // the comparison applies to the whole concatenation
  EXPECT_EQ(Str("t"), "xy");
  Body("s := 'q'; s := s + IntToStr(Length(s)) + s;");
  EXPECT_EQ(Str("s"), "q1q");
}

TEST_F(MacroStatement, IfElseAndTheInnermostIfTakesElse) {
  Body(
      "if 1 < 2 then i := 1 else i := 2; if 0 then j := 1 else j := 2;\nif 1 then if 0 then n := 1 "
      "else n := 2;");
  EXPECT_EQ(Int("i"), 1);
  EXPECT_EQ(Int("j"), 2);
  EXPECT_EQ(Int("n"), 2);
  Body(
      "s := 'abc'; if s = 'abc' then begin i := 5; j := 6 end else begin i := 0 end; if 'nonsense' "
      "then n := 9");
  EXPECT_EQ(Int("i"), 5);
  EXPECT_EQ(Int("j"), 6);
  EXPECT_EQ(Int("n"), 9);  // a non-numeric string is -1, i.e. true
}

TEST_F(MacroStatement, ForLoopsUpDownAndTheirLastValue) {
  Body("n := 0; for i := 1 to 3 do n := n * 10 + i; for j := 10 to 1 do n := 0");
  EXPECT_EQ(Int("n"), 123);
  EXPECT_EQ(Int("i"), 3);
  EXPECT_EQ(Int("j"), 10);  // no pass: keeps the start
  Body("n := 0; for i := 3 downto 1 do begin n := n * 10 + i end");
  EXPECT_EQ(Int("n"), 321);
  EXPECT_EQ(Int("i"), 1);
}

TEST_F(MacroStatement, ForLoopsCountIn32Bits) {
  // The low 32 bits of start and limit are used.
  Body("n := 0; for i := $100000005 to 7 do n := n + 1");
  EXPECT_EQ(Int("n"), 3);
  EXPECT_EQ(Int("i"), 7);
  Body("n := 0; for i := 0 to $FFFFFFFF do n := n + 1");
  EXPECT_EQ(Int("n"), 0);
  EXPECT_EQ(Int("i"), 0);
  // The top of the range ends the loop instead of wrapping around.
  Body("n := 0; for i := 2147483646 to 2147483647 do n := n + 1");
  EXPECT_EQ(Int("n"), 2);
  EXPECT_EQ(Int("i"), 2147483647);
  Body("n := 0; for i := -2147483647 downto $80000000 do n := n + 1");
  EXPECT_EQ(Int("n"), 2);
  EXPECT_EQ(Int("i"), -2147483648LL);
  // The start is stored as assigned (64 bits) when no pass runs.
  Body("for i := $100000009 to 1 do n := 1");
  EXPECT_EQ(Int("i"), 0x100000009LL);
}

TEST_F(MacroStatement, WhileRepeatBreakAndContinue) {
  Body(
      "i := 0; n := 0; while i < 10 do begin i := i + 1; if i mod 2 = 0 then continue; if i > 7 "
      "then break; n := n + i end; j := 0; repeat j := j + 1 until j >= 4;");
  EXPECT_EQ(Int("i"), 9);
  EXPECT_EQ(Int("n"), 1 + 3 + 5 + 7);
  EXPECT_EQ(Int("j"), 4);
  // BREAK ends the innermost loop only.
  Body("n := 0; for i := 1 to 3 do for j := 1 to 3 do begin if j = 2 then break; n := n + 1 end");
  EXPECT_EQ(Int("n"), 3);
  EXPECT_EQ(Int("i"), 3);
  // A REPEAT body always runs once.
  Body("n := 5; repeat n := n + 1 until 1;");
  EXPECT_EQ(Int("n"), 6);
}

TEST_F(MacroStatement, BreakContinueExitOutsideLoopsEndTheProgram) {
  Body("i := 1; break; i := 2");
  EXPECT_EQ(Int("i"), 1);
  Body("i := 1; continue; i := 2");
  EXPECT_EQ(Int("i"), 1);
  Body("for i := 1 to 5 do begin if i = 2 then exit end; j := 7");
  EXPECT_EQ(Int("i"), 2);
  EXPECT_EQ(Int("j"), 0);
}

TEST_F(MacroStatement, CaseRunsEveryMatchingBranch) {
  Body(
      "i := 2; s := ''; case i of 1..3: s := s + 'a'; 2: s := s + 'b'; 4, 5: s := s + 'c'; else s "
      ":= 'none' end;");
  EXPECT_EQ(Str("s"), "ab");
  Body("i := 5; case i of 1: s := 'one'; else s := 'else'; t := 'too' end");
  EXPECT_EQ(Str("s"), "else");
  EXPECT_EQ(Str("t"), "too");
  Body("i := 6; case i + 1 of 1, (2), 7: begin s := 'x'; t := 'y' end; 6..8: n := 1; end");
  EXPECT_EQ(Str("s"), "x");
  EXPECT_EQ(Str("t"), "y");
  EXPECT_EQ(Int("n"), 1);
}

TEST_F(MacroStatement, BlocksAndTheStatementBeforeEnd) {
  Body("begin i := 1; begin j := 2 end end; n := 3");
  EXPECT_EQ(Int("i"), 1);
  EXPECT_EQ(Int("j"), 2);
  EXPECT_EQ(Int("n"), 3);
}

TEST_F(MacroStatement, CallsPassValuesByParameterType) {
  std::vector<std::string> protos = {"procedure Show(A:Integer;B:String;C:Real);",
                                     "function Twice(V:Integer):Integer;"};
  host.int_results["TWICE"] = 84;
  Body(
      "i := 5; Show(i + 1, 'a' + IntToStr(i), (7) / 2); Show((1), Copy('xyz', 2, 1), 2);"
      " n := Twice(i); Twice(1)",
      protos);
  ASSERT_EQ(host.calls.size(), 4u);
  EXPECT_EQ(host.calls[0].name, "SHOW");
  EXPECT_EQ(host.calls[0].args, (std::vector<std::string>{"6", "a5", "3.500000"}));
  EXPECT_EQ(host.calls[1].args, (std::vector<std::string>{"1", "y", "2.000000"}));
  EXPECT_EQ(host.calls[2].args, (std::vector<std::string>{"5"}));
  EXPECT_EQ(Int("n"), 84);
  EXPECT_EQ(Int("i"), 5);
}

TEST_F(MacroStatement, NestedCallsOfOneRoutineKeepTheirOwnArguments) {
  Body("s := Copy('abc', Length(Copy('xyz', 1, 1)), 1)");
  EXPECT_EQ(Str("s"), "a");
}

TEST_F(MacroStatement, NamesHideKeywordsAtTheStartOfAStatement) {
  Run("var If, While: integer; begin If := 3; While := If + 1 end.");
  EXPECT_EQ(Int("If"), 3);
  EXPECT_EQ(Int("While"), 4);
  // Even the program's own BEGIN: the statement becomes an assignment.
  interp.AddVariable("Begin", ValueType::kInteger, false);
  MacroError e = RunError("begin Begin := 1 end.");
  ExpectMessage(e, MacroErrorKind::kSyntax, "文法エラーです[Begin]", "Begin");
}

TEST_F(MacroStatement, ACallMayBeFollowedByAnAssignment) {
  Body("ProcessMessages i := 4");
  EXPECT_EQ(Int("i"), 4);
}

}  // namespace
}  // namespace qy::testing
