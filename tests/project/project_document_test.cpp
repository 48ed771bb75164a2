#include "project/project_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/codec.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "project/project_file.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::FakeProgress;
using testing::FakePrompter;
using testing::TempDir;

std::string DataFile(const std::string& name) {
  return std::string(QY_TEST_DATA_DIR) + "/project/" + name;
}

class RecordingView : public DocumentView {
 public:
  void SetCaption(const std::string& c) override { caption = c; }
  void SetPropertiesMenuText(const std::string& t) override { menu = t; }
  void ClearEditorUndo() override { ++undo_clears; }
  void FocusEditor() override { ++focuses; }
  void ClearPageTree() override { tree_pages = 0; }
  void ShowPageTree(const PageTree& tree, int selected) override {
    tree_pages = tree.count;
    selected_page = selected;
  }
  void ResetPageViews(bool keep) override { keep_message_pane.push_back(keep); }

  std::string caption, menu;
  int undo_clears = 0, focuses = 0, tree_pages = -1, selected_page = 0;
  std::vector<bool> keep_message_pane;
};

class ScriptedChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions& o) override {
    asked.push_back(o);
    return answer;
  }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions& o) override {
    asked.push_back(o);
    return answer;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> answer;
  std::vector<FileDialogOptions> asked;
};

class ProjectDocumentTest : public ::testing::Test {
 protected:
  ProjectDocumentTest()
      : settings(dir.File("quillory.ini")),
        doc(model, view, prompter, progress, chooser, settings, dir.path()) {
    doc.add_recent_file = [this](const std::string& f) { recent.push_back(f); };
    doc.write_context_list = [this](const std::string& f) { context_lists.push_back(f); };
    doc.rebuild_bitmap_menus = [this] { bitmap_sections.push_back(model.Header().BitmapSection); };
    doc.NewProject();
  }

  std::string Untitled() const { return dir.File("Project1.qyp"); }
  void ExpectUntitled() {
    EXPECT_EQ(model.ProjectFileName(), Untitled());
    EXPECT_EQ(view.caption, "Project1.qyp - Quillory");
    EXPECT_EQ(view.menu, "Project1.qyp" + Sjis(" のプロパティ(&P)..."));
    EXPECT_TRUE(doc.IsUntitled());
    ASSERT_EQ(model.PageCount(), 1);
    EXPECT_EQ(model.Page(1).Context, "HLP000001");
    EXPECT_EQ(model.Page(1).ContextID, 1);
    EXPECT_EQ(model.Header(), ProjectHeader::Defaults());
    EXPECT_FALSE(model.Modified());
    EXPECT_FALSE(progress.visible);
    EXPECT_EQ(view.tree_pages, 1);
  }
  // A copy of a golden file in the temporary folder.
  std::string Copy(const std::string& name, const std::string& as) {
    auto data = ReadWholeFile(DataFile(name));
    EXPECT_TRUE(data);
    WriteFileAtomic(dir.File(as), *data);
    return dir.File(as);
  }

  TempDir dir;
  ProjectModel model;
  RecordingView view;
  FakePrompter prompter;
  FakeProgress progress;
  ScriptedChooser chooser;
  Settings settings;
  ProjectDocument doc;
  std::vector<std::string> recent, context_lists, bitmap_sections;
};

std::string CorruptMessage(int n) {
  return Sjis("プロジェクトエラー : ") + std::to_string(n) + "\r\n\r\n" +
         Sjis("プロジェクトファイルが壊れています。");
}

// --- Open ----------------------------------------------------------------------

