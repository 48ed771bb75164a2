#include "project/project_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

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

// Only the page count of the tree shown is looked at.
class RecordingView : public DocumentView {
 public:
  void SetCaption(const std::string&) override {}
  void SetPropertiesMenuText(const std::string&) override {}
  void ClearEditorUndo() override {}
  void FocusEditor() override {}
  void ClearPageTree() override { tree_pages = 0; }
  void ShowPageTree(const PageTree& tree, int) override { tree_pages = tree.count; }
  void ResetPageViews(bool) override {}

  int tree_pages = -1;
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

  void ExpectUntitled() {
    EXPECT_EQ(model.ProjectFileName(), dir.File("Project1.qyp"));
    EXPECT_TRUE(doc.IsUntitled());
    ASSERT_EQ(model.PageCount(), 1);
    EXPECT_EQ(model.Page(1).Context, "HLP000001");
    EXPECT_EQ(model.Header(), ProjectHeader::Defaults());
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(view.tree_pages, 1);
  }
  // A copy of a golden file in the temporary folder.
  std::string Copy(const std::string& name, const std::string& as) {
    auto data = ReadWholeFile(DataFile(name));
    EXPECT_TRUE(data);
    WriteFileAtomic(dir.File(as), *data);
    return dir.File(as);
  }
  // A project of `pages` new pages, with `extra` before its end line, written
  // to p.qyp and opened.
  std::string OpenWritten(int pages, const std::string& extra = "") {
    ProjectModel m;
    for (int i = 0; i < pages; ++i) m.AppendPage(m.MakeNewPage());
    std::string text = BuildProjectFileText(m);
    text.insert(text.rfind("//End//"), extra);
    EXPECT_TRUE(WriteFileAtomic(dir.File("p.qyp"), text));
    EXPECT_TRUE(doc.OpenProject(dir.File("p.qyp"), false));
    return dir.File("p.qyp");
  }
  // Whether message `i` holds `utf8`.
  bool Says(std::size_t i, const std::string& utf8) const {
    return i < prompter.shown.size() &&
           prompter.shown[i].text.find(Sjis(utf8)) != std::string::npos;
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

// --- Open ----------------------------------------------------------------------

TEST_F(ProjectDocumentTest, OpensACurrentProject) {
  const std::string file = Copy("current.qyp", "help.qyp");
  model.SetModified(true);
  ASSERT_TRUE(doc.OpenProject(file, true));
  EXPECT_EQ(model.PageCount(), 6);
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(recent, std::vector<std::string>{file});
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(bitmap_sections, std::vector<std::string>{"Etcetera"});
  EXPECT_TRUE(context_lists.empty());  // ContextList is off
}

TEST_F(ProjectDocumentTest, OlderVersionsOpenWithTheirOwnLayout) {
  // The layouts themselves are project_file_test's.
  prompter.answers = {Answer::kOk};
  ASSERT_TRUE(doc.OpenProject(Copy("v130.qyp", "old.qyp"), false));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(model.Page(1).ContextID, 42);  // read as 1.30, not as the current layout
}

// A cancelled conversion, a corrupt, missing or refused file: never a part of
// a project, always a new untitled one.
TEST_F(ProjectDocumentTest, FailuresLeaveANewUntitledProjectNeverAPartOne) {
  const std::string good = Copy("current.qyp", "good.qyp");
  std::string broken = *ReadWholeFile(good);
  const std::size_t last = broken.rfind("begin{");
  broken.replace(last, 6, "begun{");  // five pages would have been read
  ASSERT_TRUE(WriteFileAtomic(dir.File("bad.qyp"), broken));
  const int begin_line = 1 + std::count(broken.begin(), broken.begin() + last, '\n');
  // The 1.60 file ends inside the first topic, whose "}end" would be line 35.
  const std::string v160 = *ReadWholeFile(DataFile("v160.qyp"));
  ASSERT_TRUE(WriteFileAtomic(dir.File("cut.qyp"),
                              v160.substr(0, v160.find("}end", v160.find("HLP000002}")))));
  const std::tuple<std::string, Answer, std::string> cases[] = {
      {Copy("v145.qyp", "v145.qyp"), Answer::kCancel, ""},
      {dir.File("bad.qyp"), Answer::kOk, "プロジェクトエラー : " + std::to_string(begin_line + 5)},
      {dir.File("cut.qyp"), Answer::kOk, "プロジェクトエラー : 35"},
      {dir.File("gone.qyp"), Answer::kOk, ""},
      {Copy("v101.qyp", "v101.qyp"), Answer::kOk, ""},
  };
  for (const auto& [file, answer, message] : cases) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(doc.OpenProject(good, false));
    model.SetModified(true);
    prompter.shown.clear();
    prompter.answers = {answer};
    EXPECT_FALSE(doc.OpenProject(file, false));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(Says(0, message));
    ExpectUntitled();
  }
  EXPECT_EQ(recent, std::vector<std::string>(5, good));
}

// --- New and clear -----------------------------------------------------------------

TEST_F(ProjectDocumentTest, ClearProjectDeletesTheContextListUnlessKept) {
  const std::string file = Copy("current.qyp", "p.qyp");
  const std::string hls = dir.File("p.hls");
  for (bool keep : {true, false}) {
    ASSERT_TRUE(doc.OpenProject(file, false));
    ASSERT_TRUE(WriteFileAtomic(hls, "list"));
    settings.SetBool(keys::kOptionContextList, keep);
    settings.SetBool(keys::kDebugDebugSave, keep);
    doc.ClearProject();
    EXPECT_EQ(FileExists(hls), keep);
    EXPECT_EQ(model.PageCount(), 0);
  }
  // A new project writes its list when lists are kept.
  settings.SetBool(keys::kOptionContextList, true);
  context_lists.clear();
  doc.NewProject();
  EXPECT_EQ(context_lists, std::vector<std::string>{dir.File("Project1.hls")});
  ExpectUntitled();
}

// --- Save -------------------------------------------------------------------------

TEST_F(ProjectDocumentTest, SaveCommandWritesOnlyAModifiedProject) {
  const std::string file = Copy("current.qyp", "p.qyp");
  ASSERT_TRUE(doc.OpenProject(file, false));
  ASSERT_TRUE(WriteFileAtomic(file, "untouched"));
  EXPECT_TRUE(doc.SaveCommand());
  EXPECT_EQ(ReadWholeFile(file), "untouched");
  model.MutablePage(1).Title = "changed";
  model.SetModified(true);
  EXPECT_TRUE(doc.SaveCommand());
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(ReadWholeFile(file), BuildProjectFileText(model));
  EXPECT_TRUE(chooser.asked.empty());
}

// A project with a bitmap list of its own (option 8) has a section named
// after its file; with context lists kept, opening writes the list.
TEST_F(ProjectDocumentTest, OwnBitmapSectionAndSaveAsCopiesSettingsAndSideFiles) {
  ProjectModel m;
  m.Header().ProjectOptions = "00000001main";
  m.AppendPage(m.MakeNewPage());
  ASSERT_TRUE(WriteProjectFile(m, dir.File("Old.qyp")));
  settings.SetBool(keys::kOptionContextList, true);
  ASSERT_TRUE(doc.OpenProject(dir.File("Old.qyp"), false));
  EXPECT_EQ(bitmap_sections.back(), "old.qyp");
  EXPECT_EQ(context_lists.back(), dir.File("Old.hls"));
  settings.SetBool(keys::kOptionContextList, false);
  IniFile& ini = settings.file();
  const std::pair<const char*, std::string> values[] = {{"BitmapPath", "c:\\pics"},
                                                        {"BitmapTitle9", Sjis("絵")}};
  for (const auto& [key, value] : values) ini.WriteString("old.qyp", key, value);
  ASSERT_TRUE(WriteFileAtomic(dir.File("Old.qym"), "map"));
  ASSERT_TRUE(WriteFileAtomic(dir.File("Old.hls"), "list"));

  chooser.answer = dir.File("New.QYP");
  ASSERT_TRUE(doc.SaveProjectAs());
  EXPECT_EQ(bitmap_sections.back(), "new.qyp");
  for (const auto& [key, value] : values) EXPECT_EQ(ini.ReadString("new.qyp", key), value);
  EXPECT_EQ(ReadWholeFile(dir.File("New.qym")), "map");
  EXPECT_EQ(ReadWholeFile(dir.File("New.hls")), "list");
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
  // Save as into a folder that does not exist: nothing moves to the new name.
  chooser.answer = dir.File("no/such/folder/x.qyp");
  EXPECT_FALSE(doc.SaveProjectAs());
  EXPECT_TRUE(model.Modified());
  EXPECT_EQ(model.ProjectFileName(), file);
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].kind, "error");
  EXPECT_NE(prompter.shown[0].text.find("\"" + file + "\""), std::string::npos);
  EXPECT_NE(prompter.shown[1].text.find("No such file or directory"), std::string::npos);
}

