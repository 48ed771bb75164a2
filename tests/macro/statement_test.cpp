#include <gtest/gtest.h>

#include <sstream>
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
  std::string Text(const std::string& name) {
    const VariableEntry& v = Var(name);
    if (v.Type == ValueType::kString) return v.StrValue;
    if (v.Type != ValueType::kReal) return std::to_string(v.IntValue);
    std::ostringstream out;
    out << v.RealValue;
    return out.str();
  }
};

// Each row: a block and the variables it leaves, as text.
TEST_F(MacroStatement, StatementsAndWhatTheyLeave) {
  const struct {
    const char* body;
    std::vector<std::pair<const char*, std::string>> want;
  } cases[] = {
      // Assignments convert to the variable's type; stored strings end at a NUL.
      {"i := 2.5; j := 3.5; n := '$1F'; r := 7 div 2; s := 'It''s' #13#10",
       {{"i", "2"}, {"j", "4"}, {"n", "31"}, {"r", "7"}, {"s", "It's\r\n"}}},
      {"i := '12'; j := 'x'; r := (7) / 2; s := 'a' #0 'b'",
       {{"i", "12"}, {"j", "-1"}, {"r", "3.5"}, {"s", "a"}}},
      // Appending in place follows the general rule: the comparison takes
      // the whole concatenation.
      {"s := 'ab'; s := s + s + 'c'; t := 'x'; t := t 'y' #0 'z'; s := s + 'd' = 'ababcd'",
       {{"s", "-1"}, {"t", "xy"}}},
      {"s := 'q'; s := s + IntToStr(Length(s)) + s", {{"s", "q1q"}}},
      // The innermost IF takes ELSE; a non-numeric string is -1, i.e. true.
      {"if 1 < 2 then i := 1 else i := 2; if 0 then j := 1 else j := 2; "
       "if 1 then if 0 then n := 1 else n := 2",
       {{"i", "1"}, {"j", "2"}, {"n", "2"}}},
      {"if 'abc' = 'abc' then begin i := 5; j := 6 end else begin i := 0 end; "
       "if 'nonsense' then n := 9",
       {{"i", "5"}, {"j", "6"}, {"n", "9"}}},
      // FOR leaves its last value, or the start when no pass runs; it counts
      // in the low 32 bits and stops at the top instead of wrapping.
      {"for i := 1 to 3 do n := n * 10 + i; for j := 10 to 1 do n := 0",
       {{"n", "123"}, {"i", "3"}, {"j", "10"}}},
      {"for i := 3 downto 1 do begin n := n * 10 + i end", {{"n", "321"}, {"i", "1"}}},
      {"for i := $100000005 to 7 do n := n + 1", {{"n", "3"}, {"i", "7"}}},
      {"for i := 0 to $FFFFFFFF do n := n + 1", {{"n", "0"}, {"i", "0"}}},
      {"for i := 2147483646 to 2147483647 do n := n + 1", {{"n", "2"}, {"i", "2147483647"}}},
      {"for i := -2147483647 downto $80000000 do n := n + 1", {{"n", "2"}, {"i", "-2147483648"}}},
      {"for i := $100000009 to 1 do n := 1", {{"i", "4294967305"}, {"n", "0"}}},
      // BREAK ends the innermost loop only; outside loops BREAK, CONTINUE
      // and EXIT end the program.
      {"while i < 10 do begin i := i + 1; if i mod 2 = 0 then continue; if i > 7 then break; "
       "n := n + i end; repeat j := j + 1 until j >= 4",
       {{"i", "9"}, {"n", "16"}, {"j", "4"}}},
      {"for i := 1 to 3 do for j := 1 to 3 do begin if j = 2 then break; n := n + 1 end",
       {{"n", "3"}, {"i", "3"}}},
      {"n := 5; repeat n := n + 1 until 1", {{"n", "6"}}},
      {"i := 1; break; i := 2", {{"i", "1"}}},
      {"i := 1; continue; i := 2", {{"i", "1"}}},
      {"for i := 1 to 5 do begin if i = 2 then exit end; j := 7", {{"i", "2"}, {"j", "0"}}},
      // CASE runs every matching branch; ELSE takes all up to END.
      {"i := 2; case i of 1..3: s := s + 'a'; 2: s := s + 'b'; 4, 5: s := s + 'c'; "
       "else s := 'none' end",
       {{"s", "ab"}}},
      {"case 5 of 1: s := 'one'; else s := 'else'; t := 'too' end", {{"s", "else"}, {"t", "too"}}},
      {"i := 6; case i + 1 of 1, (2), 7: begin s := 'x'; t := 'y' end; 6..8: n := 1; end",
       {{"s", "x"}, {"t", "y"}, {"n", "1"}}},
      // The statement after THEN, ELSE, DO or a CASE label is a whole one,
      // even a REPEAT loop or an empty one.
      {"for i := 1 to 2 do repeat j := j + 1 until j >= 5", {{"j", "6"}}},
      {"if 1 then repeat j := j + 1 until j >= 3 else n := 9", {{"j", "3"}, {"n", "0"}}},
      {"if 0 then n := 9 else repeat j := j + 1 until j >= 4; n := 1", {{"j", "4"}, {"n", "1"}}},
      {"case 2 of 2: repeat j := j + 1 until j = 5; 3: n := 3; end", {{"j", "5"}, {"n", "0"}}},
      {"case 1 of 1: ; 2: n := 2; 3: n := 3; end; j := 1", {{"j", "1"}, {"n", "0"}}},
      {"case 5 of 1: ; else n := 7 end", {{"n", "7"}}},
      {"begin i := 1; begin j := 2 end end; n := 3", {{"i", "1"}, {"j", "2"}, {"n", "3"}}},
      {"s := Copy('abc', Length(Copy('xyz', 1, 1)), 1)", {{"s", "a"}}},
      {"ProcessMessages i := 4", {{"i", "4"}}},  // a call may be followed by an assignment
  };
  for (const auto& c : cases) {
    Body(c.body);
    for (const auto& [name, value] : c.want) EXPECT_EQ(Text(name), value) << c.body << ": " << name;
  }
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
  EXPECT_EQ(host.calls[0].args, (std::vector<std::string>{"6", "a5", "3.500000"}));
  EXPECT_EQ(host.calls[1].args, (std::vector<std::string>{"1", "y", "2.000000"}));
  EXPECT_EQ(host.calls[2].args, (std::vector<std::string>{"5"}));
  EXPECT_EQ(Int("n"), 84);
  EXPECT_EQ(Int("i"), 5);
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

}  // namespace
}  // namespace qy::testing