TEST_F(ProjectDocumentTest, OpensACurrentProject) {
  const std::string file = Copy("current.qyp", "help.qyp");
  model.SetModified(true);
  ASSERT_TRUE(doc.OpenProject(file, true));
  EXPECT_EQ(model.ProjectFileName(), file);
  EXPECT_EQ(model.PageCount(), 6);
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(view.caption, "help.qyp - Quillory");
  EXPECT_EQ(view.menu, "help.qyp" + Sjis(" のプロパティ(&P)..."));
  EXPECT_FALSE(doc.IsUntitled());
  EXPECT_EQ(recent, std::vector<std::string>{file});
  EXPECT_EQ(view.tree_pages, 6);
  EXPECT_EQ(view.selected_page, 1);
  EXPECT_EQ(view.focuses, 1);
  EXPECT_FALSE(progress.visible);
  EXPECT_EQ(progress.maximum, 999);
  EXPECT_EQ(progress.position, 999);
  ASSERT_FALSE(progress.statuses.empty());
  EXPECT_EQ(progress.statuses.back(), "0:help.qyp" + Sjis(" を開いています..."));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(model.Header().BitmapSection, "Etcetera");
  EXPECT_EQ(bitmap_sections, std::vector<std::string>{"Etcetera"});
  EXPECT_TRUE(context_lists.empty());  // ContextList is off
}

TEST_F(ProjectDocumentTest, OpenSetsTheProjectsOwnBitmapSectionAndContextList) {
  ProjectModel m;
  m.Header().ProjectOptions = "00000001main";
  m.AppendPage(m.MakeNewPage());
  const std::string file = dir.File("My Help.QYP");
  ASSERT_TRUE(WriteProjectFile(m, file));
  settings.SetBool(keys::kOptionContextList, true);
  ASSERT_TRUE(doc.OpenProject(file, false));
  EXPECT_EQ(model.Header().BitmapSection, "my help.qyp");
  EXPECT_EQ(bitmap_sections.back(), "my help.qyp");
  EXPECT_EQ(context_lists.back(), dir.File("My Help.hls"));
  EXPECT_EQ(view.focuses, 0);
}

TEST_F(ProjectDocumentTest, OlderVersionsOpenWithTheirOwnLayout) {
  // The layouts themselves are project_file_test's.
  ASSERT_TRUE(doc.OpenProject(Copy("v160.qyp", "v160.qyp"), false));
  EXPECT_TRUE(prompter.shown.empty()) << "1.60 is read again without a question";
  prompter.answers = {Answer::kOk};
  ASSERT_TRUE(doc.OpenProject(Copy("v130.qyp", "old.qyp"), false));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(model.Page(1).ContextID, 42);  // read as 1.30, not as the current layout
  EXPECT_EQ(view.caption, "old.qyp - Quillory");
}

TEST_F(ProjectDocumentTest, CancelledConversionLeavesANewUntitledProject) {
  ASSERT_TRUE(doc.OpenProject(Copy("current.qyp", "first.qyp"), false));
  model.SetModified(true);
  prompter.answers = {Answer::kCancel};
  EXPECT_FALSE(doc.OpenProject(Copy("v145.qyp", "v145.qyp"), true));
  ExpectUntitled();
}

TEST_F(ProjectDocumentTest, FailuresLeaveANewUntitledProjectNeverAPartOne) {
  const std::string good = Copy("current.qyp", "good.qyp");
  auto text = ReadWholeFile(good);
  ASSERT_TRUE(text);
  // The last page's "begin{" line broken: five pages would have been read.
  std::string broken = *text;
  std::size_t last = broken.rfind("begin{");
  broken.replace(last, 6, "begun{");
  const std::string bad = dir.File("bad.qyp");
  ASSERT_TRUE(WriteFileAtomic(bad, broken));
  int begin_line = 1;
  for (std::size_t i = 0; i < last; ++i) begin_line += broken[i] == '\n';

  ASSERT_TRUE(doc.OpenProject(good, false));
  EXPECT_FALSE(doc.OpenProject(bad, false));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].kind, "warning");
  EXPECT_EQ(prompter.shown[0].text, CorruptMessage(begin_line + 5));
  ExpectUntitled();
  EXPECT_EQ(recent, std::vector<std::string>{good});

  prompter.shown.clear();
  const std::string missing = dir.File("gone.qyp");
  EXPECT_FALSE(doc.OpenProject(missing, true));
  EXPECT_EQ(prompter.shown.size(), 1u);
  ExpectUntitled();
  EXPECT_EQ(view.focuses, 1);

  prompter.shown.clear();
  EXPECT_FALSE(doc.OpenProject(Copy("v101.qyp", "v101.qyp"), false));
  EXPECT_EQ(prompter.shown.size(), 1u);
  ExpectUntitled();
}

