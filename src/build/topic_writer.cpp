#include "build/topic_writer.h"

#include <cstdio>
#include <utility>

#include "build/build_output.h"
#include "build/rtf_head.h"
#include "build/rtf_text.h"
#include "core/codec.h"

namespace qy {

namespace {

// A footnote text that begins with the footnote's own letter gets a leading
// blank so that the compiler does not read that letter as part of the mark.
std::string Footnote(char mark, const std::string& value) {
  const bool needs_blank = value.size() >= 2 && value[0] == mark;
  return std::string(1, mark) + "{\\footnote " + (needs_blank ? " " : "") +
         MakeFootnoteText(value, true).text + "}";
}

}  // namespace

std::string TopicBody(const std::string& topic) { return EscapeTopicText(topic); }

std::string TitleFootnotes(const PageRecord& page) {
  return "#{\\footnote " + MakeFootnoteText(page.Context, false).text + "}" + "${\\footnote " +
         MakeFootnoteText(page.Title, true).text + "}";
}

std::vector<std::string_view> RepairedFootnoteFields(const PageRecord& page, bool title_only) {
  std::vector<std::string_view> fields;
  const std::pair<std::string_view, const std::string*> all[] = {
      {"Context", &page.Context},   {"Title", &page.Title},       {"Keyword", &page.Keyword},
      {"AKeyword", &page.AKeyword}, {"BKeyword", &page.BKeyword}, {"Macro", &page.Macro}};
  for (const auto& [name, value] : all) {
    if (title_only && name != "Context" && name != "Title") break;
    if (MakeFootnoteText(*value, name != "Context").repaired) fields.push_back(name);
  }
  return fields;
}

std::vector<std::string> RepairedFieldNotes(const ProjectModel& project) {
  std::vector<std::string> notes;
  for (int i = 1; i <= project.PageCount(); ++i) {
    const PageRecord& p = project.Page(i);
    if (!IsHelpTopic(p.Attribute)) continue;
    for (std::string_view field : RepairedFootnoteFields(p, false)) {
      notes.push_back(Sjis("ページ ") + std::to_string(i) + " (" + p.Context + ") " +
                      std::string(field) +
                      Sjis(": RTF のグループを壊さないようにエスケープして書き出しました。"));
    }
  }
  return notes;
}

std::string BrowseFootnote(int browse_number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d", browse_number);
  return std::string("+{\\footnote id0001:") + digits + "}";
}

std::string FootnoteLine(const PageRecord& page, int browse_number) {
  std::string line = TitleFootnotes(page);
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
