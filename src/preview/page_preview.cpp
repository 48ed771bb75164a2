#include "preview/page_preview.h"

#include "build/build_settings.h"
#include "build/preview_topic_writer.h"
#include "core/files.h"
#include "core/settings_keys.h"

namespace qy {

HelpPreviewFiles HelpPreviewFilesFor(const std::string& temp_file) {
  return {temp_file, FolderOf(temp_file), BaseNameOf(temp_file)};
}

PagePreview::PagePreview(const ProjectModel& model, Settings& settings, Prompter& prompter,
                         PreviewWindow& window)
    : model_(model), settings_(settings), prompter_(prompter), window_(window) {}

bool PagePreview::Run() {
  if (settings_.GetBool(keys::kOptionPagePrev)) return RunHelpPreview();
  return window_.ShowCurrentPage();
}

bool PagePreview::RunHelpPreview() {
  int page = model_.CurrentPage();
  if (!model_.ValidPage(page)) return false;
  std::string temp_file = MakeTempFile();
  if (temp_file.empty()) {
    prompter_.Error(PreviewWriteFailedMessage(TempFolder() + "/~qy*.tmp",
                                              "no temporary file could be created"));
    return false;
  }
  HelpPreviewFiles files = HelpPreviewFilesFor(temp_file);
  last_ = files;
  if (register_help_preview_file) register_help_preview_file(temp_file);

  FileResult written =
      WritePreviewHelpProject(model_, files.folder, files.base_name, page, settings_);
  if (written) written = WritePreviewTopicFile(model_, files.folder, files.base_name, page);
  if (!written) {
    // Whatever was written is of no use without the rest.
    RemoveFile(files.folder + files.base_name + ".hpj");
    RemoveFile(files.folder + files.base_name + ".rtf");
    prompter_.Error(PreviewWriteFailedMessage(files.folder + files.base_name, written.error));
    return false;
  }
  if (run_preview_compiler) run_preview_compiler(files.folder, files.base_name);
  return true;
}

}  // namespace qy