TEST_F(ProjectDocumentTest, CorruptOlderVersionReportsTheSecondResult) {
  auto text = ReadWholeFile(DataFile("v160.qyp"));
  ASSERT_TRUE(text);
  const std::string file = dir.File("cut.qyp");
  // Ends inside the first topic, whose "}end" would be line 35.
  ASSERT_TRUE(WriteFileAtomic(file, text->substr(0, text->find("}end", text->find("HLP000002}")))));
  EXPECT_FALSE(doc.OpenProject(file, false));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, CorruptMessage(35));
  ExpectUntitled();
}

// --- New and clear -----------------------------------------------------------------

TEST_F(ProjectDocumentTest, ClearProjectDeletesTheContextListUnlessKept) {
  const std::string file = Copy("current.qyp", "p.qyp");
  const std::string hls = dir.File("p.hls");
  ASSERT_TRUE(doc.OpenProject(file, false));
  ASSERT_TRUE(WriteFileAtomic(hls, "list"));

  settings.SetBool(keys::kOptionContextList, true);
  settings.SetBool(keys::kDebugDebugSave, true);
  doc.ClearProject();
  EXPECT_TRUE(FileExists(hls));
  EXPECT_TRUE(view.keep_message_pane.back());
  EXPECT_EQ(model.PageCount(), 0);
  EXPECT_EQ(model.ProjectFileName(), "");

  ASSERT_TRUE(doc.OpenProject(file, false));
  settings.SetBool(keys::kOptionContextList, false);
  settings.SetBool(keys::kDebugDebugSave, false);
  doc.ClearProject();
  EXPECT_FALSE(FileExists(hls));
  EXPECT_FALSE(view.keep_message_pane.back());
}

TEST_F(ProjectDocumentTest, NewProjectWritesTheContextListWhenKept) {
  settings.SetBool(keys::kOptionContextList, true);
  context_lists.clear();
  const int undo = view.undo_clears;
  doc.NewProject();
  EXPECT_EQ(context_lists, std::vector<std::string>{dir.File("Project1.hls")});
  EXPECT_EQ(view.undo_clears, undo + 1);
  ExpectUntitled();
}

// --- Save -------------------------------------------------------------------------

TEST_F(ProjectDocumentTest, SaveCommandWritesOnlyAModifiedProject) {
  const std::string file = Copy("current.qyp", "p.qyp");
  ASSERT_TRUE(doc.OpenProject(file, false));
  ASSERT_TRUE(WriteFileAtomic(file, "untouched"));
  EXPECT_TRUE(doc.SaveCommand());
  EXPECT_EQ(ReadWholeFile(file), "untouched");
  EXPECT_EQ(progress.statuses.back(),
            "0:" + Sjis("プロジェクト ") + "p.qyp" + Sjis(" は変更されていません。"));

  model.MutablePage(1).Title = "changed";
  model.SetModified(true);
  EXPECT_TRUE(doc.SaveCommand());
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(ReadWholeFile(file), BuildProjectFileText(model));
  EXPECT_TRUE(chooser.asked.empty());
}

TEST_F(ProjectDocumentTest, UntitledProjectIsSavedThroughTheSaveDialog) {
  model.SetModified(true);
  chooser.answer = std::nullopt;
  EXPECT_FALSE(doc.SaveCommand());
  EXPECT_TRUE(model.Modified());
  ASSERT_EQ(chooser.asked.size(), 1u);
  const FileDialogOptions& o = chooser.asked[0];
  EXPECT_EQ(o.title, Sjis("名前をつけてプロジェクトの保存"));
  EXPECT_EQ(o.filter, Sjis("Quillory プロジェクト (*.qyp)|*.qyp|すべてのファイル (*.*)|*.*"));
  EXPECT_EQ(o.default_extension, "qyp");
  EXPECT_EQ(o.initial_path, Untitled());
  EXPECT_TRUE(o.confirm_overwrite);
  EXPECT_FALSE(FileExists(Untitled()));

  chooser.answer = dir.File("named.qyp");
  EXPECT_TRUE(doc.SaveCommand());
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(model.ProjectFileName(), dir.File("named.qyp"));
  EXPECT_EQ(view.caption, "named.qyp - Quillory");
  EXPECT_EQ(view.menu, "named.qyp" + Sjis(" のプロパティ(&P)..."));
  EXPECT_EQ(recent.back(), dir.File("named.qyp"));
  EXPECT_FALSE(doc.IsUntitled());
  EXPECT_EQ(ReadWholeFile(dir.File("named.qyp")), BuildProjectFileText(model));
}

