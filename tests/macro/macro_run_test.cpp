#include "macro/macro_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/codec.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "macro/poor_pascal.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

// Answers one folder and one file choice each (nullopt: cancelled).
class ScriptedChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override {
    return std::exchange(file, std::nullopt);
  }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return std::exchange(folder, std::nullopt);
  }
  std::optional<std::string> folder, file;
};

TEST(MacroTitleLine, FirstLineStartingWithTheMarkerInAnyCase) {
  EXPECT_EQ(MacroTitleLine("//t=Name\r\nbegin end."), "Name");
  EXPECT_EQ(MacroTitleLine(Sjis("//T=見出し ")), Sjis("見出し "));
  for (const char* none : {" //T=x", "// T=x", "begin\r\n//T=late", "//T=", ""}) {
    EXPECT_EQ(MacroTitleLine(none), std::nullopt) << none;
  }
}

class MacroRunTest : public ::testing::Test {
 protected:
  MacroRunTest() : settings(dir.File("quillory.ini")), runner(pascal, settings, prompter, chooser) {
    folder = dir.File("macros");
    std::filesystem::create_directory(folder);
    // The macros report that they ran through a host routine.
    pascal.SetDeclarePrototype({"function Mark(N: Integer): Integer; index 1;"});
    pascal.IntFuncParam = [this](const std::string&, std::int32_t, const MacroArguments& args,
                                 std::int32_t&, std::int64_t&) {
      marks.push_back(static_cast<int>(args.Integer(0)));
      enabled_during_run.push_back(runner.commands_enabled());
    };
    runner.rebuild_menus = [this] { ++rebuilds; };
    runner.set_last_macro_hint = [this](const std::string& hint) { hints.push_back(hint); };
    runner.report_error = [this](const std::string& message) { errors.push_back(message); };
  }

  void WriteMacro(const std::string& name, const std::string& utf8) {
    ASSERT_TRUE(WriteFileAtomic(folder + "/" + name, Sjis(utf8)));
  }
  void SetFolder(const std::string& path) {
    ASSERT_TRUE(settings.SetString(keys::kMacroFold, path));
  }
  void Register(const std::vector<MacroRegistration>& list) {
    ASSERT_TRUE(WriteMacroRegistrations(settings, list));
  }
  std::string SettingsText() { return ReadWholeFile(settings.file().path()).value_or(""); }

  TempDir dir;
  std::string folder;
  Settings settings;
  FakePrompter prompter;
  ScriptedChooser chooser;
  TPoorPascal pascal;
  MacroRunner runner;
  std::vector<int> marks;
  std::vector<bool> enabled_during_run;
  int rebuilds = 0;
  std::vector<std::string> hints;
  std::vector<std::string> errors;
};

TEST_F(MacroRunTest, RegistrationsRoundTripThroughTheSettingsFile) {
  const std::vector<MacroRegistration> list = {{"a.p2s", "First"},
                                               {Sjis("b.p2s"), Sjis("二番目, \"引用\"")}};
  Register(list);
  const std::string text = SettingsText();
  EXPECT_NE(text.find("Count=2\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Menu00=\"\"a.p2s\",\"First\"\"\r\n"), std::string::npos) << text;
  EXPECT_EQ(ReadMacroRegistrations(settings), list);
  runner.ClearRegistrations();
  EXPECT_EQ(settings.GetInt(keys::kMacroCount), 0);
  EXPECT_EQ(settings.file().ReadValue("Macro", keys::MacroMenu(1).key), "");
  EXPECT_TRUE(ReadMacroRegistrations(settings).empty());
  // At most twenty are read, and plain values are taken too.
  ASSERT_TRUE(settings.SetInt(keys::kMacroCount, 25));
  ASSERT_TRUE(settings.SetString(keys::MacroMenu(0), "plain.p2s,Plain"));
  EXPECT_EQ(ReadMacroRegistrations(settings).size(), 20u);
  EXPECT_EQ(ReadMacroRegistration(settings, 0), (MacroRegistration{"plain.p2s", "Plain"}));
  EXPECT_EQ(ReadMacroRegistration(settings, 20), MacroRegistration{});
  EXPECT_EQ(ReadMacroRegistration(settings, -1), MacroRegistration{});
}

