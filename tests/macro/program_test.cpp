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
  // The next run removes them; Permanent entries stay.
  Run("var c: integer; begin c := 1 end.");
  EXPECT_EQ(interp.FindVariable("a"), nullptr);
  EXPECT_NE(interp.FindVariable("True"), nullptr);
  EXPECT_NE(interp.FindVariable("c"), nullptr);
}

TEST_F(MacroProgram, VarSectionErrors) {
  const struct {
    const char* source;
    MacroErrorKind kind;
    const char* token;
  } cases[] = {
      // A program that is only a VAR section lacks its block.
      {"var a: integer;", MacroErrorKind::kMissingEnd, "Block"},
      {"var 1: integer; begin end.", MacroErrorKind::kSyntax, "1"},
      {"var a integer; begin end.", MacroErrorKind::kSyntax, "integer"},
      {"var a: boolean; begin end.", MacroErrorKind::kSyntax, "boolean"},
      {"var a: integer begin end.", MacroErrorKind::kSyntax, "begin"},
      {"var a, a: integer; begin end.", MacroErrorKind::kDuplicateVariable, "a"},
      {"var true: integer; begin end.", MacroErrorKind::kDuplicateVariable, "true"},
  };
  for (const auto& c : cases) {
    const MacroError e = RunError(c.source);
    EXPECT_EQ(e.kind(), c.kind) << c.source;
    EXPECT_EQ(e.token(), c.token) << c.source;
    EXPECT_FALSE(interp.running());
  }
}

TEST_F(MacroProgram, PrototypesAreDeclaredAfreshForEveryRun) {
  std::vector<std::string> protos = {"  procedure Beep(N:Integer);  ", "", "function Ask:String;"};
  host.str_results["ASK"] = "yes";
  Run("var s: string; begin Beep(2); s := Ask end.", protos);
  EXPECT_EQ(Str("s"), "yes");
  Run("var s: string; begin Beep(3) end.", protos);
  EXPECT_EQ(host.calls.size(), 3u);
  // Without the prototype the routine is gone.
  ExpectMessage(RunError("begin Beep(1) end."), MacroErrorKind::kSyntax, "文法エラーです[Beep]",
                "Beep");
}

TEST(MacroDeclareRoutine, ParametersTypesAndIndex) {
  const std::pair<const char*, const char*> cases[] = {
      {"  function Copy(S:String;Start,Length:Integer):String;Index $1001;  ",
       "COPY(S:S;START:I;LENGTH:I;):S 1001 permanent"},
      {"PROCEDURE Beep;", "BEEP() 0"},
      {"procedure P(a:real;);index 12;", "P(A:R;) c"},
      {"procedure Q;index x;", "Q() 0"},
      {"function E():Integer;", "E():I 0"},
  };
  SymbolTables t;
  for (const auto& [line, signature] : cases) {
    const bool permanent = std::string(line).find("Copy") != std::string::npos;
    DeclareRoutine(t, line, permanent);
    const std::string name = std::string(signature).substr(0, std::string(signature).find('('));
    const RoutineEntry* r = t.FindFunction(name) ? t.FindFunction(name) : t.FindProcedure(name);
    ASSERT_NE(r, nullptr) << line;
    EXPECT_EQ(Signature(*r), signature);
  }
}

TEST(MacroDeclareRoutine, MalformedLines) {
  SymbolTables t;
  auto declare_error = [&](const std::string& line) {
    return ErrorFrom([&] { DeclareRoutine(t, line, false); }, line);
  };
  for (const char* line :
       {"procedur X;", "procedure\tX;", "function F:Integer", "procedure 1X;", "function F;",
        "function F(A:Integer;", "function F:Boolean;", "procedure ;"}) {
    ExpectMessage(declare_error(line), MacroErrorKind::kDefinition, "定義エラーです");
  }
  DeclareRoutine(t, "procedure Dup;", false);
  const struct {
    const char* line;
    MacroErrorKind kind;
    const char* token;
  } cases[] = {
      {"procedure P(a:Integer;A:String);", MacroErrorKind::kDuplicateParameter, "A"},
      {"procedure P(1:Integer);", MacroErrorKind::kSyntax, "1"},
      {"procedure P(A Integer);", MacroErrorKind::kSyntax, "INTEGER"},
      {"procedure P(A:Boolean);", MacroErrorKind::kSyntax, "BOOLEAN"},
      {"function dup:Integer;", MacroErrorKind::kDuplicateRoutine, "DUP"},
  };
  for (const auto& c : cases) {
    const MacroError e = declare_error(c.line);
    EXPECT_EQ(e.kind(), c.kind) << c.line;
    EXPECT_EQ(e.token(), c.token) << c.line;
  }
  ExpectMessage(declare_error("procedure P(A,A:Integer);"), MacroErrorKind::kDuplicateParameter,
                "仮引数名の重複定義[A]", "A");
  ExpectMessage(declare_error("procedure Dup;"), MacroErrorKind::kDuplicateRoutine,
                "手続き/関数の重複宣言[DUP]", "DUP");
  EXPECT_EQ(t.FindFunction("P"), nullptr);
  EXPECT_EQ(t.FindProcedure("P"), nullptr);
}

}  // namespace
}  // namespace qy::testing
