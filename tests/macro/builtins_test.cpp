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

// ---- Text routines ----------------------------------------------------------

TEST_F(Builtins, CopyDeleteInsertClipTheirPositions) {
  EXPECT_EQ(Str("Copy('abcdef', 3, 2)"), "cd");
  EXPECT_EQ(Str("Copy('abcdef', 0, 2)"), "ab");
  EXPECT_EQ(Str("Copy('abcdef', -5, 100)"), "abcdef");
  EXPECT_EQ(Str("Copy('abcdef', 6, 5)"), "f");
  EXPECT_EQ(Str("Copy('abcdef', 7, 1)"), "");
  EXPECT_EQ(Str("Copy('abcdef', 2, -1)"), "");

  EXPECT_EQ(Str("Delete('abcdef', 2, 3)"), "aef");
  EXPECT_EQ(Str("Delete('abcdef', 5, 100)"), "abcd");
  // A start outside the text removes nothing, as the Pascal run time does.
  EXPECT_EQ(Str("Delete('abcdef', 0, 2)"), "abcdef");
  EXPECT_EQ(Str("Delete('abcdef', 7, 2)"), "abcdef");
  EXPECT_EQ(Str("Delete('abcdef', 2, 0)"), "abcdef");

  EXPECT_EQ(Str("Insert('XY', 'abc', 2)"), "aXYbc");
  EXPECT_EQ(Str("Insert('XY', 'abc', -3)"), "XYabc");
  EXPECT_EQ(Str("Insert('XY', 'abc', 99)"), "abcXY");
  EXPECT_EQ(Str("Insert('XY', '', 1)"), "XY");
}

TEST_F(Builtins, PosLengthAndCompareCountBytes) {
  EXPECT_EQ(Int("Pos('x', 'abc')"), 0);
  EXPECT_EQ(Int("Pos('bc', 'abcbc')"), 2);
  EXPECT_EQ(Int("Pos('', 'abc')"), 0);
  const std::string kana = Sjis("日本");
  EXPECT_EQ(Int("Length('" + kana + "')"), 4);
  EXPECT_EQ(Int("Pos('" + Sjis("本") + "', '" + kana + "')"), 3);
  EXPECT_EQ(Int("Length(Nil)"), 0);

  EXPECT_EQ(Int("CompareStr('abc', 'abc')"), 0);
  EXPECT_LT(Int("CompareStr('abc', 'abd')"), 0);
  EXPECT_GT(Int("CompareStr('b', 'abc')"), 0);
  EXPECT_LT(Int("CompareStr('ab', 'abc')"), 0);
  EXPECT_GT(Int("CompareStr('a', 'A')"), 0);  // case counts
  // Bytes compare unsigned: a double-byte lead is above every ASCII byte.
  EXPECT_GT(Int("CompareStr('" + kana + "', 'z')"), 0);
}

TEST_F(Builtins, CaseAndTrimTouchOnlyAsciiLettersAndBlanks) {
  EXPECT_EQ(Str("UpperCase('abC1_z')"), "ABC1_Z");
  EXPECT_EQ(Str("LowerCase('ABc1_Z')"), "abc1_z");
  // The trail byte of "ア" is 0x41 ('A'): it stays, the character survives.
  const std::string a = Sjis("ア");
  ASSERT_EQ(a, "\x83\x41");
  EXPECT_EQ(Str("LowerCase('" + a + "XY')"), a + "xy");
  EXPECT_EQ(Str("UpperCase('" + Sjis("ｱ") + "b" + Sjis("ぁ") + "')"), Sjis("ｱ") + "B" + Sjis("ぁ"));

  EXPECT_EQ(Str("Trim(#9' a b '#13#10)"), "a b");
  EXPECT_EQ(Str("TrimLeft(#9' a b ')"), "a b ");
  EXPECT_EQ(Str("TrimRight(' a b '#10)"), " a b");
  EXPECT_EQ(Str("Trim('   ')"), "");
  EXPECT_EQ(Str("Trim('" + Sjis("　全角　") + "')"), Sjis("　全角　"));  // no ideographic blanks
}

