#include "project/project_document.h"

#include <utility>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"
#include "project/context_list.h"
#include "project/project_file.h"

namespace qy {

namespace {

constexpr int kOpenProgressRange = 999;
// Titles named one by one in the "}end" warning; the rest are counted.
constexpr std::size_t kMaxNamedPages = 10;

FileDialogOptions ProjectDialog(const char* title, const std::string& initial_path) {
  FileDialogOptions o;
  o.title = Sjis(title);
  o.filter = Sjis("Quillory プロジェクト (*.qyp)|*.qyp|すべてのファイル (*.*)|*.*");
  o.default_extension = "qyp";
  o.initial_path = initial_path;
  return o;
}

std::string CorruptMessage(int result) {
  return Sjis("プロジェクトエラー : ") + std::to_string(result) + "\r\n\r\n" +
         Sjis("プロジェクトファイルが壊れています。");
}

std::string SaveFailedMessage(const std::string& file, const std::string& reason) {
  return "\r\n" + Sjis("プロジェクトファイル ") + "\"" + file + "\"" +
         Sjis(" を保存できませんでした。") + "\r\n\r\n" + Sjis("理由 : ") + reason + "\r\n\r\n" +
         Sjis("プロジェクトは保存されていません。");
}

}  // namespace

std::string EndMarkerWarning(const ProjectModel& model, const std::vector<int>& pages) {
  std::string text = "\r\n" + Sjis("次の箇所に 「}end」 だけの行があります。") + "\r\n\r\n";
  std::size_t named = 0;
  for (int page : pages) {
    if (named == kMaxNamedPages) break;
    ++named;
    if (page == 0) {
      text += Sjis("プロジェクトのプロパティ ([WINDOWS]、[CONFIG]、登録単語)");
    } else {
      text += Sjis("ページ ") + "\"" + model.Page(page).Title + "\"";
    }
    text += "\r\n";
  }
  if (pages.size() > named) {
    text += Sjis("ほか ") + std::to_string(pages.size() - named) + Sjis(" 箇所") + "\r\n";
  }
  text += "\r\n" + Sjis("「}end」 だけの行はプロジェクトファイルに保存できません。") + "\r\n" +
          Sjis("次にプロジェクトを開くとき、その行から後ろが切り捨てられ、") + "\r\n" +
          Sjis("プロジェクトファイルが壊れていると報告されることがあります。") + "\r\n\r\n" +
          Sjis("編集中の内容はそのまま残ります。その行を書き換えてから、") + "\r\n" +
          Sjis("もう一度保存してください。");
  return text;
}

ProjectDocument::ProjectDocument(ProjectModel& model, DocumentView& view, Prompter& prompter,
                                 Progress& progress, FileChooser& chooser, Settings& settings,
                                 std::string program_folder)
    : model_(model),
      view_(view),
      prompter_(prompter),
      progress_(progress),
      chooser_(chooser),
      settings_(settings),
      program_folder_(std::move(program_folder)),
      tree_builder_(prompter) {
  // A rule of the project, in the window and the command-line tool alike.
  write_context_list = [this](const std::string& hls_file) { WriteContextList(model_, hls_file); };
}

bool ProjectDocument::IsUntitled() const {
  return caption_ == std::string(kUntitledProjectName) + kCaptionSuffix;
}

void ProjectDocument::ShowName(const std::string& file) {
  const std::string name = PathToSjis(FileNameOf(file));
  caption_ = name + kCaptionSuffix;
  view_.SetCaption(caption_);
  view_.SetPropertiesMenuText(name + Sjis(" のプロパティ(&P)..."));
}

void ProjectDocument::RebuildTree() {
  PageTree tree = tree_builder_.Rebuild(model_);
  view_.ShowPageTree(tree, 1);
}

void ProjectDocument::RebuildBitmapMenus() {
  if (rebuild_bitmap_menus) rebuild_bitmap_menus();
}

void ProjectDocument::ClearProject() {
  const bool debug_save = settings_.GetBool(keys::kDebugDebugSave);
  const bool keep_context_list = settings_.GetBool(keys::kOptionContextList);
  if (!keep_context_list && !model_.ProjectFileName().empty()) {
    RemoveFile(ChangeExtension(model_.ProjectFileName(), ".hls"));
  }
  model_.ClearProject();
  view_.ResetPageViews(debug_save);
}

void ProjectDocument::NewProject() {
  view_.ClearEditorUndo();
  view_.ClearPageTree();
  ClearProject();
  model_.NewProject(program_folder_);
  ShowName(model_.ProjectFileName());
  RebuildTree();
  if (write_context_list && settings_.GetBool(keys::kOptionContextList)) {
    write_context_list(ChangeExtension(model_.ProjectFileName(), ".hls"));
  }
}

void ProjectDocument::FailOpen(bool focus_editor) {
  progress_.Hide();
  model_.SetModified(false);
  NewProject();
  if (focus_editor) view_.FocusEditor();
}

bool ProjectDocument::OpenProject(const std::string& file, bool focus_editor) {
  progress_.SetRange(kOpenProgressRange);
  progress_.SetPosition(0);
  progress_.Show();
  progress_.SetStatusText(0, PathToSjis(FileNameOf(file)) + Sjis(" を開いています..."));

  view_.ClearEditorUndo();
  ClearProject();

  int result = LoadProjectFile(model_, file, kVersion160b, prompter_, progress_);
  if (result == kLoadRefused) {
    FailOpen(focus_editor);
    return false;
  }
  if (int code = RereadVersionCode(result); code != 0) {
    result = LoadProjectFile(model_, file, code, prompter_, progress_);
  }
  if (result != kLoadSuccess) {
    // A refusal on the second read (the file vanished meanwhile) has had its
    // message already.
    if (result != kLoadRefused) prompter_.Warning(CorruptMessage(result));
    FailOpen(focus_editor);
    return false;
  }

  model_.SetProjectFileName(file);
  ShowName(file);
  if (add_recent_file) add_recent_file(file);
  progress_.SetPosition(kOpenProgressRange);
  RebuildTree();
  if (write_context_list && settings_.GetBool(keys::kOptionContextList)) {
    write_context_list(ChangeExtension(file, ".hls"));
  }
  progress_.Hide();
  model_.SetModified(false);
  model_.UpdateBitmapSection();
  RebuildBitmapMenus();
  if (focus_editor) view_.FocusEditor();
  return true;
}

bool ProjectDocument::WriteTo(const std::string& file) {
  std::vector<int> cut = PagesWithEndMarkerLines(model_);
  if (!cut.empty()) prompter_.Warning(EndMarkerWarning(model_, cut));
  FileResult written = WriteProjectFile(model_, file);
  if (!written) {
    prompter_.Error(SaveFailedMessage(file, written.error));
    return false;
  }
  return true;
}

bool ProjectDocument::SaveProject() {
  if (!WriteTo(model_.ProjectFileName())) return false;
  model_.SetModified(false);
  return true;
}

void ProjectDocument::CopyBitmapSettings(const std::string& new_file) {
  IniFile& ini = settings_.file();
  const std::string from = model_.Header().BitmapSection;
  const std::string to = AsciiLower(PathToSjis(FileNameOf(new_file)));
  auto copy = [&](const std::string& key) { ini.WriteString(to, key, ini.ReadString(from, key)); };
  copy("BitmapPath");
  for (int i = 1; i <= keys::kBitmapEntries; ++i) {
    const std::string n = std::to_string(i);
    copy("BitmapName" + n);
    copy("BitmapTitle" + n);
    copy("BitmapCheck" + n);
  }
  model_.Header().BitmapSection = to;
}

bool ProjectDocument::SaveProjectAs() {
  auto chosen = chooser_.ChooseSaveFile([&] {
    FileDialogOptions o = ProjectDialog("名前をつけてプロジェクトの保存", model_.ProjectFileName());
    o.confirm_overwrite = true;
    return o;
  }());
  if (!chosen) return false;
  const std::string new_file = *chosen;
  const std::string old_file = model_.ProjectFileName();

  // The file is written before anything else moves to the new name, so a
  // failed write leaves the project as it was.
  if (!WriteTo(new_file)) return false;

  const std::string& options = model_.Header().ProjectOptions;
  if (options.size() >= 8 && options[7] == '1') {
    CopyBitmapSettings(new_file);
    RebuildBitmapMenus();
  }
  for (const char* ext : {".qym", ".hls"}) {
    const std::string from = ChangeExtension(old_file, ext);
    const std::string to = ChangeExtension(new_file, ext);
    if (!old_file.empty() && from != to && FileExists(from)) CopyFile(from, to);
  }
  model_.SetProjectFileName(new_file);
  ShowName(new_file);
  if (add_recent_file) add_recent_file(new_file);
  model_.SetModified(false);
  return true;
}

bool ProjectDocument::SaveCommand() {
  if (!model_.Modified()) {
    progress_.SetStatusText(0, Sjis("プロジェクト ") +
                                   PathToSjis(FileNameOf(model_.ProjectFileName())) +
                                   Sjis(" は変更されていません。"));
    return true;
  }
  return IsUntitled() ? SaveProjectAs() : SaveProject();
}

bool ProjectDocument::ConfirmSaveChanges() {
  if (take_back_external_page && !take_back_external_page()) return false;
  if (!model_.Modified()) return true;
  const std::string text =
      Sjis("プロジェクト ") + PathToSjis(FileNameOf(model_.ProjectFileName())) +
      Sjis(" の内容が変更されています。") + "\r\n\r\n" + Sjis("変更を保存しますか ?");
  switch (prompter_.Ask(text, Buttons::kYesNoCancel, Beep::kQuestion)) {
    case Answer::kYes:
      // Going on after a save that did not happen would lose the changes.
      return IsUntitled() ? SaveProjectAs() : SaveProject();
    case Answer::kNo:
      return true;
    default:
      return false;
  }
}

bool ProjectDocument::OpenCommand(bool focus_editor) {
  if (!ConfirmSaveChanges()) return false;
  FileDialogOptions o = ProjectDialog("プロジェクトを開く", FolderOf(model_.ProjectFileName()));
  o.must_exist = true;
  auto chosen = chooser_.ChooseOpenFile(o);
  if (!chosen) return false;
  return OpenProject(*chosen, focus_editor);
}

bool ProjectDocument::NewCommand() {
  if (!ConfirmSaveChanges()) return false;
  NewProject();
  return true;
}

}  // namespace qy
