#include "macro/builtins.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "core/platform.h"
#include "macro/builtins_dialogs.h"
#include "macro/command_line.h"
#include "poor_pascal_fixture.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

using Builtins = PoorPascalTest;

// Text routines count bytes, clip their positions as the Pascal run time
// does, and change only ASCII letters and blanks: the trail byte of "ア"
// (83 41) is an 'A' that must survive LowerCase.
TEST_F(Builtins, TextRoutines) {
  const std::string kana = Sjis("日本"), a = Sjis("ア"), wide = Sjis("　全角　");
  // clang-format off
  const std::pair<std::string, std::string> strings[] = {
      {"Copy('abcdef', -5, 100)", "abcdef"}, {"Copy('abcdef', 7, 1)", ""},
      {"Copy('abcdef', 2, -1)", ""},         {"Delete('abcdef', 5, 100)", "abcd"},
      {"Delete('abcdef', 0, 2)", "abcdef"},  {"Insert('XY', 'abc', -3)", "XYabc"},
      {"Insert('XY', 'abc', 99)", "abcXY"},  {"LowerCase('" + a + "XY')", a + "xy"},
      {"UpperCase('" + Sjis("ｱbぁ") + "')", Sjis("ｱBぁ")},
      {"Trim(#9' a b '#13#10)", "a b"},      {"TrimLeft(#9' a b ')", "a b "},
      {"Trim('" + wide + "')", wide},        {"IntToStr($7FFFFFFFFFFFFFFF)", "9223372036854775807"},
      {"FloatToStr(1.5)", "1.5"},           {"FloatToStr(StrToFloat('1e20'))", "1E20"},
      {"Nil", ""}};
  const std::pair<std::string, std::int64_t> integers[] = {
      {"Pos('bc', 'abcbc')", 2},            {"Pos('', 'abc')", 0},
      {"Length('" + kana + "')", 4},
      {"Pos('" + Sjis("本") + "', '" + kana + "')", 3},
      {"StrToInt('99999999999999999999')", 0},  // not the -1 of an assignment
      {"Round(3.5)", 4},                    {"Trunc(-2.7)", -2},
      {"Trunc(-9223372036854775808.0)", INT64_MIN},
      {"True", -1},                         {"False", 0}};
  // Bytes compare unsigned and case-sensitively: only the sign counts.
  const std::pair<std::string, int> compares[] = {
      {"'abc', 'abc'", 0}, {"'abc', 'abd'", -1}, {"'b', 'abc'", 1}, {"'ab', 'abc'", -1},
      {"'a', 'A'", 1},     {"'" + kana + "', 'z'", 1}};
  const std::pair<const char*, double> reals[] = {
      {"StrToFloat('-0.25')", -0.25}, {"StrToFloat('x1')", 0.0}, {"Frac(-2.75)", -0.75},
      {"Int(-2.75)", -2.0}};
  // clang-format on
  for (const auto& [expr, value] : strings) EXPECT_EQ(Str(expr), value) << expr;
  for (const auto& [expr, value] : integers) EXPECT_EQ(Int(expr), value) << expr;
  for (const auto& [args, sign] : compares) {
    const std::int64_t order = Int("CompareStr(" + args + ")");
    EXPECT_EQ((order > 0) - (order < 0), sign) << args;
  }
  for (const auto& [expr, value] : reals) EXPECT_DOUBLE_EQ(Real(expr), value) << expr;
  // Values outside the 64-bit range are the run time's overflow, not garbage.
  for (const char* call : {"Trunc(1e19)", "Trunc(-1e19)", "Round(1e300)"}) {
    EXPECT_EQ(RunError(std::string("var Z: Integer; begin Z := ") + call + " end.").kind(),
              MacroErrorKind::kOverflow)
        << call;
  }
}

