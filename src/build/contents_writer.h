// The contents file (".cnt") that the help viewer reads for its contents
// tree: Book pages become headings, Topic and Content pages entries, Include
// pages include other contents files.
#pragma once

#include <string>

#include "core/files.h"
#include "core/progress.h"
#include "project/project_model.h"

namespace qy {

// True when the Book page `page` (1..PageCount()) has a Topic, Content or
// Include page before the next book of the same or a higher level. Deeper
// books are walked through, so their entries count for the enclosing book.
// False for a page that does not exist or is not a book.
bool BookHasEntries(const ProjectModel& project, int page);

// The file's bytes. `no_low_layer` is the "NoLowLayer" option: books without
// entries are left out. With `progress`, steps once after the head lines and
// once per page.
std::string BuildContentsFile(const ProjectModel& project, bool no_low_layer,
                              Progress* progress = nullptr);

// Writes BuildFilePath(project, ".cnt") in one atomic write. Progress range =
// page count, position 0; steps after the head, per page and after saving.
FileResult WriteContentsFile(const ProjectModel& project, bool no_low_layer, Progress& progress);

}  // namespace qy
