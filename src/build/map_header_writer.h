// The map header (".hh"): one "#define" per Topic and Popup page giving its
// numeric context ID; the help project includes it in its [MAP] section.
#pragma once

#include <string>

#include "core/files.h"
#include "core/progress.h"
#include "project/project_model.h"

namespace qy {

// The file's bytes: "#define " + Context + TAB + ContextID + " //" + Title per
// Topic or Popup page, nothing else. With `progress`, steps once at the start
// and once per page.
std::string BuildMapHeader(const ProjectModel& project, Progress* progress = nullptr);

// Writes BuildFilePath(project, ".hh") in one atomic write. Progress range =
// page count, position 0; steps at the start, per page and after saving.
FileResult WriteMapHeader(const ProjectModel& project, Progress& progress);

}  // namespace qy
