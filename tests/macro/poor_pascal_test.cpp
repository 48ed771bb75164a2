#include <cstdint>
#include <string>
#include <vector>

#include "poor_pascal_fixture.h"

namespace qy::testing {
namespace {

using Component = PoorPascalTest;

// "NAME index A=I1;B=Sx;" for a host routine event.
std::string Describe(const std::string& name, std::int32_t index, const MacroArguments& args) {
  std::string out = name + " " + std::to_string(index) + " ";
  for (std::size_t i = 0; i < args.size(); ++i) {
    out += args.Name(i) + "=";
    if (args.Type(i) == ValueType::kReal) out += "R" + std::to_string(args.Real(i));
    if (args.Type(i) == ValueType::kString) out += "S" + std::string(args.String(i));
    if (args.Type(i) == ValueType::kInteger) out += "I" + std::to_string(args.Integer(i));
    out += ";";
  }
  return out;
}

// ---- Host routines ----------------------------------------------------------

TEST_F(Component, HostRoutinesRaiseTheEventOfTheirKind) {
  ppa.SetDeclarePrototype({
      "function GetPageTitle(Index: Integer; Suffix: string): string; index $1401;",
      "function GetPageCount: Integer; index $1302;",
      "function Scale(X: Real): Real; index $77;",
      "  procedure Note(Text: string; Level: Integer);  ",
      "",
  });
  std::vector<std::string> log;
  ppa.StrFuncParam = [&](const std::string& name, std::int32_t index, const MacroArguments& args,
                         std::int32_t&, std::string& result) {
    log.push_back("S " + Describe(name, index, args));
    result += "Title" + std::string(args.String(1));
  };
  ppa.IntFuncParam = [&](const std::string& name, std::int32_t index, const MacroArguments& args,
                         std::int32_t&, std::int64_t& result) {
    log.push_back("I " + Describe(name, index, args));
    result += 12;
  };
  ppa.RealFuncParam = [&](const std::string& name, std::int32_t index, const MacroArguments& args,
                          std::int32_t&, double& result) {
    log.push_back("R " + Describe(name, index, args));
    result = args.Real(0) * 2;
  };
  ppa.ProcParam = [&](const std::string& name, std::int32_t index, const MacroArguments& args,
                      std::int32_t&) { log.push_back("P " + Describe(name, index, args)); };
  Run("var T: String; N: Integer; X: Real; begin "
      "T := GetPageTitle(GetPageCount - 1, '!'); N := GetPageCount; X := Scale(1.25); "
      "Note('a' + 'b', 3) end.");
  EXPECT_EQ(Var("T").StrValue, "Title!");
  EXPECT_EQ(Var("N").IntValue, 12);
  EXPECT_DOUBLE_EQ(Var("X").RealValue, 2.5);
  EXPECT_EQ(log, (std::vector<std::string>{
                     "I GETPAGECOUNT 4866 ",
                     "S GETPAGETITLE 5121 INDEX=I11;SUFFIX=S!;",
                     "I GETPAGECOUNT 4866 ",
                     "R SCALE 119 X=R1.250000;",
                     "P NOTE 0 TEXT=Sab;LEVEL=I3;",
                 }));
}

TEST_F(Component, ErrorCodeEndsTheRunWithTheErrorProcMessage) {
  ppa.SetDeclarePrototype({"function Fails(N: Integer): Integer; index $4401;"});
  ppa.IntFuncParam = [](const std::string&, std::int32_t, const MacroArguments& args,
                        std::int32_t& err, std::int64_t& result) {
    result = 1;
    if (args.Integer(0) < 0) err = static_cast<std::int32_t>(args.Integer(0));
  };
  ppa.ErrorProc = [&](std::int32_t code, std::string& message) {
    message = "code " + std::to_string(code);
  };
  ppa.AddIntegerVariable("After", false, 0);
  Run("After := Fails(1)");
  const MacroError e = RunError("After := Fails(-7); After := 99");
  EXPECT_EQ(e.kind(), MacroErrorKind::kHost);
  EXPECT_EQ(e.message(), "code -7");
  EXPECT_EQ(Var("After").IntValue, 1);
  EXPECT_FALSE(ppa.Running());
}

TEST_F(Component, PrototypeDeclarationErrorsEndTheRun) {
  // A built-in's name is taken, and the run ends with the clash.
  ppa.SetDeclarePrototype({"function Copy(S: string): string;"});
  EXPECT_EQ(RunError("").token(), "COPY");
  // Two host lines of one name clash too; the run's prototypes are entered
  // afresh each time, so a correct list runs again afterwards.
  ppa.SetDeclarePrototype({"procedure P;", "function p: Integer;"});
  EXPECT_EQ(RunError("").kind(), MacroErrorKind::kDuplicateRoutine);
  ppa.SetDeclarePrototype({"procedure P;"});
  ppa.AddPrototype("function Q: Integer;");
  Run("P; P");
  EXPECT_NE(ppa.interpreter().tables().FindFunction("Q"), nullptr);
}

// ---- Host variables and properties ------------------------------------------

TEST_F(Component, HostVariablesOutliveTheRunAndRaiseNoEvents) {
  int events = 0;
  ppa.IntObjParam = [&](auto&&...) { ++events; };
  ppa.StrObjParam = [&](auto&&...) { ++events; };
  ppa.AddIntegerVariable("Count", false, 5);
  ppa.AddIntegerVariable("Limit", true, 10);
  ppa.AddStringVariable("Greeting", "hi", false);
  ppa.AddStringVariable("Fixed", "abc", true);
  Run("var Local: Integer; begin Count := Count + Limit; Greeting := Greeting + Fixed end.");
  Run("Count := Count + 1");
  EXPECT_EQ(Var("Count").IntValue, 16);
  EXPECT_EQ(Var("Greeting").StrValue, "hiabc");
  EXPECT_EQ(events, 0);
  EXPECT_EQ(ppa.interpreter().FindVariable("Local"), nullptr);
  EXPECT_EQ(RunError("Limit := 1").kind(), MacroErrorKind::kReadOnly);
  EXPECT_EQ(RunError("Fixed := ''").kind(), MacroErrorKind::kReadOnly);
  // Names are caseless, and constants are taken too.
  for (const char* taken : {"count", "Nil"}) {
    EXPECT_EQ(ErrorFrom([&] { ppa.AddStringVariable(taken, "", false); }, taken).kind(),
              MacroErrorKind::kDuplicateVariable);
  }
}

// The property rules themselves are in host_test; here the events: the
// stored value arrives with a read, a write is stored before the host hears
// of it, a failed write is ignored, a failed read ends the run.
TEST_F(Component, PropertiesRaiseTheEventsOfTheirType) {
  ppa.AddIntegerProperty("SelStart", false, 0x9103, 4);
  ppa.AddStringProperty("Text", "stored", 0x9202, false);
  std::vector<std::string> log;
  ppa.IntObjParam = [&](const std::string& name, std::int32_t id, std::uint8_t mode,
                        std::int32_t& err, std::int64_t& value) {
    log.push_back(name + " " + std::to_string(id) + " " + std::to_string(mode) + " " +
                  std::to_string(value));
    if (mode == kPropertyRead) value += 36;
    err = value > 100 ? -1 : 0;
  };
  ppa.StrObjParam = [&](const std::string& name, std::int32_t id, std::uint8_t mode, std::int32_t&,
                        std::string& value) {
    log.push_back(name + " " + std::to_string(id) + " " + std::to_string(mode) + " " + value);
  };
  ppa.ErrorProc = [](std::int32_t code, std::string& message) {
    message = "code " + std::to_string(code);
  };
  Run("var A: Integer; S: String; begin A := SelStart; SelStart := 99; S := Text; "
      "Text := 'new' end.");
  EXPECT_EQ(Var("A").IntValue, 40);
  EXPECT_EQ(Var("S").StrValue, "stored");  // a host that does not answer
  EXPECT_EQ(log, (std::vector<std::string>{"SelStart 37123 0 4", "SelStart 37123 1 99",
                                           "Text 37378 0 stored", "Text 37378 1 new"}));
  const MacroError e = RunError("var A: Integer; begin A := 1; A := SelStart end.");
  EXPECT_EQ(e.message(), "code -1");
  EXPECT_EQ(Var("A").IntValue, 1);
}

// ---- Runs, Pause and stopping -------------------------------------------------

TEST_F(Component, SourceLinesJoinAndEveryRunStartsAfresh) {
  ppa.SetSource(
      std::vector<std::string>{"var i: Integer;", "begin", "  i := 3 // note", "  + 4", "end."});
  EXPECT_EQ(ppa.Source(), "var i: Integer;\r\nbegin\r\n  i := 3 // note\r\n  + 4\r\nend.");
  ppa.Execute();
  EXPECT_EQ(Var("I").IntValue, 7);
  // No run inside a run.
  ppa.SetDeclarePrototype({"procedure Again;"});
  ppa.ProcParam = [&](auto&&...) { ppa.Execute(); };
  EXPECT_EQ(RunError("Again").kind(), MacroErrorKind::kBusy);
  EXPECT_FALSE(ppa.Running());
}

TEST_F(Component, PauseWaitsForResumeWhilePumpingAndStopEndsIt) {
  ppa.AddIntegerVariable("Step", false, 0);
  int pause_events = 0;
  int pumps_while_paused = 0;
  ppa.PauseProc = [&] { pause_events += ppa.Paused(); };
  // Without a pump nothing could resume: Pause returns at once (a hang in
  // the CLI otherwise).
  Run("Pause; Step := 2");
  EXPECT_EQ(Var("Step").IntValue, 2);
  ppa.set_pump_interval(std::chrono::milliseconds(1));
  ppa.on_process_messages = [&] {
    if (!ppa.Paused()) return;
    EXPECT_EQ(Var("Step").IntValue, 1);  // the statement before Pause ran
    if (++pumps_while_paused == 3) ppa.Resume();
  };
  Run("Step := 1; Pause; Step := 3");
  EXPECT_EQ(pause_events, 2);
  EXPECT_EQ(pumps_while_paused, 3);
  EXPECT_EQ(Var("Step").IntValue, 3);
  EXPECT_FALSE(ppa.Paused());
  // Stop while paused ends the run quietly; the next run is not stopped.
  ppa.on_process_messages = [&] {
    if (ppa.Paused()) ppa.Stop();
  };
  Run("Step := 1; Pause; Step := 2; while 1 do Step := 3");
  EXPECT_EQ(Var("Step").IntValue, 1);
  EXPECT_FALSE(ppa.Paused() || ppa.Running());
  Run("Step := 4");
  EXPECT_EQ(Var("Step").IntValue, 4);
}

TEST_F(Component, ThePumpIsThrottledAndCanStopAnEndlessLoop) {
  int pumps = 0;
  ppa.on_process_messages = [&] { ++pumps; };
  ppa.set_pump_interval(std::chrono::hours(1));
  Run("var i: Integer; begin for i := 1 to 100000 do begin end end.");
  EXPECT_EQ(pumps, 0);
  Run("var i: Integer; begin for i := 1 to 5 do ProcessMessages end.");
  EXPECT_EQ(pumps, 5);
  ppa.set_pump_interval(std::chrono::milliseconds(0));
  ppa.on_process_messages = [&] {
    if (++pumps == 3) ppa.Stop();
  };
  pumps = 0;
  Run("var N: Integer; begin while 1 do N := N + 1; N := -1 end.");
  EXPECT_EQ(pumps, 3);
  EXPECT_GT(Var("N").IntValue, 0);
}

// The component hands its step limit to the interpreter (host_test checks
// the limits themselves; without this the CLI's bounded run would hang).
TEST_F(Component, StepLimitReachesTheInterpreter) {
  ppa.set_step_limit(1000);
  EXPECT_EQ(RunError("while 1 do ;").kind(), MacroErrorKind::kStepLimit);
}

}  // namespace
}  // namespace qy::testing
