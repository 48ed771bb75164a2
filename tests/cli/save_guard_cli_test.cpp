// The command line's saves and generated files never cost the project file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "core/codec.h"
#include "core/files.h"
#include "project/project_file.h"
#include "project/project_model.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

const std::string kCli = QY_CLI_PATH;
const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";

class SaveGuardCliTest : public ::testing::Test {
 protected:
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir_.File("quillory.ini")});
    return RunProgram(kCli, args);
  }
  TempDir dir_;
};

TEST_F(SaveGuardCliTest, RefusedSavesWriteNothingAndFail) {
  const std::string project = dir_.File("p.qyp");
  ASSERT_TRUE(CopyFile(kSample, project));
  const std::string before = *ReadWholeFile(project);
  const std::string macro = dir_.File("end.p2s");
  ASSERT_TRUE(WriteFileAtomic(macro, "SetPageTopic(0, 'a' + #13#10 + '}end');"));
  CliRun run = Run({"--yes", "macro", macro, "--project", project, "--save"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("の 2 行目"), std::string::npos) << run.err;
  EXPECT_EQ(*ReadWholeFile(project), before);

  // 1001 pages: saving over the file needs --yes.
  ProjectModel m;
  for (int i = 0; i < kMaxPages; ++i) m.AppendPage(m.MakeNewPage());
  std::string text = BuildProjectFileText(m);
  const std::size_t first = text.find("//Page//");
  const std::string page = text.substr(first, text.find("//Page//", first + 1) - first);
  text.insert(text.rfind("//End//"), page + page);
  ASSERT_TRUE(WriteFileAtomic(project, text));
  run = Run({"upgrade", project, project});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("後ろの 2 ページ"), std::string::npos) << run.err;
  EXPECT_EQ(*ReadWholeFile(project), text);
  EXPECT_EQ(Run({"--yes", "upgrade", project, project}).exit_code, 0);
}

TEST_F(SaveGuardCliTest, GeneratedFilesNeverReplaceTheProject) {
  const std::string project = dir_.File("p.rtf");
  ASSERT_TRUE(CopyFile(kSample, project));
  const std::string before = *ReadWholeFile(project);
  EXPECT_EQ(Run({"preview", project, "--page", "1", "-o", project}).exit_code, 1);
  EXPECT_EQ(Run({"build", project}).exit_code, 1);
  EXPECT_EQ(Run({"clean", project}).exit_code, 1);
  EXPECT_EQ(*ReadWholeFile(project), before);

  // A compiler that fails without a word leaves no help file: no "built".
  const std::string qyp = dir_.File("q.qyp");
  ASSERT_TRUE(CopyFile(kSample, qyp));
  ASSERT_TRUE(WriteFileAtomic(dir_.File("q.err"), "Microsoft (R) Help Compiler\r\n"));
  const std::string compiler = dir_.File("hcrtf.exe");
  ASSERT_TRUE(WriteFileAtomic(compiler, "#!/bin/sh\nexit 1\n"));
  ::chmod(compiler.c_str(), 0755);
  ASSERT_TRUE(WriteFileAtomic(dir_.File("quillory.ini"), "[Etcetera]\r\nHelpCompiler=" + compiler +
                                                             "\r\n[Compile]\r\nReadyTime=0\r\n"));
  CliRun run = Run({"build", qyp, "--compile"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out.find("built"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace qy::testing
