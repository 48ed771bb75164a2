// The build commands end to end: the four files, a stand-in compiler run by
// the real process runner, its log in the debug view, and the failure paths.
#include "build/build_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "build/build_fakes.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "platform/posix_process_runner.h"
#include "support/fakes.h"

namespace qy {
namespace {

using namespace std::chrono_literals;
using testing::FakeDebugView;
using testing::FakeHelpViewer;
using testing::FakeProgress;
using testing::FakePrompter;
using testing::RecordingRunner;
using testing::TempDir;

// A stand-in for hcrtf.exe: writes `log` as the help project's .err, a .hlp
// and its own arguments, after a short pause.
std::string WriteFakeCompiler(const std::string& path, const std::string& log) {
  std::string script =
      "#!/bin/sh\n"
      "for last; do :; done\n"
      "base=\"${last%.hpj}\"\n"
      "sleep 0.1\n"
      "printf '%s' '" +
      log +
      "' > \"$base.err\"\n"
      "printf 'LN' > \"$base.hlp\"\n"
      "printf '%s\\n' \"$@\" > \"$base.args\"\n";
  EXPECT_TRUE(WriteFileAtomic(path, script));
  ::chmod(path.c_str(), 0755);
  return path;
}

const std::string kMixedLog =
    "Microsoft (R) Help Compiler\r\n"
    "    HC1002: Note: Using existing phrase table\r\n"
    " Using existing phrase table.\r\n"
    "    HC3025: Warning: guide.rtf : Jump to undefined Topic ID\r\n"
    " Jump to undefined Topic ID: HLP000009.\r\n"
    "    HC1001: Error: missing file\r\n"
    " File not found: pic.bmp.\r\n";

class BuildCommandsTest : public ::testing::Test {
 protected:
  BuildCommandsTest()
      : settings_(dir_.File("quillory.ini"), Environment()),
        runner_([this] { ++runner_pumps_; }, 5ms),
        build_(project_, settings_, prompter_, progress_, runner_, viewer_, debug_view_) {
    project_.NewProject(dir_.path());
    project_.SetProjectFileName(dir_.File("guide.qyp"));
    settings_.SetInt(keys::kCompileReadyTime, 20);
    settings_.SetInt(keys::kCompileReadyNum, 40);
    build_.windows_path = [](const std::string& p) { return "Z:" + p; };
  }
  SettingsEnvironment Environment() {
    SettingsEnvironment env;
    env.program_folder = dir_.path();
    return env;
  }
  void UseCompiler(const std::string& log) {
    settings_.SetString(keys::kEtceteraHelpCompiler,
                        WriteFakeCompiler(dir_.File("hcrtf.exe"), log));
  }
  bool Built(const char* ext) { return FileExists(dir_.File(std::string("guide") + ext)); }

