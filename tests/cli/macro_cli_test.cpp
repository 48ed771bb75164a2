// quillory-cli macro: the example macros run headless on the sample, and the
// command's own arguments, saves, dialogs and programs.
#include <algorithm>

#include "cli_test.h"
#include "core/codec.h"
#include "core/cp932.h"
#include "project/project_file.h"
#include "project/project_model.h"

namespace qy::testing {
namespace {

const std::string kMacros = std::string(QY_EXAMPLES_DIR) + "/macros/";

class MacroCliTest : public CliTest {
 protected:
  CliRun RunExample(const std::string& name, std::vector<std::string> more = {}) {
    more.insert(more.begin(), {"macro", kMacros + name, "--project", project_});
    return Run(more);
  }
  CliRun RunSource(const std::string& utf8, std::vector<std::string> more = {}) {
    EXPECT_TRUE(WriteFileAtomic(dir_.File("test.p2s"), Sjis(utf8)));
    more.insert(more.begin(), {"macro", dir_.File("test.p2s"), "--project", project_});
    return Run(more);
  }
  // Page `page` of `file` as loaded.
  PageRecord Load(const std::string& file, int page) {
    ProjectModel model;
    FakePrompter prompter;
    FakeProgress progress;
    EXPECT_EQ(LoadProjectFile(model, file, kVersion160b, prompter, progress), kLoadSuccess);
    return model.ValidPage(page) ? model.Page(page) : PageRecord();
  }
  // Replaces the first `from` (UTF-8) in the project file.
  void EditProject(const std::string& from, const std::string& to) {
    std::string text = Read(project_);
    const std::size_t at = text.find(Sjis(from));
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, Sjis(from).size(), Sjis(to));
    ASSERT_TRUE(WriteFileAtomic(project_, text));
  }
};

TEST_F(MacroCliTest, ExampleMacrosAreShiftJisWithCrLfAndATitle) {
  for (const char* name : {"add_keyword.p2s", "list_no_keywords.p2s", "check_context_ids.p2s",
                           "sort_lines.p2s", "par_each_line.p2s"}) {
    const std::string text = ReadWholeFile(kMacros + name).value_or("");
    EXPECT_EQ(text.rfind("//T=", 0), 0u) << name;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
      ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << name << " has a bare LF";
    }
    bool lossy = false;
    Utf8ToCp932(Cp932ToUtf8(text), &lossy);
    EXPECT_FALSE(lossy) << name;
  }
}

TEST_F(MacroCliTest, AddKeywordSavesOnlyWithSaveAndOnce) {
  const std::string before = Read(project_);
  CliRun run = RunExample("add_keyword.p2s");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.err.find("--save"), std::string::npos);
  EXPECT_EQ(Read(project_), before);

  run = RunExample("add_keyword.p2s", {"--save"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "キーワードの追加\n7 個のページにキーワード「かんたん家計簿」を追加しました。\n");
  EXPECT_EQ(Load(project_, 1).Keyword, Sjis("はじめに;概要;かんたん家計簿"));
  const std::string saved = Read(project_);
  run = RunExample("add_keyword.p2s", {"--save"});
  EXPECT_NE(run.out.find("0 個のページ"), std::string::npos) << run.out;
  EXPECT_EQ(Read(project_), saved);
}

TEST_F(MacroCliTest, ReportMacrosFindPlantedFaults) {
  EXPECT_EQ(RunExample("list_no_keywords.p2s").out,
            "キーワードの確認\nキーワードのないトピックはありません。\n");
  EditProject("はじめに;概要\r\n", "\r\n");
  EditProject("\r\n4\r\n", "\r\n3\r\n");  // page 4 takes page 3's ID
  CliRun run = RunExample("list_no_keywords.p2s");
  EXPECT_NE(run.out.find("HLP000001  はじめに\n"), std::string::npos) << run.out;
  run = RunExample("check_context_ids.p2s");
  EXPECT_NE(run.out.find("HLP000004  3  (HLP000003 と同じ番号)"), std::string::npos) << run.out;
}

