#include "shell/external_editor.h"

#include <optional>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"
#include "project/context_list.h"

namespace qy {

namespace {

// Line ends as the topic keeps them: editors outside Windows save bare LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string TakeBackFailedMessage(const std::string& file, const std::string& reason) {
  return "\r\n" + Sjis("エディタで編集したファイル ") + "\"" + PathToSjis(file) + "\"" +
         Sjis(" を読み込めませんでした。") + "\r\n\r\n" + Sjis("理由 : ") + PathToSjis(reason) +
         "\r\n\r\n" + Sjis("ページはエディタに送る前の内容のままです。");
}

std::string SendFailedMessage(const std::string& file, const std::string& reason) {
  return "\r\n" + Sjis("ページをエディタに送るファイル ") + "\"" + PathToSjis(file) + "\"" +
         Sjis(" を書き込めませんでした。") + "\r\n\r\n" + Sjis("理由 : ") + PathToSjis(reason);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string ExternalEditTreeCaption() { return Sjis("[エディタでページを編集モード]"); }

std::string PageTreeCaption() { return Sjis("ページビュー (&G)"); }

std::string PageStillInEditorMessage() {
  return "\r\n" + Sjis("エディタでページが開かれたままです。");
}

std::string ProgramStartFailedMessage(const std::string& program) {
  return "\r\n" + Quoted(PathToSjis(program)) + Sjis(" を起動できませんでした。");
}

std::string TextEditorParameters(const std::string& com_line1, const std::string& file) {
  std::string parameters;
  if (!com_line1.empty()) parameters = com_line1 + " ";
  return parameters + Quoted(file);
}

// --- ExternalEditor ---------------------------------------------------------

ExternalEditor::ExternalEditor(const ProjectModel& model, Editor& editor, Prompter& prompter,
                               ProcessRunner& runner, const Settings& settings,
                               FileHoldCheck& hold_check)
    : model_(model),
      editor_(editor),
      prompter_(prompter),
      runner_(runner),
      settings_(settings),
      hold_check_(hold_check) {}

ExternalEditResult ExternalEditor::EditPageExternally() {
  return IsOut() ? TakePageBack() : SendPageOut();
}

ExternalEditResult ExternalEditor::SendPageOut() {
  if (IsOut()) return ExternalEditResult::kFailed;
  const int page = model_.CurrentPage();
  if (!model_.ValidPage(page) || !IsHelpTopic(model_.Page(page).Attribute)) {
    ModeChanged(false);
    return ExternalEditResult::kNotSendable;
  }
  const std::string program = PathFromSjis(settings_.GetString(keys::kEtceteraTextEditor));
  const std::string com_line1 = PathFromSjis(settings_.GetString(keys::kEtceteraComLine1));

  std::string file = MakeTempFile();
  FileResult written = file.empty() ? FileResult::Fail("no temporary file could be created")
                                    : WriteFileAtomic(file, model_.Page(page).Topic);
  if (!written) {
    if (!file.empty()) RemoveFile(file);
    prompter_.Error(SendFailedMessage(file.empty() ? TempFolder() : file, written.error));
    ModeChanged(false);
    return ExternalEditResult::kFailed;
  }
  // Without an editor the page would be out with nobody to edit it.
  if (!runner_.ShellOpen(program, TextEditorParameters(com_line1, file))) {
    RemoveFile(file);
    prompter_.Warning(ProgramStartFailedMessage(program));
    ModeChanged(false);
    return ExternalEditResult::kFailed;
  }
  file_ = file;
  ModeChanged(true);
  return ExternalEditResult::kSent;
}

ExternalEditResult ExternalEditor::TakePageBack() {
  if (!IsOut()) return ExternalEditResult::kFailed;
  if (hold_check_.IsHeld(file_)) {
    prompter_.Warning(PageStillInEditorMessage());
    return ExternalEditResult::kStillHeld;
  }
  std::string why;
  std::optional<std::string> data = ReadWholeFile(file_, &why);
  if (!data) {
    // A file that is gone or unreadable would otherwise keep the page out
    // for good, and with it refuse every new, open and close. What can be
    // found of it stays where it is.
    prompter_.Warning(TakeBackFailedMessage(file_, why));
    EndMode();
    return ExternalEditResult::kLost;
  }
  const std::string text = WithCrLf(*data);
  // An unchanged page is left alone: no modification, the undo memory kept.
  if (text != editor_.Text()) {
    const bool read_only = editor_.ReadOnly();
    if (read_only) editor_.SetReadOnly(false);
    editor_.SetSelStart(0);
    editor_.SetSelLength(static_cast<int>(editor_.Text().size()));
    editor_.SetSelText(text);
    editor_.SetSelStart(0);
    if (read_only) editor_.SetReadOnly(true);
  }
  RemoveFile(file_);
  EndMode();
  return ExternalEditResult::kTakenBack;
}

bool ExternalEditor::TakeBackExternalPage() {
  if (!IsOut()) return true;
  return TakePageBack() != ExternalEditResult::kStillHeld;
}

void ExternalEditor::EndMode() {
  file_.clear();
  ModeChanged(false);
}

void ExternalEditor::ModeChanged(bool out) {
  if (on_mode_changed) on_mode_changed(out);
}

// --- Hotspot editor ----------------------------------------------------------

std::string WithTrailingSeparator(std::string folder) {
  while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder + "/";
}

bool IsShgEdit(const std::string& program) {
  return AsciiUpper(FileNameOf(program)) == "SHG_EDIT.EXE";
}

HotspotCommand BuildHotspotCommand(const std::string& program, const std::string& bitmap_folder,
                                   const std::string& selected_file,
                                   const std::string& context_list) {
  HotspotCommand command;
  command.program = program;
  command.working_folder = bitmap_folder;
  if (!selected_file.empty()) command.arguments.push_back(selected_file);
  if (IsShgEdit(program)) command.arguments.push_back("/T:" + context_list);
  command.command_line = Quoted(program) + " ";
  for (std::size_t i = 0; i < command.arguments.size(); ++i) {
    if (i > 0) command.command_line += " ";
    command.command_line += Quoted(command.arguments[i]);
  }
  return command;
}

HotspotEditor::HotspotEditor(const ProjectModel& model, const Settings& settings,
                             ProcessRunner& runner, Prompter& prompter)
    : model_(model), settings_(settings), runner_(runner), prompter_(prompter) {}

bool HotspotEditor::Configured() const {
  return !settings_.GetString(keys::kToolHotspotEdit).empty();
}

bool HotspotEditor::Start(const std::string& selection) {
  const std::string program = PathFromSjis(settings_.GetString(keys::kToolHotspotEdit));
  if (program.empty()) return false;
  SettingKey bitmap_key = keys::kEtceteraBitmapPath;
  const std::string& section = model_.Header().BitmapSection;
  if (!section.empty()) bitmap_key.section = section.c_str();
  const std::string folder = WithTrailingSeparator(PathFromSjis(settings_.GetString(bitmap_key)));

  std::string selected;
  if (!selection.empty() && FileExists(folder + PathFromSjis(selection))) {
    selected = folder + PathFromSjis(selection);
  }
  std::string context_list;
  if (IsShgEdit(program)) {
    context_list = ContextListFileName(model_);
    FileResult written = context_list.empty() ? FileResult::Fail("the project has no file name")
                                              : WriteContextList(model_, context_list);
    if (!written) {
      prompter_.Error(ContextListWriteError(context_list, written.error));
      return false;
    }
  }
  HotspotCommand command = BuildHotspotCommand(program, folder, selected, context_list);
  if (adapt_command) adapt_command(command);
  ProcessResult started =
      runner_.Start(command.program, command.arguments, command.working_folder, false);
  if (!started.started) {
    prompter_.Warning(ProgramStartFailedMessage(program));
    return false;
  }
  return true;
}

}  // namespace qy
