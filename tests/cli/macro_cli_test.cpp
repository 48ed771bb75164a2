#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "project/project_file.h"
#include "project/project_model.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

const std::string kCli = QY_CLI_PATH;
const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";
const std::string kMacros = std::string(QY_EXAMPLES_DIR) + "/macros/";

class MacroCliTest : public ::testing::Test {
 protected:
  MacroCliTest() {
    project_ = dir_.File("sample.qyp");
    EXPECT_TRUE(CopyFile(kSample, project_));
  }

  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir_.File("quillory.ini"), "macro"});
    return RunProgram(kCli, args);
  }
  CliRun RunExample(const std::string& name, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {kMacros + name, "--project", project_};
    args.insert(args.end(), more.begin(), more.end());
    return Run(args);
  }
  // The project as saved.
  void Load(ProjectModel& model) {
    FakePrompter prompter;
    FakeProgress progress;
    ASSERT_EQ(LoadProjectFile(model, project_, kVersion160b, prompter, progress), kLoadSuccess);
  }
  std::string WriteMacro(const std::string& utf8) {
    const std::string file = dir_.File("test.p2s");
    EXPECT_TRUE(WriteFileAtomic(file, Sjis(utf8)));
    return file;
  }
  // Replaces the first `from` (UTF-8) in the project file.
  void EditProject(const std::string& from, const std::string& to) {
    std::string text = *ReadWholeFile(project_);
    const std::size_t at = text.find(Sjis(from));
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, Sjis(from).size(), Sjis(to));
    ASSERT_TRUE(WriteFileAtomic(project_, text));
  }

  TempDir dir_;
  std::string project_;
};

TEST_F(MacroCliTest, ExampleMacrosAreShiftJisWithCrLfAndATitle) {
  for (const char* name : {"add_keyword.p2s", "list_no_keywords.p2s", "check_context_ids.p2s",
                           "sort_lines.p2s", "par_each_line.p2s"}) {
    const std::optional<std::string> text = ReadWholeFile(kMacros + name);
    ASSERT_TRUE(text) << name;
    EXPECT_EQ(text->rfind("//T=", 0), 0u) << name;
    for (std::size_t at = text->find('\n'); at != std::string::npos;
         at = text->find('\n', at + 1)) {
      ASSERT_TRUE(at > 0 && (*text)[at - 1] == '\r') << name << " has a bare LF";
    }
    bool lossy = false;
    Utf8ToCp932(Cp932ToUtf8(*text), &lossy);
    EXPECT_FALSE(lossy) << name;
  }
}

TEST_F(MacroCliTest, AddKeywordSavesTheKeywordOnEveryHelpTopicOnce) {
  CliRun run = RunExample("add_keyword.p2s", {"--save"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "キーワードの追加\n7 個のページにキーワード「かんたん家計簿」を追加しました。\n");
  ProjectModel model;
  Load(model);
  int with_keyword = 0;
  for (const PageRecord& page : model.Pages()) {
    if (!IsHelpTopic(page.Attribute)) continue;
    const std::string list = ";" + page.Keyword + ";";
    EXPECT_NE(list.find(Sjis(";かんたん家計簿;")), std::string::npos) << page.Context;
    ++with_keyword;
  }
  EXPECT_EQ(with_keyword, 7);
  EXPECT_EQ(model.Page(1).Keyword, Sjis("はじめに;概要;かんたん家計簿"));

  // The second run finds nothing to add and leaves the file alone.
  const std::string saved = *ReadWholeFile(project_);
  run = RunExample("add_keyword.p2s", {"--save"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("0 個のページ"), std::string::npos) << run.out;
  EXPECT_EQ(*ReadWholeFile(project_), saved);
}

TEST_F(MacroCliTest, WithoutSaveTheProjectFileIsUntouched) {
  const std::string before = *ReadWholeFile(project_);
  CliRun run = RunExample("add_keyword.p2s");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.err.find("--save"), std::string::npos);
  EXPECT_EQ(*ReadWholeFile(project_), before);
}

TEST_F(MacroCliTest, ListNoKeywordsNamesTheTopicsWithoutKeywords) {
  CliRun run = RunExample("list_no_keywords.p2s");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "キーワードの確認\nキーワードのないトピックはありません。\n");

  EditProject("はじめに;概要\r\n", "\r\n");
  EditProject("HLP000009\r\n費目\r\n費目\r\n", "HLP000009\r\n費目\r\n\r\n");
  run = RunExample("list_no_keywords.p2s");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("HLP000001  はじめに\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("2 個のトピックにキーワードがありません。"), std::string::npos) << run.out;
}

TEST_F(MacroCliTest, CheckContextIdsFindsSharedNumbers) {
  CliRun run = RunExample("check_context_ids.p2s");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("11 ページのコンテキスト番号に問題はありません。"), std::string::npos)
      << run.out;
  // Page 4 takes page 3's ID.
  EditProject("\r\n4\r\n", "\r\n3\r\n");
  run = RunExample("check_context_ids.p2s");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("HLP000004  3  (HLP000003 と同じ番号)"), std::string::npos) << run.out;
}

