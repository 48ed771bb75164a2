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

namespace {

// Bytes gathered in a reused buffer and handed on whenever the next piece
// might not fit, so that a file of any size needs only a small buffer.
class ChunkedOutput {
 public:
  explicit ChunkedOutput(const WriteBytes& write) : write_(write) {}

  // Room for at least `n` bytes; Commit(end) then takes what was written.
  char* Room(std::size_t n) {
    if (capacity_ - used_ < n) {
      Flush();
      if (capacity_ < n) {
        capacity_ = std::max(n, kChunk);
        buffer_.reset(new char[capacity_]);
      }
    }
    return buffer_.get() + used_;
  }
  void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }

  void Line(std::string_view line) {
    char* out = Room(line.size() + kCrLf.size());
    out = std::copy(line.begin(), line.end(), out);
    Commit(std::copy(kCrLf.begin(), kCrLf.end(), out));
  }

  // Hands on what is gathered; false once a piece could not be written.
  bool Flush() {
    if (used_ > 0 && ok_) ok_ = write_(std::string_view(buffer_.get(), used_));
    used_ = 0;
    return ok_;
  }

 private:
  static constexpr std::size_t kChunk = std::size_t{1} << 20;
  const WriteBytes& write_;
  std::unique_ptr<char[]> buffer_;  // never zeroed: escaped text is written straight into it
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  bool ok_ = true;
};

// The topic file, every line followed by CR LF, passed to `write` in pieces.
bool PutTopicFile(const ProjectModel& project, Progress* progress, const WriteBytes& write) {
  ChunkedOutput out(write);
  out.Line(BuildRtfHeader(project));
  out.Line(BuildColorTable());
  if (progress) progress->Step();

  const std::string format_line = BuildTopicFormatLine(project);
  constexpr std::string_view kPageBreak = "\\page\r\n";
  int browse_number = 1;
  const int count = project.PageCount();
  for (int i = 1; i <= count; ++i) {
    const PageRecord& p = project.Page(i);
    if (p.Attribute == kTopicPage || p.Attribute == kPopupPage) {
      out.Line(format_line);
      out.Line(FootnoteLine(p, browse_number));
      if (p.Attribute == kTopicPage) ++browse_number;
      if (!p.Topic.empty()) {
        char* end =
            PutEscapedTopicText(p.Topic, out.Room(EscapedTopicTextBound(p.Topic) + kCrLf.size()));
        out.Commit(std::copy(kCrLf.begin(), kCrLf.end(), end));
      }
      // Decided by table position: a trailing Content, Include or Book page
      // still leaves the last topic followed by a page break.
      if (i < count)
        out.Commit(std::copy(kPageBreak.begin(), kPageBreak.end(), out.Room(kPageBreak.size())));
    }
    if (progress) progress->Step();
  }
  out.Line("}");
  return out.Flush();
}

}  // namespace

std::string BuildTopicFile(const ProjectModel& project, Progress* progress) {
  std::string text;
  PutTopicFile(project, progress, [&](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

FileResult WriteTopicFile(const ProjectModel& project, Progress& progress) {
  progress.SetRange(project.PageCount());
  progress.SetPosition(0);
  return SaveBuildFileStreamed(
      BuildFilePath(project, ".rtf"),
      [&](const WriteBytes& write) { return PutTopicFile(project, &progress, write); }, &progress);
}

}  // namespace qy
