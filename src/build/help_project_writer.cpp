#include "build/help_project_writer.h"

#include "build/build_output.h"
#include "core/codec.h"

namespace qy {

namespace {

// The help file is compressed when the project asks for it (bit 0), or always
// when the caller does not honour the project's choice.
bool Compresses(const ProjectModel& project, bool honour_compression_option) {
  return !honour_compression_option || (project.Header().CompressMode & 1) != 0;
}

// Popups are reached only through hotspots and the map; the contents topic is
// the first real Topic page.
std::string ContentsTopic(const ProjectModel& project) {
  for (const PageRecord& page : project.Pages()) {
    if (page.Attribute == kTopicPage) return page.Context;
  }
  return {};
}

}  // namespace

std::string BuildHelpProject(const ProjectModel& project, bool honour_compression_option,
                             const std::string& bitmap_path, const std::string& compress_line,
                             Progress* progress) {
  const ProjectHeader& h = project.Header();
  LineList lines(progress, true);
  lines.Add("[OPTIONS]");
  if (Compresses(project, honour_compression_option)) lines.Add(compress_line);
  lines.Add("ERRORLOG=" + RelativeBuildFile(project, ".err"));
  lines.Add("DBCS=Yes");
  lines.Add(Sjis("LCID=0x411 0x0 0x0 ;日本語"));
  lines.Add("REPORT=Yes");
  lines.Add("CONTENTS=" + ContentsTopic(project));
  if (!h.HelpTitle.empty()) lines.Add("TITLE=" + h.HelpTitle);
  lines.Add("CNT=" + RelativeBuildFile(project, ".cnt"));
  if (!h.HelpCopyright.empty()) lines.Add("COPYRIGHT=" + h.HelpCopyright);
  lines.Add("BMROOT=" + bitmap_path);
  lines.Add("ROOT=.\\");
  lines.Add("");
  lines.Add("[FILES]");
  lines.Add(RelativeBuildFile(project, ".rtf"));
  lines.Add("");
  lines.Add("[MAP]");
  lines.Add("#include " + RelativeBuildFile(project, ".hh"));
  lines.Add("");
  lines.Add("[WINDOWS]");
  lines.Add(h.WindowsSection);
  lines.Add("");
  lines.Add("[CONFIG]");
  lines.Add(h.ConfigSection);
  lines.Add("");
  return lines.Text();
}

FileResult WriteHelpProject(const ProjectModel& project, bool honour_compression_option,
                            const std::string& bitmap_path, Progress& progress,
                            const HostSystem& host) {
  progress.SetRange(kHelpProjectProgressItems);
  progress.SetPosition(0);
  std::string text = BuildHelpProject(project, honour_compression_option, bitmap_path,
                                      CompressLine(host), &progress);
  return SaveBuildFile(BuildFilePath(project, ".hpj"), text, &progress);
}

}  // namespace qy