  TempDir dir_;
  Settings settings_;
  ProjectModel project_;
  FakePrompter prompter_;
  FakeProgress progress_;
  int runner_pumps_ = 0;
  PosixProcessRunner runner_;
  FakeHelpViewer viewer_;
  FakeDebugView debug_view_;
  BuildCommands build_;
};

TEST_F(BuildCommandsTest, MakeHelpRunsTheCompilerAndReportsItsLog) {
  UseCompiler(kMixedLog);
  BuildReport report = build_.MakeHelp();
  ASSERT_EQ(report.outcome, BuildReport::Outcome::kAnalysed)
      << ::testing::PrintToString(prompter_.Texts());
  EXPECT_FALSE(report.Succeeded());
  for (const char* ext : {".hpj", ".cnt", ".hh", ".rtf", ".hlp"}) EXPECT_TRUE(Built(ext)) << ext;
  EXPECT_EQ(*ReadWholeFile(dir_.File("guide.args")), "/x\n" + dir_.File("guide.hpj") + "\n");
  EXPECT_GT(runner_pumps_, 0);  // the window stayed responsive during the run
  ASSERT_EQ(debug_view_.entries.size(), 3u);
  EXPECT_EQ(debug_view_.entries[2],
            (DebugEntry{DebugKind::kError, "HC1001", "File not found: pic.bmp."}));
  EXPECT_TRUE(viewer_.calls.empty());

  // A clean run opens the help file.
  UseCompiler("Microsoft (R) Help Compiler\r\n");
  EXPECT_TRUE(build_.MakeHelp().Succeeded());
  EXPECT_EQ(viewer_.calls, std::vector<std::string>{"contents " + dir_.File("guide.hlp")});
}

TEST_F(BuildCommandsTest, CompilerThatDoesNotStartOrWritesNoLogIsReported) {
  settings_.SetString(keys::kEtceteraHelpCompiler, dir_.File("missing/hcrtf.exe"));
  EXPECT_EQ(build_.MakeHelp().outcome, BuildReport::Outcome::kNotStarted);
  for (const char* ext : {".hpj", ".cnt", ".hh", ".rtf"}) EXPECT_TRUE(Built(ext)) << ext;

  settings_.SetString(keys::kEtceteraHelpCompiler, dir_.File("hcrtf.exe"));
  ASSERT_TRUE(WriteFileAtomic(dir_.File("hcrtf.exe"), "#!/bin/sh\nexit 3\n"));
  ::chmod(dir_.File("hcrtf.exe").c_str(), 0755);
  EXPECT_EQ(build_.MakeHelp().outcome, BuildReport::Outcome::kLogUnreadable);
  EXPECT_TRUE(debug_view_.entries.empty());
}

TEST_F(BuildCommandsTest, OnlyHcrtfIsRunAndAWindowsProgramGoesThroughWine) {
  EXPECT_FALSE(IsHelpCompiler("hcrtf.exe.old"));
  RecordingRunner recorder;
  BuildCommands build(project_, settings_, prompter_, progress_, recorder, viewer_, debug_view_);
  build.windows_path = [](const std::string& p) { return "Z:" + p; };
  settings_.SetString(keys::kEtceteraHelpCompiler, dir_.File("hcw.exe"));
  EXPECT_EQ(build.RunCompiler().outcome, BuildReport::Outcome::kSkipped);
  EXPECT_TRUE(recorder.starts.empty());

  const std::string exe = dir_.File("HCRTF.EXE");
  ASSERT_TRUE(WriteFileAtomic(exe, std::string("MZ\x90\0\x03", 5)));
  settings_.SetString(keys::kEtceteraHelpCompiler, exe);
  settings_.SetString(keys::kCompileCommand, "/x /a");
  EXPECT_EQ(build.RunCompiler().outcome, BuildReport::Outcome::kNotStarted);
  EXPECT_EQ(recorder.starts.at(0).program, "wine");
  EXPECT_EQ(recorder.starts[0].arguments,
            (std::vector<std::string>{exe, "/x", "/a", "Z:" + dir_.File("guide.hpj")}));
  EXPECT_EQ(WineDriveZPath("/p/g.hpj"), "Z:\\p\\g.hpj");
}

TEST_F(BuildCommandsTest, WizardWritesOnlyTheChosenFiles) {
  settings_.SetString(keys::kEtceteraHelpCompiler, "none");
  MakeWizardChoices opened = LoadMakeWizardChoices(project_.Header());
  MakeWizardChoices chosen = opened;
  chosen.no_contents_file = chosen.no_help_project = chosen.no_map_header = true;
  build_.MakeHelpWithWizard(chosen, opened);
  EXPECT_TRUE(Built(".rtf"));
  EXPECT_FALSE(Built(".hpj") || Built(".cnt") || Built(".hh"));
  EXPECT_EQ(project_.Header().ProjectOptions.substr(0, 4), "1110");
}

TEST_F(BuildCommandsTest, UnwritableFolderStopsAndDeleteReportsEveryFile) {
  ASSERT_TRUE(WriteFileAtomic(dir_.File("guide.rtf"), "x"));
  ASSERT_TRUE(WriteFileAtomic(dir_.File("guide.cnt"), "x"));
  EXPECT_EQ(build_.DeleteIntermediateFiles(),
            dir_.File("guide.hpj") + " = No\r\n" + dir_.File("guide.rtf") + " = Yes\r\n" +
                dir_.File("guide.hh") + " = No\r\n" + dir_.File("guide.err") + " = No");
  EXPECT_FALSE(Built(".rtf"));
  EXPECT_TRUE(Built(".cnt"));

  project_.SetProjectFileName(dir_.File("no/such/folder/guide.qyp"));
  EXPECT_EQ(build_.MakeHelp().outcome, BuildReport::Outcome::kWriteFailed);
}

TEST_F(BuildCommandsTest, PreviewCompileShowsContextOneAndRemovesItsFiles) {
  UseCompiler("");
  ASSERT_TRUE(WriteFileAtomic(dir_.File("~qy1.hpj"), "[OPTIONS]\r\n"));
  ASSERT_TRUE(WriteFileAtomic(dir_.File("~qy1.rtf"), "{\\rtf1}"));
  ASSERT_TRUE(build_.RunPreviewCompiler(dir_.path(), "~qy1"));
  // The viewer gets the page's context string and its number in the map.
  const std::string context = project_.Page(project_.CurrentPage()).Context;
  EXPECT_EQ(viewer_.calls,
            std::vector<std::string>{"topic " + dir_.File("~qy1.hlp") + ">main " + context + " 1"});
  EXPECT_FALSE(FileExists(dir_.File("~qy1.hpj")));
  EXPECT_FALSE(FileExists(dir_.File("~qy1.rtf")));
}

TEST(PosixProcessRunnerTest, StartsWaitsAndReportsFailures) {
  int pumps = 0;
  PosixProcessRunner runner([&] { ++pumps; }, 2ms);
  EXPECT_EQ(runner.Start("sh", {"-c", "sleep 0.05; exit 7"}, "", true).exit_code, 7);
  EXPECT_GT(pumps, 0);
  EXPECT_FALSE(runner.Start("/nonexistent/program", {}, "", true).started);

  TempDir dir;
  ProcessResult in_dir = runner.Start("sh", {"-c", "pwd > where"}, dir.path(), true);
  ASSERT_TRUE(in_dir.started);
  EXPECT_EQ(*ReadWholeFile(dir.File("where")), dir.path().substr(0, dir.path().size() - 1) + "\n");

  EXPECT_EQ(CaptureOutput("sh", {"-c", "printf 'a b'"}), "a b");
  EXPECT_FALSE(CaptureOutput("sh", {"-c", "exit 1"}));
}

}  // namespace
}  // namespace qy
