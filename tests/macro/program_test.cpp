#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro_fixture.h"

namespace qy::testing {
namespace {

using MacroProgram = MacroTest;

TEST_F(MacroProgram, TheThreeProgramForms) {
  VariableEntry& x = interp.AddVariable("X", ValueType::kInteger, false);
  Run("x := 1; x := x + 1");
  EXPECT_EQ(x.IntValue, 2);
  Run("begin\r\n  x := 10; // comment\r\n  x := x * 2\r\nend.");
  EXPECT_EQ(x.IntValue, 20);
  Run("var a: integer;\nbegin a := 4; x := a end.");
  EXPECT_EQ(x.IntValue, 4);
  // Whatever follows the last END of a VAR program is never looked at.
  Run("var a: integer; begin x := 5 end. garbage ( ' ");
  EXPECT_EQ(x.IntValue, 5);
}

TEST_F(MacroProgram, VarSectionDeclaresZeroedTransientVariables) {
  Run("VAR a, b: Integer; r: REAL; s: string;\nbegin a := 3; s := 'x' end.");
  EXPECT_EQ(Int("a"), 3);
  EXPECT_EQ(Int("b"), 0);
  EXPECT_DOUBLE_EQ(Real("r"), 0.0);
  EXPECT_EQ(Str("s"), "x");
  EXPECT_FALSE(Var("a").Permanent);
  EXPECT_FALSE(Var("a").ReadOnly);
  // The next run removes them; Permanent entries stay.
  Run("var c: integer; begin c := 1 end.");
  EXPECT_EQ(interp.FindVariable("a"), nullptr);
  EXPECT_NE(interp.FindVariable("True"), nullptr);
  EXPECT_NE(interp.FindVariable("c"), nullptr);
}

TEST_F(MacroProgram, VarProgramWithoutEnd) {
  // A program that is only a VAR section lacks its block.
  ExpectMessage(RunError("var a: integer;"), MacroErrorKind::kMissingEnd, "endがありません[Block]",
                "Block");
  // The same statements without the VAR section run.
  // (The failed run's VAR variable stays until the next run starts.)
  EXPECT_NE(interp.FindVariable("a"), nullptr);
  VariableEntry& b = interp.AddVariable("B", ValueType::kInteger, false);
  Run("begin b := 1");
  EXPECT_EQ(b.IntValue, 1);
}

TEST_F(MacroProgram, VarSectionErrors) {
  ExpectMessage(RunError("var 1: integer; begin end."), MacroErrorKind::kSyntax,
                "文法エラーです[1]", "1");
  ExpectMessage(RunError("var a integer; begin end."), MacroErrorKind::kSyntax,
                "文法エラーです[integer]", "integer");
  ExpectMessage(RunError("var a: boolean; begin end."), MacroErrorKind::kSyntax,
                "文法エラーです[boolean]", "boolean");
  ExpectMessage(RunError("var a: integer begin end."), MacroErrorKind::kSyntax,
                "文法エラーです[begin]", "begin");
  ExpectMessage(RunError("var a, a: integer; begin end."), MacroErrorKind::kDuplicateVariable,
                "変数/定数名の重複定義[a]", "a");
  ExpectMessage(RunError("var true: integer; begin end."), MacroErrorKind::kDuplicateVariable,
                "変数/定数名の重複定義[true]", "true");
  EXPECT_FALSE(interp.running());
}

TEST_F(MacroProgram, PrototypesAreDeclaredAfreshForEveryRun) {
  std::vector<std::string> protos = {"  procedure Beep(N:Integer);  ", "", "function Ask:String;"};
  host.str_results["ASK"] = "yes";
  Run("var s: string; begin Beep(2); s := Ask end.", protos);
  EXPECT_EQ(Str("s"), "yes");
  Run("var s: string; begin Beep(3) end.", protos);
  ASSERT_EQ(host.calls.size(), 3u);
  EXPECT_EQ(host.calls[2].name, "BEEP");
  // Without the prototype the routine is gone.
  ExpectMessage(RunError("begin Beep(1) end."), MacroErrorKind::kSyntax, "文法エラーです[Beep]",
                "Beep");
}

TEST_F(MacroProgram, RunFlagsAreClearedAtTheStartOfARun) {
  VariableEntry& x = interp.AddVariable("X", ValueType::kInteger, false);
  Run("exit; x := 1");
  EXPECT_TRUE(interp.flags().ExitPending);
  interp.RequestStop();
  Run("x := 2");
  EXPECT_EQ(x.IntValue, 2);
  EXPECT_FALSE(interp.flags().ExitPending);
}

TEST_F(MacroProgram, ErrorsKeepTheTablesAndClearRunning) {
  VariableEntry& x = interp.AddVariable("X", ValueType::kInteger, false);
  bool seen_running = false;
  host.on_list = [&](Interpreter& in) { seen_running = in.running(); };
  EXPECT_THROW(Run("var a: integer; begin a := 5; x := a; a := nope end."), MacroError);
  EXPECT_TRUE(seen_running);
  EXPECT_FALSE(interp.running());
  EXPECT_EQ(x.IntValue, 5);
  EXPECT_EQ(Int("a"), 5);
}

TEST(MacroDeclareRoutine, ParametersTypesAndIndex) {
  SymbolTables t;
  DeclareRoutine(t, "  function Copy(S:String;Start,Length:Integer):String;Index $1001;  ", true);
  RoutineEntry* copy = t.FindFunction("copy");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Name, "COPY");
  EXPECT_TRUE(copy->Permanent);
  EXPECT_TRUE(copy->IsFunction);
  EXPECT_EQ(copy->ResultType, ValueType::kString);
  EXPECT_EQ(copy->Index, 0x1001);
  ASSERT_EQ(copy->Parameters.size(), 3u);
  EXPECT_EQ(copy->Parameters[0].Name, "S");
  EXPECT_EQ(copy->Parameters[0].Type, ValueType::kString);
  EXPECT_EQ(copy->Parameters[2].Name, "LENGTH");
  EXPECT_EQ(copy->Parameters[2].Type, ValueType::kInteger);

