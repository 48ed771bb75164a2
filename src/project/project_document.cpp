#include "project/project_document.h"

#include <algorithm>
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
// Places named one by one in the "}end" refusal; the rest are counted.
constexpr std::size_t kMaxNamedPlaces = 10;

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

std::string EndMarkerRefusal(const ProjectModel& model, const std::vector<EndMarkerLine>& places) {
  std::string text =
      "\r\n" + Sjis("「}end」 だけの行があるため、プロジェクトを保存できません。") + "\r\n\r\n";
  std::size_t named = 0;
  for (const EndMarkerLine& place : places) {
    if (named == kMaxNamedPlaces) break;
    ++named;
    switch (place.text) {
      case EndMarkerText::kWord:
        text += Sjis("登録単語");
        break;
      case EndMarkerText::kWindows:
        text += "[WINDOWS]";
        break;
      case EndMarkerText::kConfig:
        text += "[CONFIG]";
        break;
      case EndMarkerText::kTopic:
        text += Sjis("ページ ") + std::to_string(place.page) + " \"" +
                model.Page(place.page).Title + "\"";
        break;
    }
    text += Sjis(" の ") + std::to_string(place.line) + Sjis(" 行目") + "\r\n";
  }
  if (places.size() > named) {
    text += Sjis("ほか ") + std::to_string(places.size() - named) + Sjis(" 箇所") + "\r\n";
  }
  text += "\r\n" + Sjis("「}end」 だけの行はプロジェクトファイルに書けません。") + "\r\n" +
          Sjis("その行を書き換えてから、もう一度保存してください。") + "\r\n" +
          Sjis("ファイルは変更されていません。");
  return text;
}

std::string PagesLeftOutMessage(const std::string& file, int count) {
  return "\r\n\"" + PathToSjis(FileNameOf(file)) + "\"" + Sjis(" には ") +
         std::to_string(kMaxPages) + Sjis(" ページを超えるページがあります。") + "\r\n\r\n" +
         Sjis("後ろの ") + std::to_string(count) + Sjis(" ページは読み込まれていません。") +
         "\r\n" + Sjis("このファイルに上書き保存すると、その ") + std::to_string(count) +
         Sjis(" ページは失われます。");
}

std::string PagesLeftOutQuestion(const std::string& file, int count) {
  return "\r\n\"" + PathToSjis(FileNameOf(file)) + "\"" +
         Sjis(" に保存すると、読み込まれていない ") + std::to_string(count) +
         Sjis(" ページがファイルから失われます。") + "\r\n\r\n" + Sjis("保存してよろしいですか？");
}

