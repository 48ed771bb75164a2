#include "build/map_header_writer.h"

#include "build/build_output.h"

namespace qy {

std::string BuildMapHeader(const ProjectModel& project, Progress* progress) {
  LineList lines;
  if (progress) progress->Step();
  for (const PageRecord& p : project.Pages()) {
    if (p.Attribute == kTopicPage || p.Attribute == kPopupPage) {
      lines.Add("#define " + p.Context + "\t" + std::to_string(p.ContextID) + " //" + p.Title);
    }
    if (progress) progress->Step();
  }
  return lines.Text();
}

FileResult WriteMapHeader(const ProjectModel& project, Progress& progress) {
  progress.SetRange(project.PageCount());
  progress.SetPosition(0);
  std::string text = BuildMapHeader(project, &progress);
  return SaveBuildFile(BuildFilePath(project, ".hh"), text, &progress);
}

}  // namespace qy
