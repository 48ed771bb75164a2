#include "build/topic_writer.h"

#include <cstdio>

#include "build/build_output.h"
#include "build/rtf_head.h"
#include "build/rtf_text.h"

namespace qy {

namespace {

// A footnote text that begins with the footnote's own letter gets a leading
// blank so that the compiler does not read that letter as part of the mark.
std::string Footnote(char mark, const std::string& value) {
  const bool needs_blank = value.size() >= 2 && value[0] == mark;
  return std::string(1, mark) + "{\\footnote " + (needs_blank ? " " : "") + EscapeDbcs(value) + "}";
}

}  // namespace

std::string TopicBody(const std::string& topic) {
  return EscapeDbcs(EndOfLineAddStr(topic, kParagraphMark));
}

std::string BrowseFootnote(int browse_number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d", browse_number);
  return std::string("+{\\footnote id0001:") + digits + "}";
}

std::string FootnoteLine(const PageRecord& page, int browse_number) {
  std::string line = "#{\\footnote " + page.Context + "}";
  line += "${\\footnote " + EscapeDbcs(page.Title) + "}";
  if (!page.Keyword.empty()) line += Footnote('K', page.Keyword);
  if (!page.AKeyword.empty()) line += Footnote('A', page.AKeyword);
  if (!page.BKeyword.empty()) line += Footnote('B', page.BKeyword);
  if (!page.Macro.empty()) line += Footnote('!', page.Macro);
  if (page.Attribute == kTopicPage) line += BrowseFootnote(browse_number);
  return line;
}

std::string BuildTopicFile(const ProjectModel& project, Progress* progress) {
  LineList lines;
  lines.Add(BuildRtfHeader(project));
  lines.Add(BuildColorTable());
  if (progress) progress->Step();

  const std::string format_line = BuildTopicFormatLine(project);
  int browse_number = 1;
  const int count = project.PageCount();
  for (int i = 1; i <= count; ++i) {
    const PageRecord& p = project.Page(i);
    if (p.Attribute == kTopicPage || p.Attribute == kPopupPage) {
      lines.Add(format_line);
      lines.Add(FootnoteLine(p, browse_number));
      if (p.Attribute == kTopicPage) ++browse_number;
      std::string body = TopicBody(p.Topic);
      if (!body.empty()) lines.Add(std::move(body));
      // Decided by table position: a trailing Content, Include or Book page
      // still leaves the last topic followed by a page break.
      if (i < count) lines.Add("\\page");
    }
    if (progress) progress->Step();
  }
  lines.Add("}");
  return lines.Text();
}

FileResult WriteTopicFile(const ProjectModel& project, Progress& progress) {
  progress.SetRange(project.PageCount());
  progress.SetPosition(0);
  std::string text = BuildTopicFile(project, &progress);
  return SaveBuildFile(BuildFilePath(project, ".rtf"), text, &progress);
}

}  // namespace qy
