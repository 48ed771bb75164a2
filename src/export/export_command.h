// The window's export command: which form, where to, the run with progress
// and what the user is told afterwards. Talks only to core's interfaces.
#pragma once

#include <string>

#include "core/platform.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "export/html_export.h"
#include "project/project_model.h"

namespace qy::help_export {

struct ExportCommandServices {
  Prompter& prompter;
  FileChooser& chooser;
  Progress& progress;
  ProcessRunner& runner;
};

// Asks for the form (Yes: HTML site, No: HTML Help file), then for the
// folder or the .chm file (next to the project at first), exports with the
// progress shown and reports the result with its notes. False when the
// user cancelled or the export failed.
bool RunExportCommand(const ProjectModel& project, const ExportOptions& options,
                      ExportCommandServices services);

// The closing message: where it went, how many pages, the notes (at most
// `max_notes`, then how many more).
std::string ExportSummary(const ExportResult& result, const std::string& where,
                          std::size_t max_notes = 10);

}  // namespace qy::help_export
