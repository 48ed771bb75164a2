#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/codec.h"
#include "core/files.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

const std::string kCli = QY_CLI_PATH;
const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";
const std::string kProjectData = std::string(QY_TEST_DATA_DIR) + "/project/";

class CliTest : public ::testing::Test {
 protected:
  // Every run gets its own empty settings file so that nothing depends on
  // the machine's.
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir_.File("quillory.ini")});
    return RunProgram(kCli, args);
  }
  std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  TempDir dir_;
};

TEST_F(CliTest, InfoListsHeaderAndOneTabSeparatedLinePerPage) {
  CliRun run = Run({"info", kSample});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  EXPECT_NE(run.out.find("HelpTitle\tかんたん家計簿 ヘルプ\n"), std::string::npos);
  EXPECT_NE(run.out.find("Word\t家計簿\\n残高\n"), std::string::npos);
  auto header =
      std::find(lines.begin(), lines.end(), "Page\tAttribute\tDepth\tContext\tContextID\tTitle");
  ASSERT_NE(header, lines.end());
  std::vector<std::string> pages(header + 1, lines.end());
  ASSERT_EQ(pages.size(), 11u);
  EXPECT_EQ(pages[0], "1\t0\t0\tHLP000001\t1\tはじめに");
  // A level-2 book under a level-1 book, and a topic inside it.
  EXPECT_EQ(pages[4], "5\t12\t1\tHLP000005\t5\t入力のヒント");
  EXPECT_EQ(pages[5], "6\t0\t2\tHLP000006\t6\tショートカットキー");
}

TEST_F(CliTest, CorruptFileReportsTheProjectErrorNumber) {
  std::string text = *ReadWholeFile(kSample);
  // Break the first page's "begin{" line.
  std::size_t at = text.find("begin{");
  text.replace(at, 6, "begin[");
  ASSERT_TRUE(WriteFileAtomic(dir_.File("broken.qyp"), text));
  CliRun run = Run({"info", dir_.File("broken.qyp")});
  EXPECT_NE(run.exit_code, 0);
  EXPECT_NE(run.err.find("プロジェクトエラー : "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("プロジェクトファイルが壊れています。"), std::string::npos);
}

TEST_F(CliTest, OlderVersionNeedsYesAndUpgradeWritesTheCurrentLayout) {
  std::string out = dir_.File("new.qyp");
  CliRun declined = Run({"upgrade", kProjectData + "v140.qyp", out});
  EXPECT_NE(declined.exit_code, 0);
  EXPECT_FALSE(FileExists(out));

  CliRun run = Run({"--yes", "upgrade", kProjectData + "v140.qyp", out});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::string written = *ReadWholeFile(out);
  EXPECT_EQ(written.rfind("Quillory Project Ver1.60b\r\n", 0), 0u);

  // The upgraded file opens without a question and lists the same pages.
  CliRun before = Run({"--yes", "info", kProjectData + "v140.qyp"});
  CliRun after = Run({"info", out});
  ASSERT_EQ(after.exit_code, 0) << after.err;
  auto pages = [](const std::string& s) { return s.substr(s.find("PageCount")); };
  EXPECT_EQ(pages(before.out), pages(after.out));
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(Run({"frobnicate"}).exit_code, 2);
  EXPECT_EQ(Run({"info"}).exit_code, 2);
  EXPECT_EQ(Run({}).exit_code, 2);
  CliRun help = Run({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("info FILE.qyp"), std::string::npos);
}

}  // namespace
}  // namespace qy::testing
