// quillory-cli info, check and upgrade, and the tool's own usage.
#include "cli_test.h"
#include "core/codec.h"
#include "project/project_file.h"
#include "project/project_model.h"

namespace qy::testing {
namespace {

const std::string kOld = std::string(QY_TEST_DATA_DIR) + "/project/v140.qyp";

TEST_F(CliTest, InfoListsHeaderAndOneTabSeparatedLinePerPage) {
  CliRun run = Run({"info", kSample});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("HelpTitle\tかんたん家計簿 ヘルプ\n"), std::string::npos);
  EXPECT_NE(run.out.find("Word\t家計簿\\n残高\n"), std::string::npos);
  // The last line of the header, then pages 1 and 5 (a level-2 book) and 6
  // (a topic inside it).
  EXPECT_NE(run.out.find("\nPage\tAttribute\tDepth\tContext\tContextID\tTitle\n1\t0\t0\tHLP000001"
                         "\t1\tはじめに\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\n5\t12\t1\tHLP000005\t5\t入力のヒント\n6\t0\t2\tHLP000006\t6\t"
                         "ショートカットキー\n"),
            std::string::npos);
}

// info opens the project without its topic texts: the report is the one
// it always was, and a bad file fails with what the full open says.
TEST_F(CliTest, InfoReportsAsBeforeAndFailsAsTheFullOpenDoes) {
  EXPECT_EQ(
      Run({"info", project_}).out,
      "File\t" + project_ + "\n" + Read(std::string(QY_TEST_DATA_DIR) + "/cli/sample_info.txt"));
  const std::string text = Read(kSample);
  for (const std::string& bad : {text.substr(0, text.size() / 2), Read(kOld)}) {
    ASSERT_TRUE(WriteFileAtomic(project_, bad));
    const CliRun info = Run({"info", project_});
    EXPECT_EQ(info.exit_code, 1);
    EXPECT_EQ(info.out, "");
    EXPECT_EQ(info.err, Run({"check", project_}).err);
    EXPECT_NE(info.err, "");
  }
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndBadFilesWithOne) {
  EXPECT_EQ(Run({"frobnicate"}).exit_code, 2);
  EXPECT_EQ(Run({"info"}).exit_code, 2);
  EXPECT_EQ(Run({"check"}).exit_code, 2);
  EXPECT_EQ(Run({}).exit_code, 2);
  EXPECT_NE(Run({"--help"}).out.find("info FILE.qyp"), std::string::npos);
  CliRun missing = Run({"check", dir_.File("nothing.qyp")});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.out, "");

  std::string text = Read(kSample);
  text.replace(text.find("begin{"), 6, "begin[");
  ASSERT_TRUE(WriteFileAtomic(dir_.File("broken.qyp"), text));
  CliRun run = Run({"info", dir_.File("broken.qyp")});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("プロジェクトエラー : "), std::string::npos) << run.err;
}

TEST_F(CliTest, CheckPassesTheSampleAndListsPlantedFaultsInPageOrder) {
  CliRun run = Run({"check", kSample});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("no problems\n"), std::string::npos) << run.out;
  // Page 8 is only in the contents: noted, not a problem.
  EXPECT_NE(run.out.find("note: page 8 HLP000008 \"メニュー一覧\""), std::string::npos) << run.out;

  std::string text = Read(kSample);
  const std::string brace = Sjis("{\\b メニュー一覧}");
  text.replace(text.find(brace), brace.size(), brace.substr(0, brace.size() - 1));
  // Page 1 jumps to a context no page has; page 3's only link to the popup
  // page 9 now names the book page 2, so page 9 is reached by nothing.
  text.replace(text.find("{\\v HLP000003}"), 14, "{\\v HLP000099}");
  text.replace(text.find("{\\v HLP000009}"), 14, "{\\v HLP000002}");
  ASSERT_TRUE(WriteFileAtomic(project_, text));

  run = Run({"check", project_});
  EXPECT_EQ(run.exit_code, 1) << run.out << run.err;
  std::size_t last = 0;
  for (const char* line :
       {"page 1 HLP000001 \"はじめに\": line 5: link target \"HLP000099\" names no page\n",
        "page 3 HLP000003 \"家計簿を作成する\": line 4: link target \"HLP000002\" is page 2, "
        "which is not a topic or popup page\n",
        "page 8 HLP000008 \"メニュー一覧\": braces do not balance: 3 \"{\", 2 \"}\"\n",
        "page 9 HLP000009 \"費目\": no link on another page leads to this popup page\n",
        "4 problems (1 brace, 3 link)\n"}) {
    const std::size_t at = run.out.find(line);
    EXPECT_NE(at, std::string::npos) << line << run.out;
    EXPECT_GE(at, last) << line;
    last = at + 1;
  }
}

TEST_F(CliTest, OlderVersionNeedsYesAndUpgradeWritesTheCurrentLayout) {
  const std::string out = dir_.File("new.qyp");
  EXPECT_NE(Run({"upgrade", kOld, out}).exit_code, 0);
  EXPECT_FALSE(FileExists(out));

  CliRun run = Run({"--yes", "upgrade", kOld, out});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Read(out).rfind("Quillory Project Ver1.60b\r\n", 0), 0u);
  // The upgraded file opens without a question and lists the same pages.
  CliRun before = Run({"--yes", "info", kOld});
  CliRun after = Run({"info", out});
  ASSERT_EQ(after.exit_code, 0) << after.err;
  auto pages = [](const std::string& s) { return s.substr(s.find("PageCount")); };
  EXPECT_EQ(pages(before.out), pages(after.out));
}

// 1001 pages: saving over the file needs --yes, which drops the last ones.
TEST_F(CliTest, UpgradeOfAnOverfullFileNeedsYes) {
  ProjectModel m;
  for (int i = 0; i < kMaxPages; ++i) m.AppendPage(m.MakeNewPage());
  std::string text = BuildProjectFileText(m);
  const std::size_t first = text.find("//Page//");
  const std::string page = text.substr(first, text.find("//Page//", first + 1) - first);
  text.insert(text.rfind("//End//"), page + page);
  ASSERT_TRUE(WriteFileAtomic(project_, text));
  CliRun run = Run({"upgrade", project_, project_});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("後ろの 2 ページ"), std::string::npos) << run.err;
  EXPECT_EQ(Read(project_), text);
  EXPECT_EQ(Run({"--yes", "upgrade", project_, project_}).exit_code, 0);
}

}  // namespace
}  // namespace qy::testing
