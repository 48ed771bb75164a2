// The one-page topic document of the compiler-based page preview.
#pragma once

#include <string>

#include "core/files.h"
#include "project/project_model.h"

namespace qy {

// The file's bytes for page `page` (1..PageCount()), whatever its kind: head,
// format line, "#" and "$" footnotes only, the topic text, no page break.
// Throws std::out_of_range for a page that does not exist.
std::string BuildPreviewTopicFile(const ProjectModel& project, int page);

// Writes `folder` + `base_name` + ".rtf" (`folder` ends with a separator) in
// one atomic write. A page that does not exist fails without writing.
FileResult WritePreviewTopicFile(const ProjectModel& project, const std::string& folder,
                                 const std::string& base_name, int page);

}  // namespace qy
