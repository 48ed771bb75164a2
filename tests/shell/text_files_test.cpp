#include "shell/text_files.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/memory_editor.h"
#include "open_chooser.h"
#include "support/fakes.h"

namespace qy {
namespace {

TEST(TextImport, LinesReplaceTheSelectionEachWithCrLf) {
  testing::TempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.File("in.txt"), Sjis("一行目\r\n二\nlast")).ok);
  MemoryEditor editor("abcXYZdef");
  editor.SetSelStart(3);
  editor.SetSelLength(3);
  testing::OpenChooser chooser;
  chooser.answer = dir.File("in.txt");
  testing::FakePrompter prompter;

  ASSERT_TRUE(OpenText(editor, chooser, prompter));
  const std::string inserted = Sjis("一行目\r\n二\r\nlast\r\n");
  EXPECT_EQ(editor.Text(), "abc" + inserted + "def");
  EXPECT_EQ(editor.SelStart(), static_cast<int>(3 + inserted.size()));
  // A final line end is taken as it is; lone CRs end lines too.
  EXPECT_EQ(TextFileLines(""), "");
  EXPECT_EQ(TextFileLines("x\r\n"), "x\r\n");
  EXPECT_EQ(TextFileLines("a\r\rb"), "a\r\n\r\nb\r\n");
}

TEST(TextImport, CancelOrUnreadableFileLeavesTheTopicAlone) {
  MemoryEditor editor("topic");
  testing::OpenChooser chooser;
  testing::FakePrompter prompter;
  EXPECT_FALSE(OpenText(editor, chooser, prompter));

  chooser.answer = "/nonexistent/folder/in.txt";
  EXPECT_FALSE(OpenText(editor, chooser, prompter));
  EXPECT_EQ(editor.Text(), "topic");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find("/nonexistent/folder/in.txt"), std::string::npos);
}

TEST(TopicExport, WritesTopicBesideTheProjectAndRefusesToLeaveItsFolder) {
  testing::TempDir dir;
  ProjectModel model;
  model.SetProjectFileName(dir.File("guide.qyp"));
  PageRecord page;
  page.Context = "HLP000007";
  page.Topic = Sjis("本文\r\n二行目");
  model.AppendPage(page);
  model.SetCurrentPage(1);
  testing::FakePrompter prompter;

  ASSERT_TRUE(WriteFileAtomic(dir.File("guideHLP000007.txt"), "an older export, longer").ok);
  ASSERT_TRUE(SaveText(model, prompter));
  EXPECT_EQ(ReadWholeFile(dir.File("guideHLP000007.txt")).value_or(""), Sjis("本文\r\n二行目\r\n"));

  model.SetProjectFileName(dir.File("missing/guide.qyp"));
  EXPECT_FALSE(SaveText(model, prompter));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find("guideHLP000007.txt"), std::string::npos);

  model.MutablePage(1).Context = "../evil";
  EXPECT_FALSE(SaveText(model, prompter));
  EXPECT_FALSE(FileExists(dir.path() + "../evil.txt"));
}

}  // namespace
}  // namespace qy
