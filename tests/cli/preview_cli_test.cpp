// quillory-cli preview, run as a program.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/files.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";

class PreviewCliTest : public ::testing::Test {
 protected:
  // Every run gets its own empty settings file.
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir_.File("quillory.ini"), "preview"});
    return RunProgram(QY_CLI_PATH, args);
  }
  TempDir dir_;
};

TEST_F(PreviewCliTest, WritesThePreviewDocumentOfAPage) {
  CliRun run = Run({kSample, "--page", "1", "-o", dir_.File("out.rtf")});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::optional<std::string> expected =
      ReadWholeFile(std::string(QY_TEST_DATA_DIR) + "/preview/sample_page1.rtf");
  ASSERT_TRUE(expected.has_value());
  EXPECT_EQ(ReadWholeFile(dir_.File("out.rtf")).value_or(""), *expected);
}

TEST_F(PreviewCliTest, PagesOutsideTheProjectAreAClearFailure) {
  for (const char* page : {"0", "12", "-1"}) {
    CliRun run = Run({kSample, "--page", page, "-o", dir_.File("out.rtf")});
    EXPECT_EQ(run.exit_code, 1) << page;
    EXPECT_NE(run.err.find(std::string("page ") + page + " does not exist"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("11 pages (1..11)"), std::string::npos) << run.err;
  }
  for (const char* page : {"x", "1x", "", "99999999999"}) {
    CliRun run = Run({kSample, "--page", page, "-o", dir_.File("out.rtf")});
    EXPECT_NE(run.exit_code, 0) << page;
    EXPECT_NE(run.err, "") << page;
  }
  EXPECT_FALSE(FileExists(dir_.File("out.rtf")));
}

TEST_F(PreviewCliTest, MissingArgumentsOrProjectFail) {
  EXPECT_EQ(Run({kSample, "--page", "1"}).exit_code, 2);
  EXPECT_EQ(Run({kSample, "-o", dir_.File("out.rtf")}).exit_code, 2);
  EXPECT_EQ(Run({kSample, "--page"}).exit_code, 2);
  CliRun run = Run({dir_.File("none.qyp"), "--page", "1", "-o", dir_.File("o.rtf")});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(FileExists(dir_.File("o.rtf")));
}

}  // namespace
}  // namespace qy::testing
