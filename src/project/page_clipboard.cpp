#include "project/page_clipboard.h"

#include <charconv>
#include <string_view>
#include <vector>

#include "core/cp932.h"

namespace qy {

namespace {

constexpr int kMinimumLines = 11;
// Lines before the topic: the header block and one empty line.
constexpr int kNewHeadLines = 12;
constexpr int kOldHeadLines = 10;

// The clipboard names every book "Book"; the other kinds as in the file.
const char* KindWord(PageAttribute a) { return IsBook(a) ? "Book" : PageKindWord(a); }

PageAttribute KindFromWord(std::string_view word) {
  if (word == "True") return kPopupPage;
  if (word == "Macro") return kContentPage;
  if (word == "Include") return kIncludePage;
  return kTopicPage;
}

// Reads one line from `pos` (ends at CR LF, CR or LF) and moves `pos` behind
// its line end. At the end of the text the line is empty.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  const std::size_t end = text.find_first_of("\r\n", start);
  if (end == std::string_view::npos) {
    pos = text.size();
    return text.substr(start);
  }
  pos = end + 1;
  if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  return text.substr(start, end - start);
}

std::optional<std::int32_t> ParseInt(std::string_view s) {
  std::int32_t value = 0;
  const char* end = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(s.data(), end, value);
  if (ec != std::errc() || ptr != end || s.empty()) return std::nullopt;
  return value;
}

}  // namespace

// The text ends with a line end after the topic, so that the topic comes back
// exactly as it was, a final empty line included.
std::string PageClipboardText(const PageRecord& page) {
  const std::vector<std::string> head = {
      kPageClipboardHeader,
      page.Context,
      page.Title,
      page.Keyword,
      KindWord(page.Attribute),
      std::to_string(BookLevel(page.Attribute)),
      page.AKeyword,
      page.BKeyword,
      std::to_string(page.ContextID),
      page.Window,
      page.Macro,
      "",
  };
  std::string text;
  for (const std::string& line : head) {
    text += line;
    text += kCrLf;
  }
  text += page.Topic;
  text += kCrLf;
  return text;
}

std::optional<ClipboardPage> ParsePageClipboard(const std::string& text) {
  std::size_t pos = 0;
  const std::string_view header = NextLine(text, pos);
  bool old_form;
  if (header == kPageClipboardHeader) {
    old_form = false;
  } else if (header == kOldPageClipboardHeader) {
    old_form = true;
  } else {
    return std::nullopt;
  }
  if (SplitLines(text).size() < static_cast<std::size_t>(kMinimumLines)) return std::nullopt;

  std::vector<std::string_view> lines = {header};
  const int head_lines = old_form ? kOldHeadLines : kNewHeadLines;
  while (static_cast<int>(lines.size()) < head_lines) lines.push_back(NextLine(text, pos));

  ClipboardPage result;
  PageRecord& page = result.page;
  page.Context = LimitField(lines[1]);
  page.Title = LimitField(lines[2]);
  page.Keyword = LimitField(lines[3]);
  page.AKeyword = LimitField(lines[6]);
  page.BKeyword = LimitField(lines[7]);
  if (!old_form) {
    page.Window = LimitField(lines[9]);
    page.Macro = LimitField(lines[10]);
  }
  std::string_view topic = std::string_view(text).substr(pos);
  if (topic.ends_with(kCrLf)) {
    topic.remove_suffix(2);
  } else if (topic.ends_with('\n') || topic.ends_with('\r')) {
    topic.remove_suffix(1);
  }
  page.Topic = std::string(topic);

  const std::optional<std::int32_t> id = ParseInt(lines[8]);
  result.id_valid = id.has_value();
  page.ContextID = id.value_or(0);

  PageAttribute kind = KindFromWord(lines[4]);
  const int level = ParseInt(lines[5]).value_or(0);
  if (level > 0) kind = BookAttribute(level > kMaxBookLevel ? kMaxBookLevel : level);
  page.Attribute = kind;
  if (!IsHelpTopic(kind)) {
    page.Keyword.clear();
    page.AKeyword.clear();
    page.BKeyword.clear();
    page.Window.clear();
    page.Macro.clear();
  }
  if (!HasTopicText(kind)) page.Topic.clear();
  return result;
}

}  // namespace qy