TEST_F(ProjectDocumentTest, SaveAsCopiesBitmapSettingsAndSideFiles) {
  ProjectModel m;
  m.Header().ProjectOptions = "00000001main";
  m.AppendPage(m.MakeNewPage());
  const std::string old_file = dir.File("Old.qyp");
  ASSERT_TRUE(WriteProjectFile(m, old_file));
  ASSERT_TRUE(doc.OpenProject(old_file, false));
  ASSERT_EQ(model.Header().BitmapSection, "old.qyp");
  IniFile& ini = settings.file();
  ini.WriteString("old.qyp", "BitmapPath", "c:\\pics");
  ini.WriteString("old.qyp", "BitmapName3", "a.bmp");
  ini.WriteString("old.qyp", "BitmapTitle9", Sjis("絵"));
  ini.WriteString("old.qyp", "BitmapCheck1", "True");
  ASSERT_TRUE(WriteFileAtomic(dir.File("Old.qym"), "map"));
  ASSERT_TRUE(WriteFileAtomic(dir.File("Old.hls"), "list"));

  chooser.answer = dir.File("New.QYP");
  ASSERT_TRUE(doc.SaveProjectAs());
  EXPECT_EQ(model.Header().BitmapSection, "new.qyp");
  EXPECT_EQ(bitmap_sections.back(), "new.qyp");
  EXPECT_EQ(ini.ReadString("new.qyp", "BitmapPath"), "c:\\pics");
  EXPECT_EQ(ini.ReadString("new.qyp", "BitmapName3"), "a.bmp");
  EXPECT_EQ(ini.ReadString("new.qyp", "BitmapTitle9"), Sjis("絵"));
  EXPECT_EQ(ini.ReadString("new.qyp", "BitmapCheck1"), "True");
  EXPECT_TRUE(ini.HasKey("new.qyp", "BitmapCheck9"));
  EXPECT_EQ(ReadWholeFile(dir.File("New.qym")), "map");
  EXPECT_EQ(ReadWholeFile(dir.File("New.hls")), "list");
  EXPECT_TRUE(FileExists(dir.File("New.QYP")));
}

TEST_F(ProjectDocumentTest, SaveAsWithoutOwnBitmapListCopiesNoSettings) {
  const std::string file = Copy("current.qyp", "p.qyp");
  ASSERT_TRUE(doc.OpenProject(file, false));
  bitmap_sections.clear();
  chooser.answer = dir.File("q.qyp");
  ASSERT_TRUE(doc.SaveProjectAs());
  EXPECT_TRUE(settings.file().ReadSections().empty());
  EXPECT_TRUE(bitmap_sections.empty());
  EXPECT_EQ(model.Header().BitmapSection, "Etcetera");
  EXPECT_FALSE(FileExists(dir.File("q.qym")));
}

TEST_F(ProjectDocumentTest, FailedSaveKeepsModifiedAndSaysWhy) {
  const std::string file = Copy("current.qyp", "p.qyp");
  ASSERT_TRUE(doc.OpenProject(file, false));
  model.SetModified(true);

  // The project's file has become a folder.
  ASSERT_TRUE(RemoveFile(file));
  ASSERT_TRUE(std::filesystem::create_directory(file));
  EXPECT_FALSE(doc.SaveCommand());
  EXPECT_TRUE(model.Modified());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].kind, "error");
  EXPECT_NE(prompter.shown[0].text.find("\"" + file + "\""), std::string::npos);

  // Save as into a folder that does not exist: nothing moves to the new name.
  chooser.answer = dir.File("no/such/folder/x.qyp");
  EXPECT_FALSE(doc.SaveProjectAs());
  EXPECT_TRUE(model.Modified());
  EXPECT_EQ(model.ProjectFileName(), file);
  EXPECT_EQ(view.caption, "p.qyp - Quillory");
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].kind, "error");
  EXPECT_NE(prompter.shown[1].text.find("No such file or directory"), std::string::npos);
}

