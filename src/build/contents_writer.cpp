#include "build/contents_writer.h"

#include "build/build_output.h"
#include "build/project_options.h"

namespace qy {

namespace {

bool IsContentsEntry(PageAttribute a) {
  return a == kTopicPage || a == kContentPage || a == kIncludePage;
}

// A Content page's target is its first line. A lone CR or LF also ends it,
// since a line break inside an entry would split the contents file's line.
std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

bool BookHasEntries(const ProjectModel& project, int page) {
  if (!project.ValidPage(page)) return false;
  const PageAttribute level = project.Page(page).Attribute;
  if (!IsBook(level)) return false;
  for (int j = page + 1; j <= project.PageCount(); ++j) {
    const PageAttribute a = project.Page(j).Attribute;
    if (IsBook(a) && a <= level) return false;
    if (IsContentsEntry(a)) return true;
  }
  return false;
}

std::string BuildContentsFile(const ProjectModel& project, bool no_low_layer, Progress* progress) {
  const ProjectHeader& h = project.Header();
  const std::string help_file = ProjectBaseName(project) + ".hlp";
  LineList lines;
  lines.Add(":Base " + help_file + ">" + DefaultWindowName(h.ProjectOptions));
  lines.Add(":Title " + h.HelpTitle);
  lines.Add(":Index " + h.HelpTitle + " =" + help_file);
  if (ProjectOptionFlag(h.ProjectOptions, kOptionContentsInclude)) {
    lines.Add(":Include " + ContentsIncludeFile(h.ProjectOptions));
  }
  if (progress) progress->Step();

  // Entries stand one level below the last book written.
  int level = 1;
  for (int i = 1; i <= project.PageCount(); ++i) {
    const PageRecord& p = project.Page(i);
    if (p.Attribute == kTopicPage) {
      std::string line = std::to_string(level) + " " + p.Title + " =" + p.Context;
      if (!p.Window.empty()) line += ">" + p.Window;
      lines.Add(std::move(line));
    } else if (p.Attribute == kContentPage) {
      lines.Add(std::to_string(level) + " " + p.Title + " =" + FirstLine(p.Topic));
    } else if (p.Attribute == kIncludePage) {
      lines.Add(":Include " + p.Title);
    } else if (IsBook(p.Attribute) && BookLevel(p.Attribute) <= kMaxBookLevel) {
      if (!no_low_layer || BookHasEntries(project, i)) {
        const int book_level = BookLevel(p.Attribute);
        lines.Add(std::to_string(book_level) + " " + p.Title);
        level = book_level + 1;
      }
    }
    if (progress) progress->Step();
  }
  lines.Add("");
  return lines.Text();
}

FileResult WriteContentsFile(const ProjectModel& project, bool no_low_layer, Progress& progress) {
  progress.SetRange(project.PageCount());
  progress.SetPosition(0);
  std::string text = BuildContentsFile(project, no_low_layer, &progress);
  return SaveBuildFile(BuildFilePath(project, ".cnt"), text, &progress);
}

}  // namespace qy
