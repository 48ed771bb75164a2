#include "export/export_command.h"

#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "export/chm_export.h"

namespace qy::help_export {

std::string ExportSummary(const ExportResult& result, const std::string& where,
                          std::size_t max_notes) {
  std::string text = PathToSjis(where) + Sjis(" に ") + std::to_string(result.pages) +
                     Sjis(" ページを書き出しました。");
  if (result.notes.empty()) return text;
  text += Sjis("\r\n\r\n注意:");
  for (std::size_t i = 0; i < result.notes.size() && i < max_notes; ++i) {
    text += "\r\n" + result.notes[i];
  }
  if (result.notes.size() > max_notes) {
    text += "\r\n" + Sjis("ほか ") + std::to_string(result.notes.size() - max_notes) + Sjis(" 件");
  }
  return text;
}

bool RunExportCommand(const ProjectModel& project, const ExportOptions& options,
                      ExportCommandServices services) {
  const Answer form = services.prompter.Ask(
      Sjis("エクスポートする形式を選んでください。\r\n\r\n"
           "はい: HTML ヘルプサイト (フォルダ)\r\nいいえ: HTML ヘルプファイル (.chm)"),
      Buttons::kYesNoCancel);
  if (form == Answer::kCancel) return false;
  const std::string base =
      FolderOf(project.ProjectFileName()) + BaseNameOf(project.ProjectFileName());
  std::string target;
  if (form == Answer::kYes) {
    auto folder = services.chooser.ChooseFolder(Sjis("書き出し先のフォルダ"), base + "_html");
    if (!folder || folder->empty()) return false;
    target = *folder;
  } else {
    FileDialogOptions dialog;
    dialog.title = Sjis("HTML ヘルプファイルの保存");
    dialog.filter = Sjis("HTML ヘルプファイル (*.chm)|*.chm");
    dialog.default_extension = "chm";
    dialog.initial_path = base + ".chm";
    dialog.confirm_overwrite = true;
    auto file = services.chooser.ChooseSaveFile(dialog);
    if (!file || file->empty()) return false;
    target = *file;
  }
  services.progress.Show();
  services.progress.SetStatusText(0, Sjis("エクスポートしています..."));
  const ExportResult result =
      form == Answer::kYes
          ? ExportHtmlSite(project, target, options, services.progress)
          : ExportChm(project, target, options, services.runner, services.progress);
  services.progress.Hide();
  if (!result.ok) {
    services.prompter.Error(result.error);
    return false;
  }
  if (result.notes.empty()) {
    services.prompter.Information(ExportSummary(result, target));
  } else {
    services.prompter.Warning(ExportSummary(result, target));
  }
  return true;
}

}  // namespace qy::help_export