TEST(FloatToStrGeneral, FifteenDigitsAndScientificBeyondThem) {
  // clang-format off
  const std::pair<double, const char*> cases[] = {
      {0.0, "0"},                        {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.333333333333333"},  {2.0 / 3.0, "0.666666666666667"},     {1e15, "1E15"},
      {123456789012345.0, "123456789012345"},  {123456789012345678.0, "1.23456789012346E17"},
      {0.0001, "0.0001"},                {0.000015, "1.5E-5"}, {-1e-300, "-1E-300"},
      {INFINITY, "INF"},                 {NAN, "NAN"}};
  // clang-format on
  for (const auto& [value, text] : cases) EXPECT_EQ(FloatToStrGeneral(value), text) << text;
}

TEST_F(Builtins, ConstantsAndIsDefine) {
  EXPECT_EQ(RunError("Nil := 'x'").kind(), MacroErrorKind::kReadOnly);
  EXPECT_EQ(Int("IsDefine('quillory')"), 0);
  ppa.SetDefine({"Quillory", "QY160"});
  EXPECT_EQ(Int("IsDefine('quillory') + IsDefine('qy160')"), -2);
  EXPECT_EQ(Int("IsDefine('X') + IsDefine('')"), 0);
}

TEST_F(Builtins, PointerRoutinesAreDeclaredWithoutAnOperation) {
  for (const char* call : {"PtrToStr(1)", "IntToPtr(1)", "FloatToPtr(1.0)", "StrToPtr('a')",
                           "PtrToInt(1)", "PtrToFloat(1)"}) {
    EXPECT_EQ(RunError(call).kind(), MacroErrorKind::kNoBuiltinFunction) << call;
  }
}

// ---- Dialogs ----------------------------------------------------------------

class ScriptedDialogs : public MacroDialogs {
 public:
  int MessageBox(const std::string& text, const std::string& caption,
                 std::uint32_t flags) override {
    seen.push_back(text + "|" + caption + "|" + std::to_string(flags));
    return 6;
  }
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& default_value) override {
    seen.push_back(caption + "|" + prompt + "|" + default_value);
    return answer;
  }
  std::vector<std::string> seen;
  std::optional<std::string> answer;
};

TEST_F(Builtins, DialogsGiveTheTextOrTheButtonCode) {
  // Without dialogs no box shows: the default text and 0.
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), "def");
  EXPECT_EQ(Int("MessageBox('t', 'c', 0)"), 0);
  ScriptedDialogs dialogs;
  ppa.set_dialogs(&dialogs);
  dialogs.answer = Sjis("入力");
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), Sjis("入力"));
  dialogs.answer = std::nullopt;  // cancelled
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), "def");
  dialogs.answer = "";  // OK on an emptied field is an empty text, not the default
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), "");
  EXPECT_EQ(Int("MessageBox('t', 'c', $100000024)"), 6);
  EXPECT_EQ(dialogs.seen.back(), "t|c|36");  // low 32 bits of the flags
  EXPECT_EQ(dialogs.seen[0], "c|p|def");
}

TEST_F(Builtins, PrompterDialogsMapButtonsAndAnswers) {
  FakePrompter prompter;
  PrompterDialogs adapter(prompter);
  ppa.set_dialogs(&adapter);
  // MB_OK: IDOK, MB_YESNO: IDNO, MB_OKCANCEL and MB_YESNOCANCEL: IDCANCEL,
  // abort/retry/ignore: IDABORT or IDIGNORE, retry/cancel: IDRETRY.
  const struct {
    const char* flags;
    Answer answer;
    std::int64_t result;
  } answers[] = {{"0", Answer::kOk, 1},     {"4 + 32", Answer::kNo, 7}, {"1", Answer::kCancel, 2},
                 {"3", Answer::kCancel, 2}, {"2", Answer::kCancel, 3},  {"2", Answer::kNo, 5},
                 {"5", Answer::kOk, 4}};
  for (const auto& a : answers) {
    prompter.answers = {a.answer};
    EXPECT_EQ(Int(std::string("MessageBox('t', 'c', ") + a.flags + ")"), a.result) << a.flags;
  }
  EXPECT_EQ(prompter.shown[1].buttons, Buttons::kYesNo);
  // A prompter has no input box: InputBox counts as cancelled.
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), "def");
}

