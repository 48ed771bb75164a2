#include "export/export_command.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy::help_export {
namespace {

class OneChoice : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions& o) override {
    save_options = o;
    return choice;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string& initial) override {
    initial_folder = initial;
    return choice;
  }
  std::optional<std::string> choice;
  FileDialogOptions save_options;
  std::string initial_folder;
};

class NoProgram : public ProcessRunner {
 public:
  ProcessResult Start(const std::string&, const std::vector<std::string>&, const std::string&,
                      bool) override {
    return {false, -1, "not found"};
  }
  bool ShellOpen(const std::string&, const std::string&) override { return false; }
};

class ExportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project_.ClearPages();
    PageRecord page;
    page.Context = "HLP000001";
    page.Title = Sjis("最初");
    page.Topic = Sjis("{\\uldb 行方}{\\v NOWHERE}");
    project_.AppendPage(page);
    project_.SetProjectFileName(dir_.File("help.qyp"));
  }
  bool Run() { return RunExportCommand(project_, {}, {prompter_, chooser_, progress_, runner_}); }
  qy::testing::TempDir dir_;
  ProjectModel project_;
  qy::testing::FakePrompter prompter_;
  qy::testing::FakeProgress progress_;
  OneChoice chooser_;
  NoProgram runner_;
};

TEST_F(ExportCommandTest, SiteIntoTheChosenFolderWithItsNotes) {
  prompter_.answers = {Answer::kYes};
  chooser_.choice = dir_.File("site");
  EXPECT_TRUE(Run());
  EXPECT_EQ(chooser_.initial_folder, dir_.File("help_html"));
  EXPECT_TRUE(FileExists(dir_.File("site/HLP000001.html")));
  ASSERT_EQ(prompter_.shown.back().kind, "warning");  // the link to NOWHERE
  EXPECT_NE(Cp932ToUtf8(prompter_.shown.back().text).find("NOWHERE"), std::string::npos);
  EXPECT_FALSE(progress_.visible);
  EXPECT_EQ(progress_.position, progress_.maximum);
}

TEST_F(ExportCommandTest, CancelsWriteNothingAndChmFailureIsShown) {
  prompter_.answers = {Answer::kCancel};
  EXPECT_FALSE(Run());
  prompter_.answers = {Answer::kYes};  // chooser cancelled
  EXPECT_FALSE(Run());
  EXPECT_FALSE(FileExists(dir_.File("help_html")));

  prompter_.answers = {Answer::kNo};
  chooser_.choice = dir_.File("help.chm");
  EXPECT_FALSE(Run());
  EXPECT_EQ(chooser_.save_options.initial_path, dir_.File("help.chm"));
  ASSERT_EQ(prompter_.shown.back().kind, "error");
  EXPECT_NE(prompter_.shown.back().text.find("fp-utils"), std::string::npos);
  EXPECT_FALSE(FileExists(dir_.File("help.chm")));
}

TEST(ExportSummary, ListsNotesUpToTheLimit) {
  ExportResult result;
  result.pages = 2;
  result.notes = {"a", "b", "c"};
  const std::string text = ExportSummary(result, "/out", 2);
  EXPECT_NE(text.find("\r\na\r\nb\r\n"), std::string::npos);
  EXPECT_EQ(text.find("\r\nc"), std::string::npos);
  EXPECT_NE(text.find(Sjis("ほか 1 件")), std::string::npos);
}

}  // namespace
}  // namespace qy::help_export