// ---- Conversions ------------------------------------------------------------

TEST_F(Builtins, IntegerAndStringConversions) {
  EXPECT_EQ(Str("IntToStr(-42)"), "-42");
  EXPECT_EQ(Str("IntToStr($7FFFFFFFFFFFFFFF)"), "9223372036854775807");
  EXPECT_EQ(Int("StrToInt('$FF')"), 255);
  EXPECT_EQ(Int("StrToInt(' -17')"), -17);
  EXPECT_EQ(Int("StrToInt('abc')"), 0);
  EXPECT_EQ(Int("StrToInt('')"), 0);
  EXPECT_EQ(Int("StrToInt('99999999999999999999')"), 0);
  EXPECT_DOUBLE_EQ(Real("StrToFloat('1.5e2')"), 150.0);
  EXPECT_DOUBLE_EQ(Real("StrToFloat('-0.25')"), -0.25);
  EXPECT_DOUBLE_EQ(Real("StrToFloat('x1')"), 0.0);
  EXPECT_EQ(Str("FloatToStr(1.5)"), "1.5");
  EXPECT_EQ(Str("FloatToStr(StrToFloat('1e20'))"), "1E20");
}

TEST(FloatToStrGeneral, FifteenDigitsAndScientificBeyondThem) {
  EXPECT_EQ(FloatToStrGeneral(0.0), "0");
  EXPECT_EQ(FloatToStrGeneral(-2.5), "-2.5");
  EXPECT_EQ(FloatToStrGeneral(100.0), "100");
  EXPECT_EQ(FloatToStrGeneral(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStrGeneral(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FloatToStrGeneral(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(FloatToStrGeneral(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStrGeneral(1e15), "1E15");
  EXPECT_EQ(FloatToStrGeneral(123456789012345678.0), "1.23456789012346E17");
  EXPECT_EQ(FloatToStrGeneral(0.0001), "0.0001");
  EXPECT_EQ(FloatToStrGeneral(0.000015), "1.5E-5");
  EXPECT_EQ(FloatToStrGeneral(-1e-300), "-1E-300");
  EXPECT_EQ(FloatToStrGeneral(INFINITY), "INF");
  EXPECT_EQ(FloatToStrGeneral(NAN), "NAN");
}

TEST_F(Builtins, RealRoundingFunctions) {
  EXPECT_EQ(Int("Round(3.5)"), 4);  // halves to even: value_convert_test
  EXPECT_EQ(Int("Trunc(-2.7)"), -2);
  EXPECT_EQ(Int("Trunc(2.7)"), 2);
  EXPECT_DOUBLE_EQ(Real("Frac(-2.75)"), -0.75);
  EXPECT_DOUBLE_EQ(Real("Frac(2.75)"), 0.75);
  EXPECT_DOUBLE_EQ(Real("Int(-2.75)"), -2.0);
  EXPECT_DOUBLE_EQ(Real("Int(2.75)"), 2.0);
  EXPECT_EQ(Int("Trunc(-9223372036854775808.0)"), INT64_MIN);
  // Values outside the 64-bit range are the run time's overflow, not garbage.
  for (const char* call : {"Trunc(1e19)", "Trunc(-1e19)", "Round(1e300)"}) {
    SCOPED_TRACE(call);
    EXPECT_EQ(RunError(std::string("var Z: Integer; begin Z := ") + call + " end.").kind(),
              MacroErrorKind::kOverflow);
  }
}

TEST_F(Builtins, ConstantsAndIsDefine) {
  EXPECT_EQ(Int("True"), -1);
  EXPECT_EQ(Int("False"), 0);
  EXPECT_EQ(Str("Nil"), "");
  EXPECT_EQ(RunError("Nil := 'x'").kind(), MacroErrorKind::kReadOnly);

  EXPECT_EQ(Int("IsDefine('quillory')"), 0);
  ppa.SetDefine({"Quillory", "QY160"});
  EXPECT_EQ(Int("IsDefine('quillory')"), -1);
  EXPECT_EQ(Int("IsDefine('qy160')"), -1);
  EXPECT_EQ(Int("IsDefine('X')"), 0);
  EXPECT_EQ(Int("IsDefine('')"), 0);
}

TEST_F(Builtins, PointerRoutinesAreDeclaredWithoutAnOperation) {
  for (const char* call : {"PtrToStr(1)", "IntToPtr(1)", "FloatToPtr(1.0)", "StrToPtr('a')",
                           "PtrToInt(1)", "PtrToFloat(1)"}) {
    SCOPED_TRACE(call);
    std::string name = std::string(call).substr(0, std::string(call).find('('));
    for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const MacroError direct = RunError(std::string(call));
    EXPECT_EQ(direct.kind(), MacroErrorKind::kNoBuiltinFunction);
    EXPECT_EQ(direct.message(), Sjis("未宣言の組み込み関数です[") + name + "]");
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

TEST_F(Builtins, InputBoxGivesTheTextOrItsDefault) {
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), "def");  // no dialogs at all
  ScriptedDialogs dialogs;
  ppa.set_dialogs(&dialogs);
  dialogs.answer = Sjis("入力");
  EXPECT_EQ(Str("InputBox('" + Sjis("題") + "', 'p', 'def')"), Sjis("入力"));
  dialogs.answer = std::nullopt;
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), "def");
  EXPECT_EQ(dialogs.seen, (std::vector<std::string>{Sjis("題") + "|p|def", "c|p|def"}));
  dialogs.answer = "";  // OK on an emptied field is an empty text, not the default
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), "");
}

TEST_F(Builtins, MessageBoxPassesFlagsAndAnswersWithButtonCodes) {
  EXPECT_EQ(Int("MessageBox('t', 'c', 0)"), 0);  // no dialogs: no box shown
  ScriptedDialogs dialogs;
  ppa.set_dialogs(&dialogs);
  EXPECT_EQ(Int("MessageBox('t', 'c', $100000024)"), 6);
  EXPECT_EQ(dialogs.seen.back(), "t|c|36");  // low 32 bits of the flags

  FakePrompter prompter;
  PrompterDialogs adapter(prompter);
  ppa.set_dialogs(&adapter);
  EXPECT_EQ(Int("MessageBox('t', 'c', 0)"), 1);  // MB_OK -> IDOK
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].buttons, Buttons::kOk);
  EXPECT_EQ(prompter.shown[0].caption, "c");
  prompter.answers = {Answer::kNo};
  EXPECT_EQ(Int("MessageBox('t', 'c', 4 + 32)"), 7);  // MB_YESNO: IDNO
  EXPECT_EQ(prompter.shown.back().buttons, Buttons::kYesNo);
  const struct {
    const char* flags;
    Answer answer;
    std::int64_t result;
  } answers[] = {
      {"1", Answer::kCancel, 2},  // MB_OKCANCEL: IDCANCEL
      {"3", Answer::kCancel, 2},  // MB_YESNOCANCEL: IDCANCEL
      {"2", Answer::kCancel, 3},  // abort/retry/ignore: IDABORT
      {"2", Answer::kNo, 5},      // IDIGNORE
      {"5", Answer::kOk, 4},      // retry/cancel: IDRETRY
  };
  for (const auto& a : answers) {
    prompter.answers = {a.answer};
    EXPECT_EQ(Int(std::string("MessageBox('t', 'c', ") + a.flags + ")"), a.result) << a.flags;
  }
  // A prompter has no input box: InputBox counts as cancelled.
  EXPECT_EQ(Str("InputBox('c', 'p', 'def')"), "def");
}

