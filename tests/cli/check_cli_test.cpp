#include <gtest/gtest.h>

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

class CheckCliTest : public ::testing::Test {
 protected:
  CliRun Check(const std::string& file) {
    return RunProgram(kCli, {"--settings", dir_.File("quillory.ini"), "check", file});
  }
  // A copy of the sample with `from` (UTF-8) replaced by `to` once.
  std::string PlantInSample(const std::string& from, const std::string& to) {
    std::string text = *ReadWholeFile(kSample);
    const std::size_t at = text.find(Sjis(from));
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, Sjis(from).size(), Sjis(to));
    sample_ = text;
    return text;
  }
  std::string Write(const std::string& name, const std::string& text) {
    EXPECT_TRUE(WriteFileAtomic(dir_.File(name), text));
    return dir_.File(name);
  }
  TempDir dir_;
  std::string sample_;
};

TEST_F(CheckCliTest, SampleIsClean) {
  CliRun run = Check(kSample);
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("no problems\n"), std::string::npos) << run.out;
  // Page 8 is only in the contents: noted, not a problem.
  EXPECT_NE(run.out.find("note: page 8 HLP000008 \"メニュー一覧\""), std::string::npos) << run.out;
}

TEST_F(CheckCliTest, PlantedFaultsAreListedPerPage) {
  PlantInSample("{\\b メニュー一覧}", "{\\b メニュー一覧");
  std::string text = sample_;
  // Page 1 jumps to a context no page has; page 3's only link to the popup
  // page 9 now names the book page 2, so page 9 is reached by nothing.
  text.replace(text.find("{\\v HLP000003}"), 14, "{\\v HLP000099}");
  text.replace(text.find("{\\v HLP000009}"), 14, "{\\v HLP000002}");
  const std::string file = Write("faulty.qyp", text);

  CliRun run = Check(file);
  EXPECT_EQ(run.exit_code, 1) << run.out << run.err;
  EXPECT_NE(run.out.find("page 1 HLP000001 \"はじめに\": line 5: link target \"HLP000099\" "
                         "names no page\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("page 3 HLP000003 \"家計簿を作成する\": line 4: link target "
                         "\"HLP000002\" is page 2, which is not a topic or popup page\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("page 8 HLP000008 \"メニュー一覧\": braces do not balance: 3 \"{\", 2 "
                         "\"}\"\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("page 9 HLP000009 \"費目\": no link on another page leads to this "
                         "popup page\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("4 problems (1 brace, 3 link)\n"), std::string::npos) << run.out;
  // Page order: the brace line of page 8 comes before page 9's line.
  EXPECT_LT(run.out.find("page 8 HLP000008"), run.out.find("page 9 HLP000009"));
}

TEST_F(CheckCliTest, UsageAndUnreadableFiles) {
  CliRun usage = RunProgram(kCli, {"--settings", dir_.File("quillory.ini"), "check"});
  EXPECT_EQ(usage.exit_code, 2);
  CliRun missing = Check(dir_.File("nothing.qyp"));
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_TRUE(missing.out.empty()) << missing.out;
}

}  // namespace
}  // namespace qy::testing