TEST_F(MacroCliTest, SortLinesAndParEachLineChangeTheChosenPage) {
  CliRun run = RunExample("sort_lines.p2s", {"--page", "3", "--save"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  ProjectModel sorted;
  Load(sorted);
  std::vector<std::string> lines = SplitLines(sorted.Page(3).Topic);
  ASSERT_GT(lines.size(), 2u);
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
  ProjectModel original;
  {
    FakePrompter prompter;
    FakeProgress progress;
    ASSERT_EQ(LoadProjectFile(original, kSample, kVersion160b, prompter, progress), kLoadSuccess);
  }
  EXPECT_EQ(sorted.Page(1).Topic, original.Page(1).Topic);
  EXPECT_NE(sorted.Page(3).Topic, original.Page(3).Topic);

  // A book page has no text: the macro says so and changes nothing.
  run = RunExample("sort_lines.p2s", {"--page", "2"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("現在のページには本文がありません。"), std::string::npos);

  run = RunExample("par_each_line.p2s", {"--page", "1", "--save"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  ProjectModel done;
  Load(done);
  for (const std::string& line : SplitLines(done.Page(1).Topic)) {
    EXPECT_EQ(line.substr(line.size() - 4), "\\par") << line;
  }
}

TEST_F(MacroCliTest, AnErrorIsPrintedAndNothingIsSaved) {
  const std::string before = *ReadWholeFile(project_);
  const std::string file = WriteMacro("SetPageTitle(0, 'changed'); 1 := 2;");
  CliRun run = Run({file, "--project", project_, "--save"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("文法エラーです[1]"), std::string::npos) << run.err;
  EXPECT_EQ(*ReadWholeFile(project_), before);
}

TEST_F(MacroCliTest, EndlessLoopStopsAtTheStepBound) {
  const std::string file = WriteMacro("var i: Integer; begin repeat i := i + 1 until False end.");
  CliRun run = Run({file, "--project", project_, "--max-steps", "1000"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("test.p2s: "), std::string::npos) << run.err;
}

TEST_F(MacroCliTest, HeadlessDialogsAnswerTheirDefaults) {
  const std::string file = WriteMacro(
      "var r: Integer; begin r := MessageBox('yes or no', '', 4); "
      "if r = 6 then SetPageTitle(0, InputBox('c', 'p', '既定')); "
      "if SelectPage = -1 then MessageBox('none', 'Pick', 0); Pause end.");
  CliRun run = Run({file, "--project", project_, "--save"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "yes or no\nPick\nnone\n");
  ProjectModel model;
  Load(model);
  EXPECT_EQ(model.Page(1).Title, Sjis("既定"));
}

TEST_F(MacroCliTest, UsageAndBadPages) {
  EXPECT_EQ(Run({kMacros + "sort_lines.p2s"}).exit_code, 2);
  EXPECT_EQ(Run({"--project", project_}).exit_code, 2);
  EXPECT_EQ(RunExample("sort_lines.p2s", {"--page", "x"}).exit_code, 2);
  EXPECT_EQ(RunExample("sort_lines.p2s", {"--max-steps", "-5"}).exit_code, 2);
  CliRun run = RunExample("sort_lines.p2s", {"--page", "12"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("page 12 does not exist"), std::string::npos) << run.err;
  run = Run({dir_.File("missing.p2s"), "--project", project_});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("missing.p2s"), std::string::npos);
}

}  // namespace
}  // namespace qy::testing