// --- The question about unsaved changes ------------------------------------------

TEST_F(ProjectDocumentTest, ConfirmSaveChangesAnswers) {
  const std::string file = Copy("current.qyp", "p.qyp");
  ASSERT_TRUE(doc.OpenProject(file, false));
  EXPECT_TRUE(doc.ConfirmSaveChanges());  // unchanged: no question
  EXPECT_TRUE(prompter.shown.empty());

  ASSERT_TRUE(WriteFileAtomic(file, "old"));
  model.SetModified(true);
  prompter.answers = {Answer::kCancel, Answer::kNo, Answer::kYes};
  EXPECT_FALSE(doc.ConfirmSaveChanges());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(doc.ConfirmSaveChanges());
  EXPECT_EQ(ReadWholeFile(file), "old");
  EXPECT_TRUE(model.Modified());
  EXPECT_TRUE(doc.ConfirmSaveChanges());
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(ReadWholeFile(file), BuildProjectFileText(model));

  // A never saved project goes through the save dialog; cancelled, it stops
  // the command.
  doc.NewProject();
  model.SetModified(true);
  prompter.answers = {Answer::kYes, Answer::kYes};
  EXPECT_FALSE(doc.ConfirmSaveChanges());
  EXPECT_TRUE(model.Modified());
  EXPECT_FALSE(FileExists(dir.File("Project1.qyp")));
  chooser.answer = dir.File("saved.qyp");
  EXPECT_TRUE(doc.ConfirmSaveChanges());
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(model.ProjectFileName(), dir.File("saved.qyp"));
  EXPECT_EQ(ReadWholeFile(dir.File("saved.qyp")), BuildProjectFileText(model));
}

