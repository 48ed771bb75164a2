#include "build/rtf_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
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

// "\'xx" of every byte, so that a double-byte character is two 4-byte
// copies.
constexpr std::array<std::array<char, 4>, 256> kHexEscapes = [] {
  std::array<std::array<char, 4>, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = {'\\', '\'', kHex[b >> 4], kHex[b & 15]};
  return table;
}();

// Most escaped output grows by 6 bytes per double-byte character; a lone
// lead byte at the end grows by 3. No byte grows by more than 3, so four
// times the input always has room.
constexpr std::size_t kMaxEscapedGrowth = 4;

// Writes EscapeDbcs(text) at `out`, which has room for
// kMaxEscapedGrowth * text.size() bytes; returns the end of what it wrote.
char* PutEscaped(std::string_view text, char* out) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    // Eight bytes below 0x80 at a time: none of them is a lead byte.
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      if (word & 0x8080808080808080u) break;
      std::memcpy(out, &word, 8);
      out += 8;
      p += 8;
    }
    if (p == end) break;
    const unsigned char c = *p;
    // Bytes below 0x81 are never lead bytes, so most text takes this branch.
    if (c < 0x81 || !IsLeadByte(c)) {
      *out++ = static_cast<char>(c);
      ++p;
    } else if (p + 1 < end && IsTrailByte(p[1])) {
      std::memcpy(out, kHexEscapes[c].data(), 4);
      std::memcpy(out + 4, kHexEscapes[p[1]].data(), 4);
      out += 8;
      p += 2;
    } else if (p + 1 == end) {
      out = PutHexByte(out, c);
      ++p;
    } else {
      *out++ = static_cast<char>(c);
      ++p;
    }
  }
  return out;
}

// A string of `bound` bytes filled by `fill(char*)`, which returns the end
// of what it wrote: filled through a buffer that is never zeroed, since the
// bound can be several times the result.
template <typename Fill>
std::string FillString(std::size_t bound, Fill fill) {
  std::unique_ptr<char[]> buffer(new char[bound]);
  char* end = fill(buffer.get());
  return std::string(buffer.get(), end);
}

// A control word counts only when its backslash starts a character: in
// "表par" the "\" is the trail byte of 表 (0x95 0x5C), and that line still
// needs its paragraph mark.
bool EndsWithControlWord(std::string_view line, std::string_view word) {
  if (line.size() < word.size() || line.substr(line.size() - word.size()) != word) return false;
  return IsCharBoundary(line, line.size() - word.size());
}

bool EndsInParagraphControl(std::string_view line) {
  // Every word ends in "r", "d", "e" or "n": most lines end otherwise.
  if (line.empty()) return false;
  const char last = line.back();
  if (last != 'r' && last != 'd' && last != 'e' && last != 'n') return false;
  static constexpr std::array<std::string_view, 4> kWords = {"\\par", "\\pard", "\\line",
                                                             "\\keepn"};
  for (std::string_view word : kWords) {
    if (EndsWithControlWord(line, word)) return true;
  }
  return false;
}

// Calls line(view) for each line of EndOfLineAddStr in order: the text split
// at CR LF, CR or LF, plus one empty line when it ends in CR LF.
template <typename Line>
void ForEachLine(std::string_view text, Line line) {
  // The next CR and the next LF, each found by memchr and looked for again
  // only once passed.
  std::size_t cr = text.find('\r');
  std::size_t lf = text.find('\n');
  std::size_t start = 0;
  while (true) {
    const std::size_t stop = std::min(cr, lf);
    if (stop == std::string_view::npos) break;
    line(text.substr(start, stop - start));
    start = stop + ((text[stop] == '\r' && stop + 1 == lf) ? 2 : 1);
    if (cr < start) cr = text.find('\r', start);
    if (lf < start) lf = text.find('\n', start);
  }
  if (start < text.size()) line(text.substr(start));
  if (text.size() >= 2 && text.substr(text.size() - 2) == kCrLf) line(std::string_view());
}

// EndOfLineAddStr at `out`, each line passed through `put` (a copy or the
// escaping) before its suffix, so that nothing appended can pair with a
// lead byte at the end of a line. `out` has room for `growth` times the
// text plus the suffix and CR LF of every line.
template <typename Put>
char* PutLineEnds(std::string_view text, std::string_view suffix, Put put, char* out) {
  bool first = true;
  ForEachLine(text, [&](std::string_view line) {
    if (!first) out = std::copy(kCrLf.begin(), kCrLf.end(), out);
    first = false;
    out = put(line, out);
    if (!EndsInParagraphControl(line)) out = std::copy(suffix.begin(), suffix.end(), out);
  });
  return out;
}

// Room for PutLineEnds: every line adds at most its suffix and CR LF, and
// a text has at most one line more than it has bytes.
std::size_t LineEndsBound(std::string_view text, std::size_t growth, std::size_t suffix) {
  return text.size() * growth + (text.size() + 1) * (suffix + kCrLf.size());
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
  return FillString(text.size() * kMaxEscapedGrowth,
                    [&](char* out) { return PutEscaped(text, out); });
}

std::string EndOfLineAddStr(std::string_view text, std::string_view suffix) {
  return FillString(LineEndsBound(text, 1, suffix.size()),
                    [&](char* out) { return PutLineEnds(text, suffix, PutPlain, out); });
}

std::size_t EscapedTopicTextBound(std::string_view text) {
  return LineEndsBound(text, kMaxEscapedGrowth, kParagraphMark.size());
}

char* PutEscapedTopicText(std::string_view text, char* out) {
  return PutLineEnds(text, kParagraphMark, PutEscaped, out);
}

std::string EscapeTopicText(std::string_view text) {
  return FillString(EscapedTopicTextBound(text),
                    [&](char* out) { return PutEscapedTopicText(text, out); });
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
