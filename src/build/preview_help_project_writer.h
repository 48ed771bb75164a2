// The one-page help project of the compiler-based page preview: the page is
// the only topic, mapped to context number 1; no contents file, log or
// compression.
#pragma once

#include <string>

#include "core/files.h"
#include "project/project_model.h"

namespace qy {

// The context number the preview help project gives its one page.
inline constexpr int kPreviewContextNumber = 1;

// The file's bytes for page `page` (1..PageCount()); `base_name` (a file name
// in the platform's encoding) names the topic file ".\" + base_name + ".rtf". Throws
// std::out_of_range for a page that does not exist.
std::string BuildPreviewHelpProject(const ProjectModel& project, const std::string& base_name,
                                    int page, const std::string& bitmap_path);

// Writes `folder` + `base_name` + ".hpj" (`folder` ends with a separator) in
// one atomic write. A page that does not exist fails without writing.
FileResult WritePreviewHelpProject(const ProjectModel& project, const std::string& folder,
                                   const std::string& base_name, int page,
                                   const std::string& bitmap_path);

}  // namespace qy
