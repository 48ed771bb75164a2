#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "macro_fixture.h"

namespace qy::testing {
namespace {

using MacroHostHooks = MacroTest;

TEST_F(MacroHostHooks, StopRequestEndsTheRunQuietly) {
  VariableEntry& x = interp.AddVariable("X", ValueType::kInteger, false);
  host.on_list = [&](Interpreter& in) {
    if (x.IntValue >= 5) in.RequestStop();
  };
  Run("while 1 do x := x + 1; x := 100");
  EXPECT_EQ(x.IntValue, 5);
  EXPECT_TRUE(interp.flags().StopRequested);
}

// Runaway programs end with an error, not a hang or a crash.
TEST_F(MacroHostHooks, LimitsEndRunawayPrograms) {
  interp.AddVariable("X", ValueType::kInteger, false);
  std::string blocks;
  for (int i = 0; i < 2000; ++i) blocks += "begin ";
  for (const std::string& deep : {"x := " + std::string(5000, '(') + "1" + std::string(5000, ')'),
                                  blocks + "x := 1", "x := " + std::string(3000, '-') + "1"}) {
    ExpectMessage(RunError(deep), MacroErrorKind::kNesting, "ブロックまたは式の入れ子が深すぎます");
  }
  Run("x := " + std::string(50, '(') + "7" + std::string(50, ')'));
  EXPECT_EQ(Int("X"), 7);
  VariableEntry& s = interp.AddVariable("S", ValueType::kString, false);
  interp.set_string_limit(1000);
  ExpectMessage(RunError("s := 'ab'; while 1 do s := 'x' + s + s"), MacroErrorKind::kStringLimit,
                "文字列が長すぎます");
  EXPECT_LE(s.StrValue.size(), 1000u);
  interp.set_string_limit(0);
  Run("s := ''; while Length(s) < 5000 do s := s + 'abc'");
  EXPECT_EQ(s.StrValue.size(), 5001u);
  interp.set_step_limit(1000);
  ExpectMessage(RunError("repeat until 0;"), MacroErrorKind::kStepLimit,
                "実行ステップ数が上限を超えたためマクロを中止しました");
  // A run below the limit is untouched: the count restarts with each run.
  Run("var i: integer; begin for i := 1 to 100 do ; end.");
  EXPECT_LT(interp.steps(), 1000u);
}

TEST_F(MacroHostHooks, HostBoundPropertiesAskTheHostAndHearAssignments) {
  VariableEntry& page = interp.AddVariable("PageNo", ValueType::kInteger, false, true, true, 3);
  VariableEntry& title = interp.AddVariable("Title", ValueType::kString, false, true, true, 4);
  VariableEntry& x = interp.AddVariable("X", ValueType::kInteger, false);
  VariableEntry& s = interp.AddVariable("S", ValueType::kString, false);
  host.int_properties["PageNo"] = 42;
  host.str_properties["Title"] = "T";
  Run("x := PageNo + 1; s := Title + Title; PageNo := 7; Title := 'new'");
  EXPECT_EQ(x.IntValue, 43);
  EXPECT_EQ(s.StrValue, "TT");
  EXPECT_EQ(page.IntValue, 7);  // the stored value takes assignments, not reads
  EXPECT_EQ(title.StrValue, "new");
  EXPECT_EQ(host.assigned, (std::vector<std::string>{"PageNo=7", "Title=new"}));
  // A FOR loop notifies the host of its start assignment only.
  host.assigned.clear();
  Run("for PageNo := 1 to 3 do x := x + 1");
  EXPECT_EQ(host.assigned, (std::vector<std::string>{"PageNo=1"}));
  EXPECT_EQ(page.IntValue, 3);
  // A host failure ends the run with the host's message.
  host.fail_property = "PageNo";
  ExpectMessage(RunError("x := PageNo"), MacroErrorKind::kHost, "ページがありません");
}

// A host whose routine changes the tables and tries to change a value.
class MutatingHost : public FakeMacroHost {
 public:
  void CallRoutine(Interpreter& in, CallFrame& frame) override {
    FakeMacroHost::CallRoutine(in, frame);
    if (frame.Routine->Name == "REGISTER" && !in.tables().FindFunction("LATE")) {
      auto late = std::make_unique<RoutineEntry>();
      late->Name = "LATE";
      late->IsFunction = true;
      in.AddRoutine(std::move(late));
      int_results["LATE"] = 40;
      frame.IntResult = 2;
    }
    if (frame.Routine->Name == "POKE") {
      try {
        in.SetInteger(*in.FindVariable("X"), 99);
      } catch (const MacroError& e) {
        refused = e.kind() == MacroErrorKind::kBusy;
      }
    }
  }
  bool refused = false;
};

TEST(MacroHostTables, NamesAddedDuringARunAreSeenAtOnce) {
  MutatingHost host;
  Interpreter in(&host);
  VariableEntry& x = in.AddVariable("X", ValueType::kInteger, false);
  // Within one expression: LATE exists only after REGISTER ran.
  in.Execute("x := Register + Late", {"function Register:Integer;"});
  EXPECT_EQ(x.IntValue, 42);
  in.Execute("x := 1; Poke; x := x + 1", {"procedure Poke;"});
  EXPECT_TRUE(host.refused);
  EXPECT_EQ(x.IntValue, 2);
}

}  // namespace
}  // namespace qy::testing