std::string EmptyContextMessage(const ProjectModel& model, int page) {
  return Sjis("ページ ") + std::to_string(page) + " \"" + model.Page(page).Title + "\"" +
         Sjis(" にはコンテキストがありません。") + "\r\n\r\n" + Sjis("コンテキストを ") +
         model.Page(page).Context + Sjis(" に設定します。");
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
  write_context_list = [this](const std::string& hls_file) {
    qy::WriteContextList(model_, hls_file);
  };
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

void ProjectDocument::WriteContextList(const std::string& project_file) {
  const std::string hls = ChangeExtension(project_file, ".hls");
  // A project that is itself named ".hls" keeps its file.
  if (write_context_list && settings_.GetBool(keys::kOptionContextList) &&
      !SameFile(hls, project_file)) {
    write_context_list(hls);
  }
}

void ProjectDocument::RebuildBitmapMenus() {
  if (rebuild_bitmap_menus) rebuild_bitmap_menus();
}

void ProjectDocument::ClearProject() {
  const bool debug_save = settings_.GetBool(keys::kDebugDebugSave);
  const bool keep_context_list = settings_.GetBool(keys::kOptionContextList);
  if (!keep_context_list && !model_.ProjectFileName().empty()) {
    const std::string hls = ChangeExtension(model_.ProjectFileName(), ".hls");
    if (!SameFile(hls, model_.ProjectFileName())) RemoveFile(hls);
  }
  model_.ClearProject();
  truncated_file_.clear();
  pages_left_out_ = 0;
  view_.ResetPageViews(debug_save);
}

void ProjectDocument::NewProject() {
  view_.ClearEditorUndo();
  view_.ClearPageTree();
  ClearProject();
  model_.NewProject(program_folder_);
  ShowName(model_.ProjectFileName());
  RebuildTree();
  WriteContextList(model_.ProjectFileName());
}

void ProjectDocument::FailOpen(bool focus_editor) {
  progress_.Hide();
  model_.SetModified(false);
  NewProject();
  if (focus_editor) view_.FocusEditor();
}

bool ProjectDocument::OpenProject(const std::string& file, bool focus_editor, TopicLoad topics) {
  progress_.SetRange(kOpenProgressRange);
  progress_.SetPosition(0);
  progress_.Show();
  progress_.SetStatusText(0, PathToSjis(FileNameOf(file)) + Sjis(" を開いています..."));

  view_.ClearEditorUndo();
  ClearProject();

  int left_out = 0;
  int result = LoadProjectFile(model_, file, kVersion160b, prompter_, progress_, &left_out, topics);
  if (result == kLoadRefused) {
    FailOpen(focus_editor);
    return false;
  }
  if (int code = RereadVersionCode(result); code != 0) {
    result = LoadProjectFile(model_, file, code, prompter_, progress_, &left_out, topics);
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
  truncated_file_ = left_out > 0 ? file : std::string();
  pages_left_out_ = left_out;
  if (left_out > 0) prompter_.Warning(PagesLeftOutMessage(file, left_out));
  const std::vector<int> renamed = GiveEmptyContexts(model_);
  for (int page : renamed) prompter_.Information(EmptyContextMessage(model_, page));
  RebuildTree();
  WriteContextList(file);
  progress_.Hide();
  // A page given a context differs from the file.
  model_.SetModified(!renamed.empty());
  model_.UpdateBitmapSection();
  RebuildBitmapMenus();
  if (focus_editor) view_.FocusEditor();
  return true;
}

bool ProjectDocument::SaveProjectTo(const std::string& file) {
  const std::vector<EndMarkerLine> places = FindEndMarkerLines(model_);
  if (!places.empty()) {
    const std::string refusal = EndMarkerRefusal(model_, places);
    const auto page = std::find_if(places.begin(), places.end(),
                                   [](const EndMarkerLine& p) { return p.page > 0; });
    if (show_page && page != places.end()) {
      const std::string question = refusal + "\r\n\r\n" + Sjis("ページ ") +
                                   std::to_string(page->page) + Sjis(" を表示しますか？");
      if (prompter_.Ask(question, Buttons::kYesNo, Beep::kExclamation) == Answer::kYes) {
        show_page(page->page);
      }
    } else {
      prompter_.Warning(refusal);
    }
    return false;
  }
  const bool over_truncated = pages_left_out_ > 0 && SameFile(file, truncated_file_);
  if (over_truncated && prompter_.Ask(PagesLeftOutQuestion(file, pages_left_out_),
                                      Buttons::kOkCancel, Beep::kExclamation) != Answer::kOk) {
    return false;
  }
  FileResult written = WriteProjectFile(model_, file);
  if (!written) {
    prompter_.Error(SaveFailedMessage(PathToSjis(file), written.error));
    return false;
  }
  if (over_truncated) pages_left_out_ = 0;
  return true;
}

bool ProjectDocument::SaveProject() {
  if (!SaveProjectTo(model_.ProjectFileName())) return false;
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
  if (!SaveProjectTo(new_file)) return false;

  const std::string& options = model_.Header().ProjectOptions;
  if (options.size() >= 8 && options[7] == '1') {
    CopyBitmapSettings(new_file);
    RebuildBitmapMenus();
  }
  for (const char* ext : {".qym", ".hls"}) {
    const std::string from = ChangeExtension(old_file, ext);
    const std::string to = ChangeExtension(new_file, ext);
    if (!old_file.empty() && from != to && FileExists(from) && !SameFile(to, new_file)) {
      CopyFile(from, to);
    }
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
