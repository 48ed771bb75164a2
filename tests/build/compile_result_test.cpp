// A build succeeds only with a help file made by this run, never touches the
// project file, and a preview that shows nothing leaves nothing behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "build/build_commands.h"
#include "build/build_fakes.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "support/fakes.h"

namespace qy {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class CompileResultTest : public ::testing::Test {
 protected:
  CompileResultTest()
      : settings_(dir_.File("quillory.ini")),
        build_(project_, settings_, prompter_, progress_, runner_, viewer_, debug_view_) {
    project_.NewProject(dir_.path());
    project_.SetProjectFileName(dir_.File("guide.qyp"));
    settings_.SetString(keys::kEtceteraHelpCompiler, "hcrtf.exe");
    runner_.start_result.started = true;
  }
  void WriteOld(const std::string& ext, const std::string& text) {
    ASSERT_TRUE(WriteFileAtomic(dir_.File("guide" + ext), text));
    fs::last_write_time(dir_.File("guide" + ext), fs::file_time_type::clock::now() - 1h);
  }

  testing::TempDir dir_;
  Settings settings_;
  ProjectModel project_;
  testing::FakePrompter prompter_;
  testing::FakeProgress progress_;
  testing::RecordingRunner runner_;
  testing::FakeHelpViewer viewer_;
  testing::FakeDebugView debug_view_;
  BuildCommands build_;
};

TEST_F(CompileResultTest, SuccessNeedsAFreshLogAndAFreshHelpFile) {
  WriteOld(".err", "Microsoft (R) Help Compiler\r\n");
  WriteOld(".hlp", "old help");
  // The compiler fails without writing anything: the old log is not read.
  EXPECT_EQ(build_.RunCompiler().outcome, BuildReport::Outcome::kLogUnreadable);
  EXPECT_FALSE(FileExists(dir_.File("guide.err")));
  // A clean log, but the help file is the one from before.
  runner_.run = [](const std::string& base) { WriteFileAtomic(base + ".err", "clean\r\n"); };
  EXPECT_FALSE(build_.RunCompiler().Succeeded());
  EXPECT_TRUE(viewer_.calls.empty());
  // Both made by this run.
  runner_.run = [](const std::string& base) {
    WriteFileAtomic(base + ".err", "clean\r\n");
    WriteFileAtomic(base + ".hlp", "help");
  };
  EXPECT_TRUE(build_.RunCompiler().Succeeded());
  EXPECT_EQ(viewer_.calls.size(), 1u);

  // A relative project name reaches the compiler as a full path.
  project_.SetProjectFileName("rel/guide.qyp");
  build_.RunCompiler();
  EXPECT_EQ(runner_.starts.back().arguments.back(), fs::current_path().string() + "/rel/guide.hpj");
}

TEST_F(CompileResultTest, GeneratedNamesNeverReplaceTheProjectFile) {
  for (const char* ext : {".rtf", ".hh", ".err"}) {
    const std::string file = dir_.File(std::string("guide") + ext);
    ASSERT_TRUE(WriteFileAtomic(file, "project"));
    project_.SetProjectFileName(file);
    prompter_.shown.clear();
    if (std::string(ext) == ".err") {
      EXPECT_FALSE(build_.RunCompiler().Succeeded());
    } else {
      EXPECT_FALSE(build_.MakeIntermediateFiles());
    }
    build_.DeleteIntermediateFiles();
    EXPECT_EQ(ReadWholeFile(file), "project") << ext;
    EXPECT_EQ(prompter_.shown.front().kind, "error") << ext;
  }
}

TEST_F(CompileResultTest, PreviewThatShowsNothingSaysWhyAndLeavesNoFiles) {
  struct Case {
    const char* compiler;
    bool starts;
    bool makes_help;
    const char* says;
  };
  const Case cases[] = {
      {"hcc.exe", true, true, "は hcrtf.exe ではないため"},
      {"hcrtf.exe", false, true, "ヘルプコンパイラの起動に失敗しました。"},
      {"hcrtf.exe", true, false, "\" は作成されませんでした。"},
  };
  for (const Case& c : cases) {
    settings_.SetString(keys::kEtceteraHelpCompiler, c.compiler);
    runner_.start_result.started = c.starts;
    runner_.run = [&](const std::string& base) {
      if (c.makes_help) WriteFileAtomic(base + ".hlp", "help");
    };
    ASSERT_TRUE(WriteFileAtomic(dir_.File("~qy1.hpj"), "[OPTIONS]\r\n"));
    ASSERT_TRUE(WriteFileAtomic(dir_.File("~qy1.rtf"), "{\\rtf1}"));
    EXPECT_FALSE(build_.RunPreviewCompiler(dir_.path(), "~qy1"));
    EXPECT_NE(prompter_.shown.back().text.find(Sjis(c.says)), std::string::npos) << c.says;
    EXPECT_FALSE(FileExists(dir_.File("~qy1.hpj")));
    EXPECT_FALSE(FileExists(dir_.File("~qy1.rtf")));
  }
  EXPECT_TRUE(viewer_.calls.empty());
}

TEST_F(CompileResultTest, EscapedFieldsReachTheDebugViewAsNotes) {
  project_.MutablePage(1).Title = Sjis("a}b");
  ASSERT_TRUE(build_.MakeIntermediateFiles());
  ASSERT_EQ(debug_view_.entries.size(), 1u);
  EXPECT_EQ(debug_view_.entries[0].kind, DebugKind::kNote);
}

TEST(FindProgramTest, NeverRunsAProgramFromTheCurrentFolder) {
  testing::TempDir dir;
  const std::string name = "qy-probe-compiler";
  ASSERT_TRUE(WriteFileAtomic(dir.File(name), "#!/bin/sh\n"));
  ::chmod(dir.File(name).c_str(), 0755);
  const fs::path was = fs::current_path();
  fs::current_path(dir.path());
  const std::string path = std::getenv("PATH");
  ::setenv("PATH", (path + ":").c_str(), 1);  // an empty entry
  const std::string found = FindProgram(name);
  ::setenv("PATH", (path + ":" + dir.path()).c_str(), 1);
  const std::string on_path = FindProgram(name);
  ::setenv("PATH", path.c_str(), 1);
  fs::current_path(was);
  EXPECT_EQ(found, "");
  EXPECT_EQ(on_path, dir.File(name));
}

}  // namespace
}  // namespace qy
