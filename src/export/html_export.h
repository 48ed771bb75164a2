// Writing an export to disk: the HTML site into a folder, and the shared
// steps (pictures, notes) the HTML Help file uses as well.
#pragma once

#include <string>
#include <vector>

#include "core/progress.h"
#include "export/page_render.h"
#include "export/site_files.h"
#include "project/project_model.h"

namespace qy::help_export {

struct ExportOptions {
  // Where the project's pictures are (a native path); "" for the project's
  // own folder.
  std::string picture_folder;
};

struct ExportResult {
  bool ok = false;
  std::string error;               // Shift-JIS, when !ok
  std::vector<std::string> notes;  // Shift-JIS: what was left out or changed
  int pages = 0;                   // pages written
};

// The folder pictures are read from: the option, else the project's folder
// ("." for a project named without one).
std::string PictureSourceFolder(const ProjectModel& project, const ExportOptions& options);

// Writes the site into `folder` (made when missing): one page per Topic and
// Popup page, index.html (which also takes "?id=N"), keywords.html,
// search.html and the scripts, and the pictures into "images/". Files of
// other names in the folder are left alone. Progress range = pages + 1.
ExportResult ExportHtmlSite(const ProjectModel& project, const std::string& folder,
                            const ExportOptions& options, Progress& progress);

// Writes `files` into `folder` (Shift-JIS text for a CHM) and the pictures
// into `folder`/images; picture problems become notes. False with `error` at
// the first file that can not be written.
bool WriteExportFiles(const SiteFiles& files, Flavor flavor, const std::string& folder,
                      const std::string& picture_folder, std::vector<std::string>& notes,
                      std::string& error);

}  // namespace qy::help_export
