#include "shell/recent_files.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "project/project_file.h"
#include "support/fakes.h"

namespace qy {
namespace {

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

class RecentFilesTest : public ::testing::Test {
 protected:
  RecentFilesTest() {
    recent.on_changed = [this] { ++rebuilds; };
    recent.Attach(document);
  }

  void Visit(const std::string& file) { recent.NoteProjectFile(file); }
  std::string Key(int i) const { return settings.GetString(keys::RecentFile(i)); }

  // A real project file in the temporary folder.
  std::string MakeProject(const std::string& name) {
    ProjectModel other;
    other.NewProject(dir.path());
    const std::string file = dir.File(name);
    EXPECT_TRUE(WriteProjectFile(other, file));
    return file;
  }

  TempDir dir;
  Settings settings{dir.File("quillory.ini")};
  RecentFiles recent{settings};
  int rebuilds = 0;

  ProjectModel model;
  NullDocumentView view;
  FakePrompter prompter;
  testing::FakeProgress progress;
  NoChooser chooser;
  ProjectDocument document{model, view, prompter, progress, chooser, settings, dir.path()};
};

TEST_F(RecentFilesTest, NewestFirstWithoutDuplicatesAndAtMostFive) {
  for (const char* f : {"C:\\p\\a.qyp", "C:\\p\\b.qyp", "C:\\p\\c.qyp"}) Visit(f);
  EXPECT_EQ(recent.Entries(),
            (std::vector<std::string>{"C:\\p\\c.qyp", "C:\\p\\b.qyp", "C:\\p\\a.qyp"}));

  EXPECT_TRUE(recent.RecentFileKnown("C:\\p\\a.qyp"));
  EXPECT_EQ(recent.Entries(),
            (std::vector<std::string>{"C:\\p\\a.qyp", "C:\\p\\c.qyp", "C:\\p\\b.qyp"}))
      << "a known file moves to the top as it was written";
  EXPECT_FALSE(recent.RecentFileKnown("C:\\p\\z.qyp"));

  for (const char* f : {"C:\\p\\d.qyp", "C:\\p\\e.qyp", "C:\\p\\f.qyp"}) Visit(f);
  EXPECT_EQ(recent.Entries(),
            (std::vector<std::string>{"C:\\p\\f.qyp", "C:\\p\\e.qyp", "C:\\p\\d.qyp",
                                      "C:\\p\\a.qyp", "C:\\p\\c.qyp"}))
      << "the sixth pushes out the oldest";
  Visit("C:\\p\\c.qyp");
  EXPECT_EQ(recent.Entries().front(), "C:\\p\\c.qyp");
  EXPECT_EQ(recent.Entries().size(), 5u);
  EXPECT_GT(rebuilds, 0);
}

TEST_F(RecentFilesTest, RemovingMovesTheLaterEntriesUp) {
  for (const char* f : {"e", "d", "c", "b", "a"}) Visit(f);
  recent.RemoveRecentFile(2);
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"a", "c", "d", "e"}));
  EXPECT_EQ(Key(5), "");
  recent.RemoveRecentFile(4);
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"a", "c", "d"}));
  recent.RemoveRecentFile(9);
  EXPECT_EQ(recent.Entries().size(), 3u);
  recent.ClearRecentFiles();
  EXPECT_TRUE(recent.Entries().empty());
  EXPECT_FALSE(recent.SeparatorVisible());
}

TEST_F(RecentFilesTest, ListEndsAtTheFirstEmptyKeyAndAddingDoesNotRevivePastIt) {
  settings.SetString(keys::RecentFile(1), "one");
  settings.SetString(keys::RecentFile(3), "stale");
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"one"}));
  Visit("two");
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"two", "one"}));
  EXPECT_EQ(Key(3), "");
}

TEST_F(RecentFilesTest, MenuCaptionsAndHints) {
  Visit("C:\\work\\b.qyp");
  Visit("C:\\work\\a.qyp");
  const std::vector<RecentMenuItem> items = recent.MenuItems();
  ASSERT_EQ(items.size(), 5u);
  EXPECT_TRUE(items[0].visible);
  EXPECT_EQ(items[0].caption, "&1 C:\\work\\a.qyp");
  EXPECT_EQ(items[1].caption, "&2 C:\\work\\b.qyp");
  EXPECT_EQ(items[1].hint, Sjis("プロジェクトファイル 'C:\\work\\b.qyp' を開きます。"));
  EXPECT_FALSE(items[2].visible);
  EXPECT_TRUE(recent.SeparatorVisible());
}

TEST_F(RecentFilesTest, JapaneseFolderNamesAreKeptAsShiftJis) {
  const std::string file = dir.File("資料.qyp");
  Visit(file);
  ASSERT_EQ(recent.Entries().size(), 1u);
  EXPECT_EQ(recent.Entries()[0], Utf8ToCp932(file));
  EXPECT_TRUE(recent.RecentFileKnown(file));
}

TEST_F(RecentFilesTest, OpeningAMissingFileWarnsAndRemovesOnlyThatEntry) {
  const std::string kept = MakeProject("kept.qyp");
  const std::string gone = dir.File("gone.qyp");
  Visit(kept);
  Visit(gone);
  Visit(dir.File("other.qyp"));
  EXPECT_FALSE(recent.OpenRecentFile(2, document, prompter));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].kind, "warning");
  EXPECT_EQ(prompter.shown[0].text,
            Sjis("\r\nプロジェクト \"") + gone + Sjis("\" は存在しません。"));
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{dir.File("other.qyp"), kept}));
}

TEST_F(RecentFilesTest, OpeningAListedFileAsksAboutChangesThenOpensIt) {
  document.NewProject();
  const std::string file = MakeProject("kept.qyp");
  Visit(file);
  Visit(dir.File("newer.qyp"));
  model.SetModified(true);
  prompter.answers.push_back(Answer::kCancel);
  EXPECT_FALSE(recent.OpenRecentFile(2, document, prompter)) << "the user cancelled";
  EXPECT_NE(model.ProjectFileName(), file);

  model.SetModified(false);
  EXPECT_TRUE(recent.OpenRecentFile(2, document, prompter));
  EXPECT_EQ(model.ProjectFileName(), file);
  EXPECT_EQ(recent.Entries().front(), file) << "the opened project moves to the top";
  EXPECT_EQ(recent.Entries().size(), 2u);
}

}  // namespace
}  // namespace qy
