// Every file of an export but the pictures, made in memory from the plan:
// the pages, the keyword index and keyword-link pages, the search page and
// its index, the contents and context-number script, the style sheet and
// the script. The site and the HTML Help file write the same set; a CHM has
// its own contents and no entry page.
#pragma once

#include <string>
#include <vector>

#include "core/progress.h"
#include "export/page_render.h"
#include "export/site_plan.h"
#include "project/project_model.h"

namespace qy::help_export {

struct OutputFile {
  std::string name;           // ASCII, no folder
  std::string data;           // UTF-8 (made Shift-JIS for a CHM when encoded_text)
  bool encoded_text = false;  // HTML or CSS: Shift-JIS in a CHM
};

struct SiteFiles {
  std::vector<OutputFile> files;
  std::map<std::string, PictureUse> pictures;
  std::vector<std::string> notes;  // Shift-JIS
};

// Progress steps once per page. The pages come first, in plan order.
SiteFiles BuildSiteFiles(const ProjectModel& project, const SitePlan& plan, Flavor flavor,
                         Progress& progress);

}  // namespace qy::help_export
