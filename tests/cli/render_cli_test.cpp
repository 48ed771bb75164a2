// quillory-cli render, run as a program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";

class RenderCliTest : public ::testing::Test {
 protected:
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir_.File("quillory.ini"), "render"});
    return RunProgram(QY_CLI_PATH, args);
  }
  TempDir dir_;
};

TEST_F(RenderCliTest, PageAsHtmlWithHotspotLinksAndAsText) {
  CliRun html = Run({kSample, "--page", "1"});
  ASSERT_EQ(html.exit_code, 0) << html.err;
  // UTF-8 text, the popup as a dotted link, the jump as a link.
  EXPECT_NE(html.out.find("<a class=\"qy-popup\" href=\"HLP000010.html\">残高</a>"),
            std::string::npos)
      << html.out;
  EXPECT_NE(html.out.find("<a class=\"qy-jump\" href=\"HLP000003.html\">家計簿を作成する</a>"),
            std::string::npos);
  EXPECT_EQ(html.out.find("HLP000003</"), std::string::npos) << "hidden target shown";

  CliRun text = Run({kSample, "--page", "6", "--format", "text", "-o", dir_.File("p6.txt")});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out, "");
  const std::string written = ReadWholeFile(dir_.File("p6.txt")).value_or("");
  EXPECT_NE(written.find("Ctrl+N\t新しい家計簿を作成します。\n"), std::string::npos) << written;
  EXPECT_EQ(written.find('\\'), std::string::npos) << "markup left in the text";
}

TEST_F(RenderCliTest, BadArgumentsFailClearly) {
  EXPECT_EQ(Run({kSample, "--page", "1", "--format", "rtf"}).exit_code, 2);
  EXPECT_EQ(Run({kSample}).exit_code, 2);
  CliRun missing = Run({kSample, "--page", "12"});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("page 12 does not exist"), std::string::npos) << missing.err;
  EXPECT_EQ(Run({kSample, "--page", "x1"}).exit_code, 1);
}

}  // namespace
}  // namespace qy::testing