// ---- Programs ---------------------------------------------------------------

// Records each start as "program|argument|...|wait" and each open as
// "target|parameters".
class RecordingRunner : public ProcessRunner {
 public:
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string&, bool wait) override {
    std::string line = program;
    for (const std::string& argument : arguments) line += "|" + argument;
    started.push_back(line + (wait ? "|wait" : ""));
    return {start_ok, exit_code, ""};
  }
  bool ShellOpen(const std::string& target, const std::string& parameters) override {
    opened.push_back(target + "|" + parameters);
    return open_ok;
  }
  std::vector<std::string> started, opened;
  bool start_ok = true, open_ok = true;
  int exit_code = 0;
};

TEST_F(Builtins, ExecAndShellGoToTheRunner) {
  RecordingRunner runner;
  ppa.set_process_runner(&runner);
  runner.exit_code = -1;
  EXPECT_EQ(Int("Exec('C:\\Program Files\\x.exe', 'a \"b c\" d\\\"e', True)"), 4294967295);
  EXPECT_EQ(Int("Exec('p', '', 1)"), -1);  // only -1 means wait
  EXPECT_EQ(runner.started,
            (std::vector<std::string>{"C:\\Program Files\\x.exe|a|b c|d\"e|wait", "p"}));
  runner.start_ok = false;
  EXPECT_EQ(Int("Exec('p', '', True)"), 0);

  EXPECT_GT(Int("Shell('" + Sjis("説明.txt") + "', '/x y')"), 32);
  EXPECT_EQ(runner.opened, (std::vector<std::string>{Sjis("説明.txt") + "|/x y"}));
  runner.open_ok = false;
  const std::int64_t failed = Int("Shell('missing', '')");
  EXPECT_GT(failed, 0);
  EXPECT_LE(failed, 32);
}

TEST(WindowsCommandLine, SplitsLikeCommandLineToArgvW) {
  using V = std::vector<std::string>;
  // The program part ends at the next quote, backslashes and all; a quote
  // doubled right after a closing one is a literal quote.
  // clang-format off
  const std::pair<const char*, V> cases[] = {
      {"", V{}},                       {"prog  a\tb ", V{"prog", "a", "b"}},
      {"\"C:\\a b\\\" x", V{"C:\\a b\\", "x"}},   {"\"a b\"c d", V{"a b", "c", "d"}},
      {"\"\" x", V{"", "x"}},           {"p \"a b\" c", V{"p", "a b", "c"}},
      {"p a\"b c\"d", V{"p", "ab cd"}}, {"p \"\"", V{"p", ""}},
      {"p a\\b c\\\\", V{"p", "a\\b", "c\\\\"}},      {"p a\\\"b", V{"p", "a\"b"}},
      {"p a\\\\\"b c\"", V{"p", "a\\b c"}},   {"p a\\\\\\\"b", V{"p", "a\\\"b"}},
      {"p \"a\"\"b\" c", V{"p", "a\"b c"}}, {"p \"unclosed arg", V{"p", "unclosed arg"}}};
  // clang-format on
  for (const auto& [line, args] : cases) EXPECT_EQ(SplitWindowsCommandLine(line), args) << line;
}

TEST_F(Builtins, SleepWaitsOnlyForPositiveCounts) {
  std::vector<long long> waits;
  ppa.sleep = [&](std::chrono::milliseconds ms) { waits.push_back(ms.count()); };
  // -1 would be "for ever" on Windows; $100000000 has no low bits at all.
  Run("Sleep(30); Sleep(-1); Sleep($100000000); Sleep(0); Sleep($7FFFFFFF)");
  EXPECT_EQ(waits, (std::vector<long long>{30, 0x7FFFFFFF}));
}

}  // namespace
}  // namespace qy::testing
