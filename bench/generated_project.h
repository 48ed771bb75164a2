// The generated project every benchmark measures against: kMaxPages (999)
// pages of mixed Japanese and ASCII markup, about 10 KB of topic text each
// (10 MB in all). Each page has bold text, a jump to the next page, a popup
// link, a JumpID macro every ninth line and a jump to a missing page every
// seventeenth; every fiftieth page is a book and every seventh a popup.
//
// Use it instead of building a project of your own, so that every number in
// bench/ is measured on the same bytes:
//   const qy::ProjectModel& project = qy::bench::GeneratedProject();
//   const std::string& file = qy::bench::GeneratedProjectFile();  // on disk
#pragma once

#include <string>
#include <vector>

#include "project/project_model.h"

namespace qy::bench {

// The topic text of page `page` (1-based): the same text on every call.
std::string GeneratedTopic(int page);

// Every page's topic text, in page order; made once per process.
const std::vector<std::string>& GeneratedTopics();

// The project in memory, made once per process. Its project file name is
// GeneratedProjectFile(), so the build writers put their files beside it.
const ProjectModel& GeneratedProject();

// The project saved as a project file in the temporary folder, written once
// per process under a name of its own (the process id), so that benchmarks
// running at the same time never share it, and removed at exit with the
// files built beside it.
const std::string& GeneratedProjectFile();

// A path beside GeneratedProjectFile() with `extension` ("" or ".rtf" ...),
// for a benchmark's own output; removed at exit too.
std::string GeneratedPath(const std::string& extension);

}  // namespace qy::bench
