#include "build/preview_help_project_writer.h"

#include "build/build_output.h"
#include "core/codec.h"
#include "core/native_path.h"

namespace qy {

std::string BuildPreviewHelpProject(const ProjectModel& project, const std::string& base_name,
                                    int page, const std::string& bitmap_path) {
  const PageRecord& p = project.Page(page);
  const ProjectHeader& h = project.Header();
  LineList lines;
  lines.Add("[OPTIONS]");
  lines.Add("DBCS=Yes");
  lines.Add(Sjis("LCID=0x411 0x0 0x0 ;日本語"));
  lines.Add("REPORT=Yes");
  lines.Add("CONTENTS=" + p.Context);
  lines.Add("TITLE=" + p.Title);
  lines.Add("BMROOT=" + bitmap_path);
  lines.Add("ROOT=.\\");
  lines.Add("");
  lines.Add("[FILES]");
  lines.Add(".\\" + PathToSjis(base_name) + ".rtf");
  lines.Add("");
  lines.Add("[MAP]");
  lines.Add("#define " + p.Context + "\t" + std::to_string(kPreviewContextNumber));
  lines.Add("");
  lines.Add("[WINDOWS]");
  lines.Add(h.WindowsSection);
  lines.Add("");
  lines.Add("[CONFIG]");
  lines.Add(h.ConfigSection);
  lines.Add("");
  return lines.Text();
}

FileResult WritePreviewHelpProject(const ProjectModel& project, const std::string& folder,
                                   const std::string& base_name, int page,
                                   const std::string& bitmap_path) {
  if (!project.ValidPage(page)) {
    return FileResult::Fail("page " + std::to_string(page) + " does not exist");
  }
  return SaveBuildFile(folder + base_name + ".hpj",
                       BuildPreviewHelpProject(project, base_name, page, bitmap_path));
}

}  // namespace qy
