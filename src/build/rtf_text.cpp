#include "build/rtf_text.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/cp932.h"

namespace qy {

namespace {

constexpr char kHex[] = "0123456789abcdef";

char* PutHexByte(char* out, unsigned char byte) {
  out[0] = '\\';
  out[1] = '\'';
  out[2] = kHex[byte >> 4];
  out[3] = kHex[byte & 15];
  return out + 4;
}

bool IsLead(const unsigned char* p, std::size_t i) { return IsLeadByte(p[i]); }

// Bytes below 0x81 are never lead bytes, so most text takes the first branch.
std::size_t EscapedSize(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t extra = 0;
  for (std::size_t i = 0; i < n;) {
    if (p[i] < 0x81 || !IsLead(p, i)) {
      ++i;
    } else if (i + 1 < n && IsTrailByte(p[i + 1])) {
      extra += 6;
      i += 2;
    } else {
      if (i + 1 == n) extra += 3;
      ++i;
    }
  }
  return n + extra;
}

// Writes EscapeDbcs(text) at `out`, which has room for EscapedSize(text).
char* PutEscaped(std::string_view text, char* out) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    if (p[i] < 0x81 || !IsLead(p, i)) {
      *out++ = static_cast<char>(p[i++]);
    } else if (i + 1 < n && IsTrailByte(p[i + 1])) {
      out = PutHexByte(PutHexByte(out, p[i]), p[i + 1]);
      i += 2;
    } else if (i + 1 == n) {
      out = PutHexByte(out, p[i++]);
    } else {
      *out++ = static_cast<char>(p[i++]);
    }
  }
  return out;
}

// A control word counts only when its backslash starts a character: in
// "表par" the "\" is the trail byte of 表 (0x95 0x5C), and that line still
// needs its paragraph mark.
bool EndsWithControlWord(std::string_view line, std::string_view word) {
  if (line.size() < word.size() || line.substr(line.size() - word.size()) != word) return false;
  return IsCharBoundary(line, line.size() - word.size());
}

bool EndsInParagraphControl(std::string_view line) {
  static constexpr std::array<std::string_view, 4> kWords = {"\\par", "\\pard", "\\line",
                                                             "\\keepn"};
  for (std::string_view word : kWords) {
    if (EndsWithControlWord(line, word)) return true;
  }
  return false;
}

// The lines of EndOfLineAddStr as views into `text`: split at CR LF, CR or
// LF, plus one empty line when the text ends in CR LF.
std::vector<std::string_view> LineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  // The next CR and the next LF, each found by memchr and looked for again
  // only once passed.
  std::size_t cr = text.find('\r');
  std::size_t lf = text.find('\n');
  std::size_t start = 0;
  while (true) {
    const std::size_t stop = std::min(cr, lf);
    if (stop == std::string_view::npos) break;
    lines.push_back(text.substr(start, stop - start));
    start = stop + ((text[stop] == '\r' && stop + 1 == lf) ? 2 : 1);
    if (cr < start) cr = text.find('\r', start);
    if (lf < start) lf = text.find('\n', start);
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  if (text.size() >= 2 && text.substr(text.size() - 2) == kCrLf) lines.emplace_back();
  return lines;
}

// EndOfLineAddStr, with each line passed through `size_of` and `put` (the
// identity or the escaping) before its suffix, so that nothing appended can
// pair with a lead byte at the end of a line.
template <typename SizeOf, typename Put>
std::string AddLineEnds(std::string_view text, std::string_view suffix, SizeOf size_of, Put put) {
  if (text.empty()) return {};
  const std::vector<std::string_view> lines = LineViews(text);
  std::vector<bool> marked(lines.size());
  std::size_t size = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    marked[i] = !EndsInParagraphControl(lines[i]);
    size += size_of(lines[i]) + (marked[i] ? suffix.size() : 0) + 2;
  }
  std::string out(size - 2, '\0');
  char* p = out.data();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    p = put(lines[i], p);
    if (marked[i]) p = std::copy(suffix.begin(), suffix.end(), p);
    if (i + 1 < lines.size()) p = std::copy(kCrLf.begin(), kCrLf.end(), p);
  }
  return out;
}