  DeclareRoutine(t, "PROCEDURE Beep;", false);
  RoutineEntry* beep = t.FindProcedure("BEEP");
  ASSERT_NE(beep, nullptr);
  EXPECT_FALSE(beep->Permanent);
  EXPECT_EQ(beep->Index, 0);
  EXPECT_TRUE(beep->Parameters.empty());

  DeclareRoutine(t, "procedure P(a:real;);index 12;", false);
  EXPECT_EQ(t.FindProcedure("P")->Index, 12);
  EXPECT_EQ(t.FindProcedure("P")->Parameters[0].Type, ValueType::kReal);
  DeclareRoutine(t, "procedure Q;index x;", false);
  EXPECT_EQ(t.FindProcedure("Q")->Index, 0);
  DeclareRoutine(t, "function E():Integer;", false);
  EXPECT_TRUE(t.FindFunction("E")->Parameters.empty());
}

MacroError DeclareError(SymbolTables& t, const std::string& line) {
  try {
    DeclareRoutine(t, line, false);
  } catch (const MacroError& e) {
    return e;
  }
  ADD_FAILURE() << line;
  return MacroError(MacroErrorKind::kHost, "");
}

TEST(MacroDeclareRoutine, MalformedLines) {
  SymbolTables t;
  for (const char* line :
       {"procedur X;", "procedure\tX;", "function F:Integer", "procedure 1X;", "function F;",
        "function F(A:Integer;", "function F:Boolean;", "procedure ;"}) {
    ExpectMessage(DeclareError(t, line), MacroErrorKind::kDefinition, "定義エラーです");
  }
  ExpectMessage(DeclareError(t, "procedure P(A,A:Integer);"), MacroErrorKind::kDuplicateParameter,
                "仮引数名の重複定義[A]", "A");
  ExpectMessage(DeclareError(t, "procedure P(a:Integer;A:String);"),
                MacroErrorKind::kDuplicateParameter, "仮引数名の重複定義[A]", "A");
  ExpectMessage(DeclareError(t, "procedure P(1:Integer);"), MacroErrorKind::kSyntax,
                "文法エラーです[1]", "1");
  ExpectMessage(DeclareError(t, "procedure P(A Integer);"), MacroErrorKind::kSyntax,
                "文法エラーです[INTEGER]", "INTEGER");
  ExpectMessage(DeclareError(t, "procedure P(A:Boolean);"), MacroErrorKind::kSyntax,
                "文法エラーです[BOOLEAN]", "BOOLEAN");
  DeclareRoutine(t, "procedure Dup;", false);
  ExpectMessage(DeclareError(t, "function dup:Integer;"), MacroErrorKind::kDuplicateRoutine,
                "手続き/関数の重複宣言[DUP]", "DUP");
  EXPECT_EQ(t.FindFunction("P"), nullptr);
  EXPECT_EQ(t.FindProcedure("P"), nullptr);
}

}  // namespace
}  // namespace qy::testing