TEST_F(MacroCliTest, EditingMacrosChangeOnlyTheChosenPage) {
  CliRun run = RunExample("sort_lines.p2s", {"--page", "3", "--save"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<std::string> lines = SplitLines(Load(project_, 3).Topic);
  ASSERT_GT(lines.size(), 2u);
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
  EXPECT_NE(Load(project_, 3).Topic, Load(kSample, 3).Topic);
  EXPECT_EQ(Load(project_, 1).Topic, Load(kSample, 1).Topic);
  // A book page has no text: the macro says so.
  EXPECT_NE(RunExample("sort_lines.p2s", {"--page", "2"}).out.find("本文がありません"),
            std::string::npos);

  ASSERT_EQ(RunExample("par_each_line.p2s", {"--page", "1", "--save"}).exit_code, 0);
  for (const std::string& line : SplitLines(Load(project_, 1).Topic)) {
    EXPECT_EQ(line.substr(line.size() - 4), "\\par") << line;
  }
}

TEST_F(MacroCliTest, FailuresExitWithOneAndSaveNothing) {
  const std::string before = Read(project_);
  // A macro error, and a page line that would end the page record early,
  // which even --yes does not save.
  const struct {
    const char* source;
    const char* err;
  } cases[] = {{"SetPageTitle(0, 'changed'); 1 := 2;", "test.p2s: 文法エラーです[1]"},
               {"SetPageTopic(0, 'a' + #13#10 + '}end');", "の 2 行目"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteFileAtomic(dir_.File("test.p2s"), Sjis(c.source)));
    CliRun run = Run({"--yes", "macro", dir_.File("test.p2s"), "--project", project_, "--save"});
    EXPECT_EQ(run.exit_code, 1) << c.source;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(Read(project_), before) << c.source;
  }
  CliRun run = RunSource("var i: Integer; begin repeat i := i + 1 until False end.",
                         {"--max-steps", "1000"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("test.p2s: "), std::string::npos) << run.err;
}

// Dialogs answer their defaults on standard output; programs start as they
// do from the window.
TEST_F(MacroCliTest, HeadlessDialogsAndPrograms) {
  CliRun run = RunSource(
      "var r: Integer; begin r := MessageBox('yes or no', '', 4); "
      "if r = 6 then SetPageTitle(0, InputBox('c', 'p', '既定')); "
      "if SelectPage = -1 then MessageBox('none', 'Pick', 0); Pause end.",
      {"--save"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "yes or no\nPick\nnone\n");
  EXPECT_EQ(Load(project_, 1).Title, Sjis("既定"));

  const std::string marker = dir_.File("ran");
  run = RunSource("begin MessageBox(IntToStr(Exec('/bin/sh', '-c \"echo x > " + marker +
                  "\"', -1)), '', 0) end.");
  EXPECT_EQ(run.out, "0\n") << run.err;
  EXPECT_TRUE(FileExists(marker));
}

TEST_F(MacroCliTest, UsageAndBadPages) {
  EXPECT_EQ(Run({"macro", kMacros + "sort_lines.p2s"}).exit_code, 2);
  EXPECT_EQ(Run({"macro", "--project", project_}).exit_code, 2);
  EXPECT_EQ(RunExample("sort_lines.p2s", {"--page", "x"}).exit_code, 2);
  EXPECT_EQ(RunExample("sort_lines.p2s", {"--max-steps", "-5"}).exit_code, 2);
  CliRun run = RunExample("sort_lines.p2s", {"--page", "12"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("page 12 does not exist"), std::string::npos) << run.err;
  EXPECT_EQ(Run({"macro", dir_.File("missing.p2s"), "--project", project_}).exit_code, 1);
  EXPECT_NE(Run({"--help"}).out.find("--max-steps defaults to 100000000"), std::string::npos);
}

}  // namespace
}  // namespace qy::testing