TEST_F(ProjectDocumentTest, OpenAndNewCommandsAskFirst) {
  bool out = true;  // a page out in the external editor stops the command
  doc.take_back_external_page = [&] { return !out; };
  EXPECT_FALSE(doc.NewCommand());
  out = false;
  model.SetModified(true);
  prompter.answers = {Answer::kCancel, Answer::kNo, Answer::kNo};
  EXPECT_FALSE(doc.OpenCommand(false));
  chooser.answer = Copy("current.qyp", "c.qyp");
  EXPECT_TRUE(doc.OpenCommand(false));
  EXPECT_EQ(model.PageCount(), 6);
  model.SetModified(true);
  EXPECT_TRUE(doc.NewCommand());
  ExpectUntitled();
}

// --- Saves that would lose work ------------------------------------------------

TEST_F(ProjectDocumentTest, EndMarkerLineRefusesTheSaveAndOffersThePage) {
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
  EXPECT_TRUE(Says(0, "[CONFIG] の 2 行目"));
  EXPECT_TRUE(Says(0, "ページ 2 \"second\" の 1 行目"));
  EXPECT_TRUE(Says(0, " の 3 行目"));
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

TEST_F(ProjectDocumentTest, ReadingRepairsEmptyContextsAndCountsPagesLeftOut) {
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

  // Two pages beyond the 999th: told at open, asked about on a save over the file.
  std::string block = BuildProjectFileText(m);
  block = block.substr(block.find("//Page//"));
  block = block.substr(0, block.find("//Page//", 1));
  prompter.shown.clear();
  OpenWritten(kMaxPages, block + block);
  const auto before = ReadWholeFile(file);
  EXPECT_EQ(doc.pages_left_out(), 2);
  EXPECT_EQ(model.PageCount(), kMaxPages);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(Says(0, "後ろの 2 ページは読み込まれていません。"));
  prompter.answers.push_back(Answer::kCancel);
  EXPECT_FALSE(doc.SaveProject());
  EXPECT_TRUE(Says(1, "読み込まれていない 2 ページ"));
  EXPECT_EQ(ReadWholeFile(file), before);
  EXPECT_TRUE(doc.SaveProject());  // answered OK
  EXPECT_EQ(doc.pages_left_out(), 0);
}

TEST_F(ProjectDocumentTest, OpenFailuresAndProjectsNamedLikeTheirLists) {
  std::filesystem::create_directory(dir.File("folder.qyp"));
  EXPECT_FALSE(doc.OpenProject(dir.File("folder.qyp"), false));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find("Is a directory"), std::string::npos);

  // A project named like its context list keeps its file.
  const std::string hls = dir.File("p.hls");
  ProjectModel m;
  m.AppendPage(m.MakeNewPage());
  ASSERT_TRUE(WriteFileAtomic(hls, BuildProjectFileText(m)));
  settings.SetBool(keys::kOptionContextList, true);
  context_lists.clear();
  ASSERT_TRUE(doc.OpenProject(hls, false));
  EXPECT_TRUE(context_lists.empty());
  settings.SetBool(keys::kOptionContextList, false);
  doc.NewProject();
  EXPECT_TRUE(FileExists(hls));
}

}  // namespace
}  // namespace qy
