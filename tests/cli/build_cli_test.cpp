// quillory-cli build and clean on a copy of the sample project, with a
// stand-in help compiler and with the built-in one.
#include <sys/stat.h>

#include "cli_test.h"
#include "support/hlp_reader.h"

namespace qy::testing {
namespace {

const std::string kLogs = std::string(QY_TEST_DATA_DIR) + "/build/compile/";

class BuildCliTest : public CliTest {
 protected:
  BuildCliTest() {
    EXPECT_TRUE(WriteFileAtomic(dir_.File("quillory.ini"), "[Compile]\r\nReadyTime=0\r\n"));
  }
  // Configures a stand-in hcrtf.exe running `script` with the help project
  // last on its command line.
  void UseCompiler(const std::string& script) {
    const std::string compiler = dir_.File("hcrtf.exe");
    ASSERT_TRUE(WriteFileAtomic(
        compiler, "#!/bin/sh\nfor last; do :; done\nbase=\"${last%.hpj}\"\n" + script));
    ::chmod(compiler.c_str(), 0755);
    ASSERT_TRUE(WriteFileAtomic(
        dir_.File("quillory.ini"),
        "[Etcetera]\r\nHelpCompiler=" + compiler + "\r\n[Compile]\r\nReadyTime=0\r\n"));
  }
  std::string Built(const char* ext) { return dir_.File(std::string("sample") + ext); }
};

TEST_F(BuildCliTest, BuildWritesFourFilesAndCleanDeletesThemAgain) {
  CliRun build = Run({"build", project_});
  ASSERT_EQ(build.exit_code, 0) << build.err;
  for (const char* ext : {".hpj", ".cnt", ".hh", ".rtf"}) {
    EXPECT_NE(build.out.find("wrote " + Built(ext)), std::string::npos) << build.out;
  }
  // The help project names its siblings by the project's base name.
  EXPECT_NE(Read(Built(".hpj")).find(".\\sample.rtf"), std::string::npos);

  CliRun clean = Run({"clean", project_});
  ASSERT_EQ(clean.exit_code, 0) << clean.err;
  EXPECT_EQ(clean.out, Built(".hpj") + " = Yes\n" + Built(".rtf") + " = Yes\n" + Built(".hh") +
                           " = Yes\n" + Built(".err") + " = No\n");
  EXPECT_FALSE(FileExists(Built(".hpj")) || FileExists(Built(".rtf")) || FileExists(Built(".hh")));
  EXPECT_TRUE(FileExists(Built(".cnt")));
  EXPECT_TRUE(FileExists(project_));
}

// The compiler's log decides the exit code; only a help file that was made
// is reported as built.
TEST_F(BuildCliTest, CompileOutcomes) {
  struct Case {
    std::string script;
    int exit_code;
    const char* out;  // in standard output, or "" for nothing in particular
    const char* err;
    bool built;
  } cases[] = {
      {"cp '" + kLogs + "mixed.err' \"$base.err\"; printf LN > \"$base.hlp\"\n", 1,
       "Warning HC3025: Jump to undefined Topic ID: \"HLP000099\" (ページ \"はじめに\").\n"
       "Error HC1001: File not found: logo.bmp.\n",
       "Error 「HC1001」 が発生しています。", false},
      {"cp '" + kLogs + "notes.err' \"$base.err\"; printf LN > \"$base.hlp\"\n", 0,
       "Note HC1002: Using existing phrase table: sample.ph.\n", "", true},
      // Fails without a word, over the log of an earlier run.
      {"printf 'Microsoft (R) Help Compiler\\r\\n' > \"$base.err\"; exit 1\n", 1, "", "", false},
  };
  for (const Case& c : cases) {
    UseCompiler(c.script);
    CliRun run = Run({"build", project_, "--compile"});
    EXPECT_EQ(run.exit_code, c.exit_code) << c.script << run.err;
    EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("built " + Built(".hlp")) != std::string::npos, c.built) << c.script;
  }
  // A program that is not the compiler must not pass for a build.
  ASSERT_TRUE(
      WriteFileAtomic(dir_.File("quillory.ini"), "[Etcetera]\r\nHelpCompiler=/usr/bin/true\r\n"));
  CliRun run = Run({"build", project_, "--compile"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("not hcrtf.exe"), std::string::npos) << run.err;
}

// No compiler configured: the built-in one makes a help file the reader
// accepts.
TEST_F(BuildCliTest, BuiltInCompilerMakesTheSampleHelpFile) {
  const CliRun run = Run({"build", "--compile", project_});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  HlpCheck check = CheckHelpFile(Built(".hlp"));
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
  EXPECT_NE(check.file.TopicByContext("HLP000001"), nullptr);
  EXPECT_NE(Read(Built(".err")).find("Created sample.hlp"), std::string::npos);
}

TEST_F(BuildCliTest, UsageErrorsAndFilesThatAreNotProjects) {
  EXPECT_EQ(Run({"build"}).exit_code, 2);
  EXPECT_EQ(Run({"build", project_, "--fast"}).exit_code, 2);
  EXPECT_EQ(Run({"clean"}).exit_code, 2);
  EXPECT_NE(Run({"build", dir_.File("missing.qyp")}).exit_code, 0);
  // Generated files never replace a project that has their name.
  const std::string rtf = dir_.File("p.rtf");
  ASSERT_TRUE(CopyFile(project_, rtf));
  const std::string before = *ReadWholeFile(rtf);
  EXPECT_EQ(Run({"preview", rtf, "--page", "1", "-o", rtf}).exit_code, 1);
  EXPECT_EQ(Run({"build", rtf}).exit_code, 1);
  EXPECT_EQ(Run({"clean", rtf}).exit_code, 1);
  EXPECT_EQ(*ReadWholeFile(rtf), before);
}

}  // namespace
}  // namespace qy::testing