TEST_F(MacroRunTest, MissingFolderStartsTheFolderFlowAndCancelEndsTheCommand) {
  SetFolder("");
  EXPECT_EQ(runner.RunChosen(), MacroRunResult::kNotStarted);
  EXPECT_EQ(prompter.Texts().back(), Sjis("収納フォルダを設定しませんでした。"));
}

TEST_F(MacroRunTest, NewFolderClearsRegistrationsBeforeTheRunDialogWithCommandsEnabled) {
  SetFolder(dir.File("gone"));
  Register({{"x.p2s", "X"}});
  WriteMacro("one.p2s", "//T=One\r\nMark(1);");
  chooser.folder = folder;
  bool enabled_in_dialog = false;
  runner.choose_macro = [&](const std::string& in) -> std::optional<std::string> {
    EXPECT_EQ(in, folder);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(settings.GetInt(keys::kMacroCount), 0);
    enabled_in_dialog = runner.commands_enabled();
    return folder + "/one.p2s";
  };
  EXPECT_EQ(runner.RunChosen(), MacroRunResult::kCompleted);
  EXPECT_TRUE(enabled_in_dialog);
  EXPECT_EQ(enabled_during_run, std::vector<bool>{true});
  EXPECT_EQ(settings.GetString(keys::kMacroFold), folder);
  EXPECT_EQ(settings.GetString(keys::MacroMenu(0)), "");
  EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(MacroRunTest, RunChosenDisablesCommandsRemembersTheMacroAndSetsTheHint) {
  SetFolder(folder);
  WriteMacro("titled.p2s", "//T=タイトル\r\nMark(2);");
  chooser.file = folder + "/titled.p2s";
  EXPECT_EQ(runner.RunChosen(), MacroRunResult::kCompleted);
  EXPECT_EQ(enabled_during_run, std::vector<bool>{false});
  EXPECT_TRUE(runner.commands_enabled());
  EXPECT_EQ(settings.GetString(keys::kMacroLastMacro), "titled.p2s");
  EXPECT_EQ(hints,
            std::vector<std::string>{Sjis("直前に実行したQYマクロ \"タイトル\" を実行します。")});
  // Cancelling the dialog runs nothing and enables the commands again.
  EXPECT_EQ(runner.RunChosen(), MacroRunResult::kNotStarted);
  EXPECT_TRUE(runner.commands_enabled());
  EXPECT_EQ(marks, std::vector<int>{2});
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MacroRunTest, RunLastRunsTheRememberedFileOrNothingSilently) {
  SetFolder(folder + "/");  // a folder written with its separator
  EXPECT_EQ(runner.RunLast(), MacroRunResult::kNotStarted);
  ASSERT_TRUE(settings.SetString(keys::kMacroLastMacro, "last.p2s"));
  EXPECT_EQ(LastMacroHint(settings), std::nullopt);
  EXPECT_EQ(runner.RunLast(), MacroRunResult::kNotStarted);
  EXPECT_TRUE(prompter.shown.empty());
  WriteMacro("last.p2s", "Mark(3);");
  EXPECT_EQ(LastMacroHint(settings), Sjis("直前に実行したQYマクロ \"last.p2s\" を実行します。"));
  EXPECT_EQ(runner.RunLast(), MacroRunResult::kCompleted);
  EXPECT_EQ(enabled_during_run, std::vector<bool>{true});
}

TEST_F(MacroRunTest, RunRegisteredChecksFolderEntryAndFile) {
  SetFolder("");
  // The folder check comes first even for an index with no entry.
  EXPECT_EQ(runner.RunRegistered(-1, false), MacroRunResult::kNotStarted);
  EXPECT_EQ(prompter.shown.size(), 1u);
  SetFolder(folder);
  Register({{"reg.p2s", "Reg"}, {"deleted.p2s", "Deleted"}});
  WriteMacro("reg.p2s", "Mark(4);");
  EXPECT_EQ(runner.RunRegistered(-1, false), MacroRunResult::kNotStarted);
  EXPECT_EQ(runner.RunRegistered(5), MacroRunResult::kNotStarted);
  EXPECT_EQ(runner.RunRegistered(1), MacroRunResult::kNotStarted);
  EXPECT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(runner.RunRegistered(0), MacroRunResult::kCompleted);
  EXPECT_EQ(runner.RunRegistered(0, false), MacroRunResult::kCompleted);
  // From the menu the commands are off during the run; from the wizard not.
  EXPECT_EQ(enabled_during_run, (std::vector<bool>{false, true}));
  EXPECT_TRUE(runner.commands_enabled());
}

TEST_F(MacroRunTest, ChangingTheFolderInTheOptionsAsksAndClearsTheRegistrations) {
  SetFolder(folder);
  Register({{"a.p2s", "A"}});
  EXPECT_FALSE(runner.ChangeFolder(folder));
  EXPECT_TRUE(prompter.shown.empty());
  const std::string other = dir.File("other");
  prompter.answers = {Answer::kNo, Answer::kYes};
  EXPECT_FALSE(runner.ChangeFolder(other));
  EXPECT_EQ(settings.GetString(keys::kMacroFold), folder);
  EXPECT_EQ(settings.GetInt(keys::kMacroCount), 1);
  EXPECT_TRUE(runner.ChangeFolder(other));
  EXPECT_EQ(settings.GetString(keys::kMacroFold), other);
  EXPECT_EQ(settings.GetInt(keys::kMacroCount), 0);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(prompter.shown.size(), 3u);
}

TEST_F(MacroRunTest, FailuresAreReportedAndTheCommandsComeBack) {
  EXPECT_EQ(runner.RunFile(folder + "/none.p2s", true), MacroRunResult::kNotStarted);
  EXPECT_EQ(prompter.shown.at(0).kind, "error");
  EXPECT_TRUE(runner.commands_enabled());
  SetFolder(folder);
  Register({{"bad.p2s", "Bad"}});
  WriteMacro("bad.p2s", "Mark(5); 1 := 2;");
  EXPECT_EQ(runner.RunRegistered(0), MacroRunResult::kFailed);
  EXPECT_EQ(marks, std::vector<int>{5});
  EXPECT_EQ(errors, std::vector<std::string>{Sjis("文法エラーです[1]")});
  EXPECT_TRUE(runner.commands_enabled());
  EXPECT_FALSE(runner.running());
}

TEST_F(MacroRunTest, ASecondRunIsRefusedWhileOneIsGoingOn) {
  SetFolder(folder);
  Register({{"outer.p2s", "Outer"}, {"inner.p2s", "Inner"}});
  ASSERT_TRUE(settings.SetString(keys::kMacroLastMacro, "inner.p2s"));
  WriteMacro("outer.p2s", "ProcessMessages; Mark(6);");
  WriteMacro("inner.p2s", "Mark(7);");
  std::vector<MacroRunResult> nested;
  pascal.on_process_messages = [&] {
    if (!runner.running()) return;
    EXPECT_FALSE(runner.commands_enabled());
    nested = {runner.RunRegistered(1), runner.RunLast(), runner.RunChosen()};
  };
  EXPECT_EQ(runner.RunRegistered(0), MacroRunResult::kCompleted);
  EXPECT_EQ(nested, std::vector<MacroRunResult>(3, MacroRunResult::kNotStarted));
  EXPECT_EQ(marks, std::vector<int>{6});
  EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace qy::testing
