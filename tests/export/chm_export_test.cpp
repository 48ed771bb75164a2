// The HTML Help export through chmcmd, and the window's export command
// around both forms.
#include "export/chm_export.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/files.h"
#include "export/export_command.h"
#include "support/fakes.h"

namespace qy::help_export {
namespace {

// Plays chmcmd (check_chm.sh runs the real one on the sample): keeps the
// project file it was given and leaves `output` as the compiled file.
class FakeChmcmd : public ProcessRunner {
 public:
  ProcessResult Start(const std::string&, const std::vector<std::string>& arguments,
                      const std::string& working_dir, bool wait) override {
    EXPECT_TRUE(wait);
    project = ReadWholeFile(working_dir + "/" + arguments.at(0)).value_or("");
    if (output) WriteFileAtomic(working_dir + "/quillory.chm", *output);
    return result;
  }
  bool ShellOpen(const std::string&, const std::string&) override { return false; }

  ProcessResult result{true, 0, ""};
  std::optional<std::string> output = std::string("ITSF\x03\0\0\0", 8);
  std::string project;
};

class OneChoice : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions& o) override {
    initial = o.initial_path;
    return choice;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string& at) override {
    initial = at;
    return choice;
  }
  std::optional<std::string> choice;
  std::string initial;
};

class ChmExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project_.ClearPages();
    PageRecord page;
    page.Context = "HLP000002";
    page.Title = Sjis("作成");
    page.ContextID = 256;
    page.Topic = Sjis("{\\uldb 行方}{\\v NOWHERE}");
    project_.AppendPage(page);
    project_.Header().HelpTitle = Sjis("家計簿");
    project_.SetProjectFileName(dir_.File("p.qyp"));
  }
  ExportResult Export() {
    return ExportChm(project_, target_, {}, runner_, progress_, "chmcmd-test");
  }
  bool Command() {
    return RunExportCommand(project_, {}, {prompter_, chooser_, progress_, runner_});
  }

  qy::testing::TempDir dir_;
  ProjectModel project_;
  FakeChmcmd runner_;
  qy::testing::FakeProgress progress_;
  qy::testing::FakePrompter prompter_;
  OneChoice chooser_;
  std::string target_ = dir_.File("out.chm");
};

TEST_F(ChmExportTest, ProjectIsJapaneseWithTextIndexAndNumbers) {
  const ExportResult result = Export();
  ASSERT_TRUE(result.ok) << Cp932ToUtf8(result.error);
  for (const std::string& line : std::vector<std::string>{
           "Language=0x411 Japanese\r\n", "Binary Index=No\r\n", "Default topic=HLP000002.html\r\n",
           "[MAP]\r\n#define HLP000002 256\r\n", "Title=" + Sjis("家計簿")}) {
    EXPECT_NE(runner_.project.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(ReadWholeFile(target_).value_or("").substr(0, 4), "ITSF");
}

// chmcmd's failures, including those it reports as success: the old file
// stays, no temporary file is left, and the message says what happened.
TEST_F(ChmExportTest, FailuresKeepTheOldFile) {
  const struct {
    const char* name;
    ProcessResult result;
    std::optional<std::string> output;
    const char* message;
  } cases[] = {
      {"missing program", {false, -1, "No such file or directory"}, std::nullopt, "fp-utils"},
      {"exit status", {true, 1, ""}, std::string("ITSF"), "1"},
      {"no output", {true, 0, ""}, std::nullopt, "chmcmd"},
      {"empty output", {true, 0, ""}, std::string(), "chmcmd"},
      {"not a chm", {true, 0, ""}, std::string("<html>"), "chmcmd"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteFileAtomic(target_, "old"));
    runner_.result = c.result;
    runner_.output = c.output;
    const ExportResult result = Export();
    EXPECT_FALSE(result.ok) << c.name;
    EXPECT_NE(Cp932ToUtf8(result.error).find(c.message), std::string::npos)
        << c.name << ": " << Cp932ToUtf8(result.error);
    EXPECT_EQ(ReadWholeFile(target_).value_or(""), "old") << c.name;
    EXPECT_FALSE(FileExists(dir_.File(".~qyout.chm"))) << c.name;
  }
}

TEST_F(ChmExportTest, CommandWritesTheSiteIntoTheChosenFolderWithItsNotes) {
  prompter_.answers = {Answer::kYes};
  chooser_.choice = dir_.File("site");
  EXPECT_TRUE(Command());
  EXPECT_EQ(chooser_.initial, dir_.File("p_html"));
  EXPECT_TRUE(FileExists(dir_.File("site/HLP000002.html")));
  ASSERT_FALSE(prompter_.shown.empty());
  ASSERT_EQ(prompter_.shown.back().kind, "warning");  // the link to NOWHERE
  EXPECT_NE(Cp932ToUtf8(prompter_.shown.back().text).find("NOWHERE"), std::string::npos);
}

TEST_F(ChmExportTest, CommandCancelsWriteNothing) {
  prompter_.answers = {Answer::kCancel};
  EXPECT_FALSE(Command());
  prompter_.answers = {Answer::kYes};  // chooser cancelled
  EXPECT_FALSE(Command());
  EXPECT_FALSE(FileExists(dir_.File("p_html")));
}

}  // namespace
}  // namespace qy::help_export
