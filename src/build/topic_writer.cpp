#include "build/topic_writer.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "build/build_output.h"
#include "build/rtf_head.h"
#include "build/rtf_text.h"
#include "core/codec.h"
#include "core/cp932.h"

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
  // Every line is followed by CR LF. The topics are escaped straight into
  // one buffer sized by an upper bound, never zeroed, and copied once.
  const std::string head = BuildRtfHeader(project);
  const std::string colors = BuildColorTable();
  if (progress) progress->Step();
  const std::string format_line = BuildTopicFormatLine(project);
  constexpr std::string_view kPageBreak = "\\page\r\n";

  const int count = project.PageCount();
  std::vector<std::string> footnotes;
  std::size_t bound = head.size() + colors.size() + 3 * kCrLf.size() + 1;
  int browse_number = 1;
  for (int i = 1; i <= count; ++i) {
    const PageRecord& p = project.Page(i);
    if (p.Attribute != kTopicPage && p.Attribute != kPopupPage) continue;
    footnotes.push_back(FootnoteLine(p, browse_number));
    if (p.Attribute == kTopicPage) ++browse_number;
    bound += format_line.size() + footnotes.back().size() + EscapedTopicTextBound(p.Topic) +
             3 * kCrLf.size() + kPageBreak.size();
  }

  std::unique_ptr<char[]> buffer(new char[bound]);
  char* out = buffer.get();
  auto put_line = [&](std::string_view line) {
    out = std::copy(line.begin(), line.end(), out);
    out = std::copy(kCrLf.begin(), kCrLf.end(), out);
  };
  put_line(head);
  put_line(colors);
  std::size_t next_footnote = 0;
  for (int i = 1; i <= count; ++i) {
    const PageRecord& p = project.Page(i);
    if (p.Attribute == kTopicPage || p.Attribute == kPopupPage) {
      put_line(format_line);
      put_line(footnotes[next_footnote++]);
      if (!p.Topic.empty()) {
        out = PutEscapedTopicText(p.Topic, out);
        out = std::copy(kCrLf.begin(), kCrLf.end(), out);
      }
      // Decided by table position: a trailing Content, Include or Book page
      // still leaves the last topic followed by a page break.
      if (i < count) out = std::copy(kPageBreak.begin(), kPageBreak.end(), out);
    }
    if (progress) progress->Step();
  }
  put_line("}");
  return std::string(buffer.get(), out);
}

FileResult WriteTopicFile(const ProjectModel& project, Progress& progress) {
  progress.SetRange(project.PageCount());
  progress.SetPosition(0);
  std::string text = BuildTopicFile(project, &progress);
  return SaveBuildFile(BuildFilePath(project, ".rtf"), text, &progress);
}

}  // namespace qy
