// quillory-cli build and clean on a copy of the sample project, with a
// stand-in help compiler that copies a prepared log.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "core/files.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

const std::string kCli = QY_CLI_PATH;
const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";
const std::string kLogs = std::string(QY_TEST_DATA_DIR) + "/build/compile/";

class BuildCliTest : public ::testing::Test {
 protected:
  BuildCliTest() : project_(dir_.File("sample.qyp")) { EXPECT_TRUE(CopyFile(kSample, project_)); }
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir_.File("quillory.ini")});
    return RunProgram(kCli, args);
  }
  // Configures a stand-in hcrtf.exe that copies `log` to the help project's
  // .err and writes a help file.
  void UseCompiler(const std::string& log) {
    const std::string compiler = dir_.File("hcrtf.exe");
    ASSERT_TRUE(WriteFileAtomic(compiler,
                                "#!/bin/sh\n"
                                "for last; do :; done\n"
                                "base=\"${last%.hpj}\"\n"
                                "cp '" +
                                    kLogs + log +
                                    "' \"$base.err\"\n"
                                    "printf 'LN' > \"$base.hlp\"\n"));
    ::chmod(compiler.c_str(), 0755);
    ASSERT_TRUE(
        WriteFileAtomic(dir_.File("quillory.ini"), "[Etcetera]\r\nHelpCompiler=" + compiler +
                                                       "\r\n"
                                                       "[Compile]\r\nReadyTime=0\r\n"));
  }
  std::string Built(const char* ext) { return dir_.File(std::string("sample") + ext); }

  TempDir dir_;
  std::string project_;
};

TEST_F(BuildCliTest, BuildWritesFourFilesAndCleanDeletesThemAgain) {
  CliRun build = Run({"build", project_});
  ASSERT_EQ(build.exit_code, 0) << build.err;
  for (const char* ext : {".hpj", ".cnt", ".hh", ".rtf"}) {
    EXPECT_TRUE(FileExists(Built(ext))) << ext;
    EXPECT_NE(build.out.find("wrote " + Built(ext)), std::string::npos) << build.out;
  }
  // The help project names its siblings by the project's base name.
  EXPECT_NE(ReadWholeFile(Built(".hpj"))->find(".\\sample.rtf"), std::string::npos);

  CliRun clean = Run({"clean", project_});
  ASSERT_EQ(clean.exit_code, 0) << clean.err;
  EXPECT_EQ(clean.out, Built(".hpj") + " = Yes\n" + Built(".rtf") + " = Yes\n" + Built(".hh") +
                           " = Yes\n" + Built(".err") + " = No\n");
  EXPECT_FALSE(FileExists(Built(".hpj")) || FileExists(Built(".rtf")) || FileExists(Built(".hh")));
  EXPECT_TRUE(FileExists(Built(".cnt")));
  EXPECT_TRUE(FileExists(project_));
}

TEST_F(BuildCliTest, CompileListsTheLogAndFailsOnErrors) {
  UseCompiler("mixed.err");
  CliRun run = Run({"build", project_, "--compile"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.out.find("Note HC1002: Using existing phrase table: sample.ph.\n"
                         "Warning HC3025: Jump to undefined Topic ID: \"HLP000099\" "
                         "(ページ \"はじめに\").\n"
                         "Error HC1001: File not found: logo.bmp.\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("Error 「HC1001」 が発生しています。"), std::string::npos) << run.err;
  EXPECT_EQ(run.out.find("built "), std::string::npos);
}

TEST_F(BuildCliTest, CompileWithOnlyNotesSucceeds) {
  UseCompiler("notes.err");
  CliRun run = Run({"build", "--compile", project_});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Note HC1002: Using existing phrase table: sample.ph.\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("built " + Built(".hlp")), std::string::npos);
}

// The model tests cover a compiler that does not start; a program that is
// not the compiler must not pass for a successful build.
TEST_F(BuildCliTest, AProgramOtherThanTheCompilerFails) {
  ASSERT_TRUE(
      WriteFileAtomic(dir_.File("quillory.ini"), "[Etcetera]\r\nHelpCompiler=/usr/bin/true\r\n"));
  CliRun run = Run({"build", project_, "--compile"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("not hcrtf.exe"), std::string::npos) << run.err;
}

TEST_F(BuildCliTest, UsageErrors) {
  EXPECT_EQ(Run({"build"}).exit_code, 2);
  EXPECT_EQ(Run({"build", project_, "--fast"}).exit_code, 2);
  EXPECT_EQ(Run({"clean"}).exit_code, 2);
  EXPECT_NE(Run({"build", dir_.File("missing.qyp")}).exit_code, 0);
}

}  // namespace
}  // namespace qy::testing
