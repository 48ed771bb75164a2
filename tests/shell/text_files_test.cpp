#include "shell/text_files.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/memory_editor.h"
#include "support/fakes.h"

namespace qy {
namespace {

class OneFileChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override {
    asked = options;
    return answer;
  }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return {};
  }
  std::optional<std::string> answer;
  FileDialogOptions asked;
};

TEST(TextImport, LinesReplaceTheSelectionEachWithCrLf) {
  testing::TempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.File("in.txt"), Sjis("一行目\r\n二\nlast")).ok);
  MemoryEditor editor("abcXYZdef");
  editor.SetSelStart(3);
  editor.SetSelLength(3);
  OneFileChooser chooser;
  chooser.answer = dir.File("in.txt");
  testing::FakePrompter prompter;

  ASSERT_TRUE(OpenText(editor, chooser, prompter));
  const std::string inserted = Sjis("一行目\r\n二\r\nlast\r\n");
  EXPECT_EQ(editor.Text(), "abc" + inserted + "def");
  EXPECT_EQ(editor.SelStart(), static_cast<int>(3 + inserted.size()));
  EXPECT_EQ(chooser.asked.title, Sjis("テキストの読み込み"));
  EXPECT_EQ(chooser.asked.filter,
            Sjis("テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*"));
  EXPECT_EQ(chooser.asked.default_extension, "txt");
  EXPECT_EQ(chooser.asked.initial_path, "");
  EXPECT_TRUE(prompter.shown.empty());
}

TEST(TextImport, InsertsAtTheCaretAndTakesAFinalLineEndAsIs) {
  testing::TempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.File("in.txt"), "x\r\n").ok);
  MemoryEditor editor("ab");
  editor.SetSelStart(1);
  testing::FakePrompter prompter;
  ASSERT_TRUE(InsertTextFile(editor, dir.File("in.txt"), prompter));
  EXPECT_EQ(editor.Text(), "ax\r\nb");
  EXPECT_EQ(TextFileLines(""), "");
  EXPECT_EQ(TextFileLines("a\r\rb"), "a\r\n\r\nb\r\n");
}

TEST(TextImport, CancelOrUnreadableFileLeavesTheTopicAlone) {
  MemoryEditor editor("topic");
  OneFileChooser chooser;
  testing::FakePrompter prompter;
  EXPECT_FALSE(OpenText(editor, chooser, prompter));
  EXPECT_TRUE(prompter.shown.empty());

  chooser.answer = "/nonexistent/folder/in.txt";
  EXPECT_FALSE(OpenText(editor, chooser, prompter));
  EXPECT_EQ(editor.Text(), "topic");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].kind, "error");
  EXPECT_NE(prompter.shown[0].text.find("/nonexistent/folder/in.txt"), std::string::npos);
}

class TopicExport : public ::testing::Test {
 protected:
  TopicExport() {
    model_.SetProjectFileName(dir_.File("guide.qyp"));
    PageRecord page;
    page.Context = "HLP000007";
    page.Title = "T";
    page.Topic = Sjis("本文\r\n二行目");
    model_.AppendPage(page);
    model_.SetCurrentPage(1);
  }
  testing::TempDir dir_;
  ProjectModel model_;
  testing::FakePrompter prompter_;
};

TEST_F(TopicExport, WritesTopicAndCrLfBesideTheProject) {
  EXPECT_EQ(TopicTextFileName(model_, 1), dir_.File("guideHLP000007.txt"));
  ASSERT_TRUE(WriteFileAtomic(dir_.File("guideHLP000007.txt"), "an older export, longer").ok);
  ASSERT_TRUE(SaveText(model_, prompter_));
  EXPECT_EQ(ReadWholeFile(dir_.File("guideHLP000007.txt")).value_or(""),
            Sjis("本文\r\n二行目\r\n"));
  EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(TopicExport, ContextThatWouldLeaveTheFolderIsRefused) {
  model_.MutablePage(1).Context = "../evil";
  EXPECT_EQ(TopicTextFileName(model_, 1), "");
  EXPECT_FALSE(SaveText(model_, prompter_));
  ASSERT_EQ(prompter_.shown.size(), 1u);
  EXPECT_EQ(prompter_.shown[0].kind, "error");
  EXPECT_FALSE(FileExists(dir_.path() + "../evil.txt"));
}

TEST_F(TopicExport, UnwritableFolderIsReported) {
  model_.SetProjectFileName(dir_.File("missing/guide.qyp"));
  EXPECT_FALSE(SaveText(model_, prompter_));
  ASSERT_EQ(prompter_.shown.size(), 1u);
  EXPECT_NE(prompter_.shown[0].text.find("guideHLP000007.txt"), std::string::npos);
}

}  // namespace
}  // namespace qy
