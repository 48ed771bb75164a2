// Saves that would lose work are refused or asked about, and files the
// reader has to repair say so.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/codec.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "project/project_document.h"
#include "project/project_file.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::FakeProgress;
using testing::FakePrompter;
using testing::TempDir;

class NoChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return {};
  }
};

class SaveSafetyTest : public ::testing::Test {
 protected:
  SaveSafetyTest()
      : settings(dir.File("quillory.ini")),
        doc(model, view, prompter, progress, chooser, settings, dir.path()) {
    doc.NewProject();
  }
  // A project of `pages` pages written to p.qyp and opened.
  std::string OpenWritten(int pages, const std::string& extra_pages = "") {
    ProjectModel m;
    for (int i = 0; i < pages; ++i) m.AppendPage(m.MakeNewPage());
    std::string text = BuildProjectFileText(m);
    text.insert(text.rfind("//End//"), extra_pages);
    const std::string file = dir.File("p.qyp");
    EXPECT_TRUE(WriteFileAtomic(file, text));
    EXPECT_TRUE(doc.OpenProject(file, false));
    return file;
  }
  bool Says(std::size_t i, const std::string& utf8) {
    return i < prompter.shown.size() &&
           prompter.shown[i].text.find(Sjis(utf8)) != std::string::npos;
  }

  TempDir dir;
  ProjectModel model;
  NullDocumentView view;
  FakePrompter prompter;
  FakeProgress progress;
  NoChooser chooser;
  Settings settings;
  ProjectDocument doc;
};

TEST_F(SaveSafetyTest, EndMarkerLineRefusesTheSaveAndOffersThePage) {
  const std::string file = OpenWritten(3);
  const auto before = ReadWholeFile(file);
  model.MutablePage(3).Topic = "a\r\nb\r\n}end\r\nc";
  model.MutablePage(2).Title = "second";
  model.MutablePage(2).Topic = "}end";
  model.Header().ConfigSection = "x\n}end";
  model.SetModified(true);
  std::vector<int> shown_pages;
  doc.show_page = [&](int page) { shown_pages.push_back(page); };

  EXPECT_FALSE(doc.SaveCommand());
  EXPECT_EQ(ReadWholeFile(file), before);
  EXPECT_TRUE(model.Modified());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].kind, "ask");
  EXPECT_TRUE(Says(0, "[CONFIG] の 2 行目"));
  EXPECT_TRUE(Says(0, "ページ 2 \"second\" の 1 行目"));
  EXPECT_TRUE(Says(0, " の 3 行目"));
  EXPECT_TRUE(Says(0, "ページ 2 を表示しますか？"));
  EXPECT_EQ(shown_pages, std::vector<int>{2});

  // Declined, or with nothing to show it in, or only in the header: a plain refusal.
  prompter.answers = {Answer::kYes, Answer::kNo};
  EXPECT_FALSE(doc.ConfirmSaveChanges());
  model.MutablePage(2).Topic = model.MutablePage(3).Topic = "";
  EXPECT_FALSE(doc.SaveProject());
  EXPECT_EQ(prompter.shown.back().kind, "warning");
  EXPECT_EQ(shown_pages.size(), 1u);
  EXPECT_EQ(ReadWholeFile(file), before);
}

TEST_F(SaveSafetyTest, ReadingRepairsEmptyContextsAndCountsPagesLeftOut) {
  ProjectModel m;
  for (int i = 0; i < 3; ++i) m.AppendPage(m.MakeNewPage());
  m.MutablePage(2).Context.clear();
  m.MutablePage(2).Title = "no name";
  const std::string file = dir.File("p.qyp");
  ASSERT_TRUE(WriteFileAtomic(file, BuildProjectFileText(m)));
  ASSERT_TRUE(doc.OpenProject(file, false));
  EXPECT_EQ(model.Page(2).Context, "HLP000002");
  EXPECT_TRUE(model.Modified());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(Says(0, "ページ 2 \"no name\" にはコンテキストがありません。"));
  EXPECT_EQ(BuildPageTree(model).count, 3);

  // Two pages beyond the 999th: told at open, asked about on a save over the file.
  std::string block = BuildProjectFileText(m);
  block = block.substr(block.find("//Page//"));
  block = block.substr(0, block.find("//Page//", 1));
  prompter.shown.clear();
  OpenWritten(kMaxPages, block + block);
  const auto before = ReadWholeFile(file);
  EXPECT_EQ(doc.pages_left_out(), 2);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(Says(0, "後ろの 2 ページは読み込まれていません。"));
  prompter.answers.push_back(Answer::kCancel);
  EXPECT_FALSE(doc.SaveProject());
  EXPECT_TRUE(Says(1, "読み込まれていない 2 ページ"));
  EXPECT_EQ(ReadWholeFile(file), before);
  EXPECT_TRUE(doc.SaveProject());  // answered OK
  EXPECT_EQ(doc.pages_left_out(), 0);
}

TEST_F(SaveSafetyTest, OpenFailuresAndProjectsNamedLikeTheirLists) {
  std::filesystem::create_directory(dir.File("folder.qyp"));
  EXPECT_FALSE(doc.OpenProject(dir.File("folder.qyp"), false));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(Says(0, " を開けませんでした。"));
  EXPECT_NE(prompter.shown[0].text.find("Is a directory"), std::string::npos);

  // A project named like its context list keeps its file.
  const std::string hls = dir.File("p.hls");
  ProjectModel m;
  m.AppendPage(m.MakeNewPage());
  ASSERT_TRUE(WriteFileAtomic(hls, BuildProjectFileText(m)));
  int lists = 0;
  doc.write_context_list = [&](const std::string&) { ++lists; };
  settings.SetBool(keys::kOptionContextList, true);
  ASSERT_TRUE(doc.OpenProject(hls, false));
  EXPECT_EQ(lists, 0);
  settings.SetBool(keys::kOptionContextList, false);
  doc.NewProject();
  EXPECT_TRUE(FileExists(hls));
}

}  // namespace
}  // namespace qy
