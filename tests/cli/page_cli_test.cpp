// quillory-cli preview and render: one page of a project, chosen by number.
#include "cli_test.h"

namespace qy::testing {
namespace {

using PageCliTest = CliTest;

TEST_F(PageCliTest, PreviewWritesThePreviewDocumentOfAPage) {
  CliRun run = Run({"preview", kSample, "--page", "1", "-o", dir_.File("out.rtf")});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const auto expected = ReadWholeFile(std::string(QY_TEST_DATA_DIR) + "/preview/sample_page1.rtf");
  ASSERT_TRUE(expected.has_value());
  EXPECT_EQ(Read(dir_.File("out.rtf")), *expected);
}

TEST_F(PageCliTest, RenderWritesHtmlToStandardOutputAndTextToAFile) {
  CliRun html = Run({"render", kSample, "--page", "1"});
  ASSERT_EQ(html.exit_code, 0) << html.err;
  EXPECT_NE(html.out.find("<a class=\"qy-jump\" href=\"HLP000003.html\">家計簿を作成する</a>"),
            std::string::npos)
      << html.out;

  CliRun text =
      Run({"render", kSample, "--page", "6", "--format", "text", "-o", dir_.File("p6.txt")});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out, "");
  EXPECT_NE(Read(dir_.File("p6.txt")).find("Ctrl+N\t新しい家計簿を作成します。\n"),
            std::string::npos);
}

TEST_F(PageCliTest, BadPagesAndArgumentsFailAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* err;
  } cases[] = {
      {{"preview", kSample, "--page", "0"}, 1, "page 0 does not exist; "},
      {{"preview", kSample, "--page", "12"}, 1, "sample.qyp has 11 pages (1..11)\n"},
      {{"preview", kSample, "--page", "1x"}, 1, "\"1x\" is not a number"},
      {{"render", kSample, "--page", ""}, 2, ""},
      {{"preview", dir_.File("none.qyp"), "--page", "1"}, 1, "none.qyp"},
      {{"preview", kSample, "--page"}, 2, ""},
      {{"preview", kSample}, 2, ""},
      {{"render", kSample, "--page", "1", "--format", "rtf"}, 2, ""},
  };
  for (Case& c : cases) {
    c.args.insert(c.args.end(), {"-o", dir_.File("out")});
    CliRun run = Run(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.args[3 % c.args.size()] << run.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_NE(run.err, "");
  }
  EXPECT_FALSE(FileExists(dir_.File("out")));
  EXPECT_EQ(Run({"preview", kSample, "--page", "1"}).exit_code, 2);
}

}  // namespace
}  // namespace qy::testing