// ---- Programs ---------------------------------------------------------------

class RecordingRunner : public ProcessRunner {
 public:
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& working_dir, bool wait) override {
    started.push_back({program, arguments, working_dir, wait});
    return {start_ok, exit_code, ""};
  }
  bool ShellOpen(const std::string& target, const std::string& parameters) override {
    opened.push_back(target + "|" + parameters);
    return open_ok;
  }
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
    std::string working_dir;
    bool wait;
  };
  std::vector<Started> started;
  std::vector<std::string> opened;
  bool start_ok = true;
  int exit_code = 0;
  bool open_ok = true;
};

TEST_F(Builtins, ExecHandsTheSplitCommandLineToTheRunner) {
  EXPECT_EQ(Int("Exec('/bin/true', '', True)"), 0);  // no runner: cannot start
  RecordingRunner runner;
  ppa.set_process_runner(&runner);
  runner.exit_code = -1;
  EXPECT_EQ(Int("Exec('C:\\Program Files\\x.exe', 'a \"b c\" d\\\"e', True)"), 4294967295);
  ASSERT_EQ(runner.started.size(), 1u);
  EXPECT_EQ(runner.started[0].program, "C:\\Program Files\\x.exe");
  EXPECT_EQ(runner.started[0].arguments, (std::vector<std::string>{"a", "b c", "d\"e"}));
  EXPECT_EQ(runner.started[0].working_dir, "");
  EXPECT_TRUE(runner.started[0].wait);
  EXPECT_EQ(Int("Exec('p', '', 0)"), -1);
  EXPECT_FALSE(runner.started[1].wait);
  EXPECT_TRUE(runner.started[1].arguments.empty());
  EXPECT_EQ(Int("Exec('p', '', 1)"), -1);  // only -1 means wait
  EXPECT_FALSE(runner.started[2].wait);
  runner.start_ok = false;
  EXPECT_EQ(Int("Exec('p', '', True)"), 0);
}

