#include "build/preview_topic_writer.h"

#include "build/build_output.h"
#include "build/rtf_head.h"
#include "build/rtf_text.h"
#include "build/topic_writer.h"

namespace qy {

std::string BuildPreviewTopicFile(const ProjectModel& project, int page) {
  const PageRecord& p = project.Page(page);
  LineList lines;
  lines.Add(BuildRtfHeader(project));
  lines.Add(BuildColorTable());
  lines.Add(BuildTopicFormatLine(project));
  lines.Add(TitleFootnotes(p));
  std::string body = TopicBody(p.Topic);
  if (!body.empty()) lines.Add(std::move(body));
  lines.Add("}");
  return lines.Text();
}

FileResult WritePreviewTopicFile(const ProjectModel& project, const std::string& folder,
                                 const std::string& base_name, int page) {
  if (!project.ValidPage(page)) {
    return FileResult::Fail("page " + std::to_string(page) + " does not exist");
  }
  return SaveBuildFile(folder + base_name + ".rtf", BuildPreviewTopicFile(project, page));
}

}  // namespace qy