char* PutPlain(std::string_view text, char* out) {
  return std::copy(text.begin(), text.end(), out);
}

bool IsRtfSpecial(char c) { return c == '\\' || c == '{' || c == '}'; }

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// What the footnote text of `value` holds that would break its group:
// every "{" that no "}" closes, every "}" that would close the footnote,
// a "\" that would take the group's closing brace (or a brace of a "\'"
// escape), a raw double-byte character whose trail byte is "\", "{" or "}",
// and a lead byte left at the end. Positions are byte offsets in `value`.
struct FieldFaults {
  std::vector<bool> at;  // empty when the field is well-formed
};

FieldFaults FindFieldFaults(std::string_view value, bool raw_double_bytes) {
  std::vector<bool> bad(value.size(), false);
  std::vector<std::size_t> open;
  bool any = false;
  auto mark = [&](std::size_t i) {
    bad[i] = true;
    any = true;
  };
  for (std::size_t i = 0; i < value.size();) {
    const std::size_t len = CharLengthAt(value, i);
    const char c = value[i];
    if (len == 2) {
      if (raw_double_bytes && IsRtfSpecial(value[i + 1])) mark(i);
    } else if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 == value.size()) {
      mark(i);
    } else if (c == '\\') {
      if (i + 1 == value.size()) {
        mark(i);
      } else if (value[i + 1] == '\'') {
        if (i + 3 >= value.size() || !IsHexDigit(value[i + 2]) || !IsHexDigit(value[i + 3])) {
          mark(i);
        } else {
          i += 4;
          continue;
        }
      } else if (CharLengthAt(value, i + 1) == 1) {
        i += 2;  // "\{", "\}", "\\" or the first letter of a control word
        continue;
      }
    } else if (c == '{') {
      open.push_back(i);
    } else if (c == '}') {
      if (open.empty()) {
        mark(i);
      } else {
        open.pop_back();
      }
    }
    i += len;
  }
  for (std::size_t i : open) mark(i);
  if (!any) bad.clear();
  return {std::move(bad)};
}

}  // namespace

std::string EscapeDbcs(std::string_view text) {
  std::string out(EscapedSize(text), '\0');
  PutEscaped(text, out.data());
  return out;
}

std::string EndOfLineAddStr(std::string_view text, std::string_view suffix) {
  return AddLineEnds(
      text, suffix, [](std::string_view line) { return line.size(); }, PutPlain);
}

std::string EscapeTopicText(std::string_view text) {
  return AddLineEnds(text, kParagraphMark, EscapedSize, PutEscaped);
}

FootnoteText MakeFootnoteText(std::string_view value, bool escape_double_bytes) {
  const FieldFaults faults = FindFieldFaults(value, !escape_double_bytes);
  if (faults.at.empty()) {
    return {escape_double_bytes ? EscapeDbcs(value) : std::string(value), false};
  }
  std::string out;
  out.reserve(value.size() * 4 + 8);
  char hex[8];
  for (std::size_t i = 0; i < value.size();) {
    const std::size_t len = CharLengthAt(value, i);
    const auto b = static_cast<unsigned char>(value[i]);
    if (len == 2) {
      if (escape_double_bytes || faults.at[i]) {
        out.append(hex, PutHexByte(PutHexByte(hex, b), static_cast<unsigned char>(value[i + 1])));
      } else {
        out.append(value.substr(i, 2));
      }
    } else if (faults.at[i] && IsLeadByte(b)) {
      out.append(hex, PutHexByte(hex, b));
    } else {
      if (faults.at[i]) out += '\\';  // "\{", "\}" or "\\"
      out += value[i];
    }
    i += len;
  }
  return {std::move(out), true};
}

}  // namespace qy