TEST_F(Builtins, ShellGoesThroughThePlatformsOpenService) {
  EXPECT_EQ(Int("Shell('a.txt', '')"), 0);  // no runner
  RecordingRunner runner;
  ppa.set_process_runner(&runner);
  EXPECT_GT(Int("Shell('" + Sjis("説明.txt") + "', '/x y')"), 32);
  EXPECT_EQ(runner.opened, (std::vector<std::string>{Sjis("説明.txt") + "|/x y"}));
  EXPECT_TRUE(runner.started.empty());
  runner.open_ok = false;
  const std::int64_t failed = Int("Shell('missing', '')");
  EXPECT_GT(failed, 0);
  EXPECT_LE(failed, 32);
}

TEST(WindowsCommandLine, SplitsLikeCommandLineToArgvW) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitWindowsCommandLine(""), V{});
  EXPECT_EQ(SplitWindowsCommandLine("prog"), V{"prog"});
  EXPECT_EQ(SplitWindowsCommandLine("prog  a\tb "), (V{"prog", "a", "b"}));
  // The program part ends at the next quote, backslashes and all.
  EXPECT_EQ(SplitWindowsCommandLine("\"C:\\a b\\\" x"), (V{"C:\\a b\\", "x"}));
  EXPECT_EQ(SplitWindowsCommandLine("\"a b\"c d"), (V{"a b", "c", "d"}));
  EXPECT_EQ(SplitWindowsCommandLine("\"\" x"), (V{"", "x"}));
  EXPECT_EQ(SplitWindowsCommandLine("p \"a b\" c"), (V{"p", "a b", "c"}));
  EXPECT_EQ(SplitWindowsCommandLine("p a\"b c\"d"), (V{"p", "ab cd"}));
  EXPECT_EQ(SplitWindowsCommandLine("p \"\""), (V{"p", ""}));
  EXPECT_EQ(SplitWindowsCommandLine("p a\\b c\\\\"), (V{"p", "a\\b", "c\\\\"}));
  EXPECT_EQ(SplitWindowsCommandLine("p a\\\"b"), (V{"p", "a\"b"}));
  EXPECT_EQ(SplitWindowsCommandLine("p a\\\\\"b c\""), (V{"p", "a\\b c"}));
  EXPECT_EQ(SplitWindowsCommandLine("p a\\\\\\\"b"), (V{"p", "a\\\"b"}));
  // A quote doubled right after a closing one is a literal quote.
  EXPECT_EQ(SplitWindowsCommandLine("p \"a\"\"b\" c"), (V{"p", "a\"b c"}));
  EXPECT_EQ(SplitWindowsCommandLine("p \"unclosed arg"), (V{"p", "unclosed arg"}));
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
