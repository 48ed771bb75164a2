#include "shell/recent_files.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"
#include "open_chooser.h"
#include "project/project_file.h"
#include "support/fakes.h"

namespace qy {
namespace {

using Files = std::vector<std::string>;

class RecentFilesTest : public ::testing::Test {
 protected:
  RecentFilesTest() {
    recent.on_changed = [this] { ++rebuilds; };
    recent.Attach(document);
  }
  void Visit(std::initializer_list<std::string> files) {
    for (const std::string& file : files) recent.NoteProjectFile(file);
  }
  // A real project file in the temporary folder.
  std::string MakeProject(const std::string& name) {
    ProjectModel other;
    other.NewProject(dir.path());
    EXPECT_TRUE(WriteProjectFile(other, dir.File(name)));
    return dir.File(name);
  }

  testing::TempDir dir;
  Settings settings{dir.File("quillory.ini")};
  RecentFiles recent{settings};
  int rebuilds = 0;
  ProjectModel model;
  NullDocumentView view;
  testing::FakePrompter prompter;
  testing::FakeProgress progress;
  testing::OpenChooser chooser;
  ProjectDocument document{model, view, prompter, progress, chooser, settings, dir.path()};
};

TEST_F(RecentFilesTest, NewestFirstWithoutDuplicatesAndAtMostFive) {
  Visit({"a", "b", "c"});
  EXPECT_TRUE(recent.RecentFileKnown("a"));
  EXPECT_EQ(recent.Entries(), (Files{"a", "c", "b"})) << "a known file moves to the top";
  EXPECT_FALSE(recent.RecentFileKnown("z"));
  Visit({"d", "e", "f"});
  EXPECT_EQ(recent.Entries(), (Files{"f", "e", "d", "a", "c"}))
      << "the sixth pushes out the oldest";
  EXPECT_GT(rebuilds, 0);
  // Letter case counts on Linux: two spellings are two files.
  EXPECT_FALSE(SamePath("/P/a.qyp", "/p/a.qyp"));
  Visit({"/p/A.qyp", "/p/a.qyp"});
  EXPECT_FALSE(recent.RecentFileKnown("/p/A.QYP"));
  EXPECT_EQ(recent.Entries()[1], "/p/A.qyp");
  // Japanese names are kept as Shift-JIS.
  Visit({dir.File("資料.qyp")});
  EXPECT_EQ(recent.Entries()[0], Utf8ToCp932(dir.File("資料.qyp")));
}

TEST_F(RecentFilesTest, RemovingMovesTheLaterEntriesUp) {
  Visit({"e", "d", "c", "b", "a"});
  recent.RemoveRecentFile(2);
  EXPECT_EQ(recent.Entries(), (Files{"a", "c", "d", "e"}));
  EXPECT_EQ(settings.GetString(keys::RecentFile(5)), "");
  recent.RemoveRecentFile(9);
  recent.ClearRecentFiles();
  EXPECT_TRUE(recent.Entries().empty());
  EXPECT_FALSE(recent.SeparatorVisible());
  // The list ends at the first empty key, and adding does not revive past it.
  settings.SetString(keys::RecentFile(1), "one");
  settings.SetString(keys::RecentFile(3), "stale");
  Visit({"two"});
  EXPECT_EQ(recent.Entries(), (Files{"two", "one"}));
  EXPECT_EQ(settings.GetString(keys::RecentFile(3)), "");
}

TEST_F(RecentFilesTest, OpeningAMissingFileWarnsAndRemovesOnlyThatEntry) {
  const std::string kept = MakeProject("kept.qyp");
  Visit({kept, dir.File("gone.qyp"), dir.File("other.qyp")});
  EXPECT_FALSE(recent.OpenRecentFile(2, document, prompter));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find(dir.File("gone.qyp")), std::string::npos);
  EXPECT_EQ(recent.Entries(), (Files{dir.File("other.qyp"), kept}));
}

TEST_F(RecentFilesTest, OpeningAListedFileAsksAboutChangesThenOpensIt) {
  document.NewProject();
  const std::string file = MakeProject("kept.qyp");
  Visit({file, dir.File("newer.qyp")});
  model.SetModified(true);
  prompter.answers.push_back(Answer::kCancel);
  EXPECT_FALSE(recent.OpenRecentFile(2, document, prompter)) << "the user cancelled";
  EXPECT_NE(model.ProjectFileName(), file);

  model.SetModified(false);
  EXPECT_TRUE(recent.OpenRecentFile(2, document, prompter));
  EXPECT_EQ(model.ProjectFileName(), file);
}

}  // namespace
}  // namespace qy
