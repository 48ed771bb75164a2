// The preview command. With Option/PagePrev on (the default) the current page
// alone is compiled into a temporary help file and opened in WinHelp; with it
// off the page is shown in the preview window.
#pragma once

#include <functional>
#include <string>

#include "core/prompter.h"
#include "core/settings.h"
#include "preview/preview_window.h"
#include "project/project_model.h"

namespace qy {

// The files of one compiled preview: `folder` (with a trailing separator)
// and `base_name` name folder + base_name + ".hpj", ".rtf", ".hlp" and ".gid"
// beside the temporary file itself.
struct HelpPreviewFiles {
  std::string temp_file;
  std::string folder;
  std::string base_name;
};

// The folder and base name of a temporary file, as the compiled preview
// names its files after it.
HelpPreviewFiles HelpPreviewFilesFor(const std::string& temp_file);

class PagePreview {
 public:
  PagePreview(const ProjectModel& model, Settings& settings, Prompter& prompter,
              PreviewWindow& window);

  // The command: reads PagePrev and previews the current page one way or
  // the other. False when nothing could be shown (a failure has been
  // reported).
  bool Run();

  // The compiled preview: a new temporary file, registered for deletion
  // together with the help file and WinHelp's ".gid" file that will follow
  // it, the one-page help project and topic file, then the compiler run.
  bool RunHelpPreview();

  // Enters a temporary file and the same name with ".hlp" and ".gid" in the
  // list of files deleted at shutdown (TempFileRegistry::AddWithHelpFiles).
  std::function<void(const std::string& temp_file)> register_help_preview_file;
  // Compiles folder + base_name + ".hpj", opens the help file at the page and
  // removes the project and topic files: the window attaches
  // BuildCommands::RunPreviewCompiler. Unattached (headless use) the
  // compiled preview stops after writing the files.
  std::function<void(const std::string& folder, const std::string& base_name)> run_preview_compiler;

  // The files of the last compiled preview (empty before the first).
  const HelpPreviewFiles& last_help_preview() const { return last_; }

 private:
  const ProjectModel& model_;
  Settings& settings_;
  Prompter& prompter_;
  PreviewWindow& window_;
  HelpPreviewFiles last_;
};

}  // namespace qy
