// quillory-cli build --compile on a fresh machine: no compiler configured, so
// the built-in one makes the sample's help file.
#include <gtest/gtest.h>

#include <string>

#include "core/files.h"
#include "support/cli_runner.h"
#include "support/fakes.h"
#include "support/hlp_reader.h"

namespace qy::testing {
namespace {

TEST(BuiltInCompilerCliTest, SampleCompilesToAHelpFileTheReaderAccepts) {
  TempDir dir;
  const std::string project = dir.File("sample.qyp");
  ASSERT_TRUE(CopyFile(std::string(QY_EXAMPLES_DIR) + "/sample.qyp", project));
  ASSERT_TRUE(WriteFileAtomic(dir.File("quillory.ini"), "[Compile]\r\nReadyTime=0\r\n"));
  const CliRun run = RunProgram(
      QY_CLI_PATH, {"--settings", dir.File("quillory.ini"), "build", "--compile", project});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  HlpCheck check = CheckHelpFile(dir.File("sample.hlp"));
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
  EXPECT_EQ(check.file.system.lcid, 0x0411);
  EXPECT_EQ(check.file.system.charset, 128);
  EXPECT_EQ(check.file.system.cnt_file, "sample.cnt");
  EXPECT_NE(check.file.TopicByContext("HLP000001"), nullptr);
  EXPECT_FALSE(check.file.map.empty());
  EXPECT_FALSE(check.file.k_keywords.empty());
  auto log = ReadWholeFile(dir.File("sample.err"));
  ASSERT_TRUE(log);
  EXPECT_NE(log->find("Created sample.hlp"), std::string::npos) << *log;
}

}  // namespace
}  // namespace qy::testing
