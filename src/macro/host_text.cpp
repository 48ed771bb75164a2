#include "macro/host_text.h"

#include <algorithm>

#include "core/cp932.h"
#include "core/text_mapping.h"

namespace qy {

std::vector<LineSpan> TextLineSpans(std::string_view text) {
  std::vector<LineSpan> spans;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    spans.push_back({start, i - start});
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) spans.push_back({start, text.size() - start});
  return spans;
}

std::string TextLine(std::string_view text, std::int64_t index) {
  const std::vector<LineSpan> spans = TextLineSpans(text);
  if (index < 0 || index >= static_cast<std::int64_t>(spans.size())) return {};
  const LineSpan& span = spans[static_cast<std::size_t>(index)];
  return std::string(text.substr(span.start, span.length));
}

namespace {

std::size_t ClampOffset(std::string_view text, int offset) {
  return static_cast<std::size_t>(std::clamp(offset, 0, static_cast<int>(text.size())));
}

}  // namespace

int CaretRow(std::string_view text, int offset) {
  const std::string_view before = text.substr(0, ClampOffset(text, offset));
  int rows = 0;
  for (std::size_t at = before.find(kCrLf); at != std::string_view::npos;
       at = before.find(kCrLf, at + 2)) {
    ++rows;
  }
  return rows;
}

int CaretLineStart(std::string_view text, int offset) {
  const std::size_t end = ClampOffset(text, offset);
  if (end < 2) return 0;
  const std::size_t at = text.substr(0, end).rfind(kCrLf);
  return at == std::string_view::npos ? 0 : static_cast<int>(at + 2);
}

int RowStartOffset(std::string_view text, std::int64_t row) {
  std::size_t start = 0;
  for (std::int64_t r = 0; r < row; ++r) {
    const std::size_t at = text.find(kCrLf, start);
    if (at == std::string_view::npos) break;
    start = at + 2;
  }
  return static_cast<int>(start);
}

std::string CharacterCopy(std::string_view text, std::int64_t index, std::int64_t count) {
  if (index < 1) index = 1;
  if (count <= 0) return {};
  std::size_t pos = 0;
  for (std::int64_t skipped = 1; skipped < index && pos < text.size(); ++skipped) {
    pos += CharLengthAt(text, pos);
  }
  const std::size_t from = pos;
  for (std::int64_t taken = 0; taken < count && pos < text.size(); ++taken) {
    pos += CharLengthAt(text, pos);
  }
  return std::string(text.substr(from, pos - from));
}

std::string SortTextLines(std::string_view text) {
  struct Keyed {
    std::string key;
    std::string line;
  };
  std::vector<Keyed> lines;
  for (std::string& line : SplitLines(text)) {
    std::string key = MapText(line, TextMapping::kUpperCase);
    lines.push_back({std::move(key), std::move(line)});
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  std::string out;
  out.reserve(text.size() + 2);
  for (const Keyed& k : lines) {
    out += k.line;
    out += kCrLf;
  }
  return out;
}

}  // namespace qy