// --- The question about unsaved changes ------------------------------------------

std::string SaveQuestion(const std::string& name) {
  return Sjis("プロジェクト ") + name + Sjis(" の内容が変更されています。") + "\r\n\r\n" +
         Sjis("変更を保存しますか ?");
}

TEST_F(ProjectDocumentTest, ConfirmSaveChangesAnswers) {
  const std::string file = Copy("current.qyp", "p.qyp");
  ASSERT_TRUE(doc.OpenProject(file, false));
  EXPECT_TRUE(doc.ConfirmSaveChanges());  // unchanged: no question
  EXPECT_TRUE(prompter.shown.empty());

  ASSERT_TRUE(WriteFileAtomic(file, "old"));
  model.SetModified(true);
  prompter.answers = {Answer::kCancel};
  EXPECT_FALSE(doc.ConfirmSaveChanges());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, SaveQuestion("p.qyp"));
  EXPECT_EQ(prompter.shown[0].buttons, Buttons::kYesNoCancel);
  EXPECT_TRUE(model.Modified());

  prompter.answers = {Answer::kNo};
  EXPECT_TRUE(doc.ConfirmSaveChanges());
  EXPECT_EQ(ReadWholeFile(file), "old");
  EXPECT_TRUE(model.Modified());

  prompter.answers = {Answer::kYes};
  EXPECT_TRUE(doc.ConfirmSaveChanges());
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(ReadWholeFile(file), BuildProjectFileText(model));
  EXPECT_TRUE(chooser.asked.empty());
}

TEST_F(ProjectDocumentTest, ConfirmSaveChangesOnANeverSavedProject) {
  model.SetModified(true);
  prompter.answers = {Answer::kYes};
  chooser.answer = std::nullopt;  // the save dialog cancelled: stop
  EXPECT_FALSE(doc.ConfirmSaveChanges());
  EXPECT_TRUE(model.Modified());

  prompter.answers = {Answer::kYes};
  chooser.answer = dir.File("saved.qyp");
  EXPECT_TRUE(doc.ConfirmSaveChanges());
  EXPECT_TRUE(FileExists(dir.File("saved.qyp")));
  EXPECT_FALSE(model.Modified());
}

TEST_F(ProjectDocumentTest, PageOutInTheExternalEditorStopsTheCommand) {
  bool out = true;
  doc.take_back_external_page = [&] { return !out; };
  EXPECT_FALSE(doc.ConfirmSaveChanges());
  EXPECT_FALSE(doc.NewCommand());
  out = false;
  EXPECT_TRUE(doc.ConfirmSaveChanges());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ProjectDocumentTest, OpenAndNewCommandsAskFirst) {
  model.SetModified(true);
  prompter.answers = {Answer::kCancel};
  EXPECT_FALSE(doc.OpenCommand(false));
  EXPECT_TRUE(chooser.asked.empty());

  prompter.answers = {Answer::kNo};
  chooser.answer = Copy("current.qyp", "c.qyp");
  EXPECT_TRUE(doc.OpenCommand(false));
  ASSERT_EQ(chooser.asked.size(), 1u);
  EXPECT_EQ(chooser.asked[0].title, Sjis("プロジェクトを開く"));
  EXPECT_TRUE(chooser.asked[0].must_exist);
  EXPECT_EQ(model.PageCount(), 6);

  model.SetModified(true);
  prompter.answers = {Answer::kNo};
  EXPECT_TRUE(doc.NewCommand());
  ExpectUntitled();
}

}  // namespace
}  // namespace qy
