#include "core/cp932.h"

#include <cstring>

namespace qy {

namespace {

// Whether `pos` (< text.size()) starts a character, given that `floor` <=
// pos is a known start. A byte that is not a lead byte never begins a pair
// that covers the byte after it, so the position after it is a start. From
// there back to `pos` every byte is a lead byte, and a lead byte is also a
// valid trail byte: the run pairs up from its first byte, and `pos` is
// inside a pair only when the run before it is odd and `pos` holds a trail
// byte. The walk back covers only that run, which in real text is a few
// bytes long at most.
bool StartsChar(std::string_view text, std::size_t floor, std::size_t pos) {
  std::size_t run_start = pos;
  while (run_start > floor && IsLeadByte(static_cast<unsigned char>(text[run_start - 1]))) {
    --run_start;
  }
  return (pos - run_start) % 2 == 0 || !IsTrailByte(static_cast<unsigned char>(text[pos]));
}

}  // namespace

std::size_t NextCharBoundaryAfterLead(std::string_view text, std::size_t known, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  // A position that does not start a character is the trail byte of a pair.
  return StartsChar(text, known, pos) ? pos : pos + 1;
}

bool IsCharBoundary(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return pos == text.size();
  return NextCharBoundary(text, 0, pos) == pos;
}

std::size_t FloorCharBoundary(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  return StartsChar(text, 0, pos) ? pos : pos - 1;
}

std::size_t FindRawBytes(std::string_view text, std::string_view needle, std::size_t from) {
  if (from > text.size() || needle.size() > text.size() - from) return std::string::npos;
  if (needle.empty()) return from;
  const void* hit = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
             : std::string::npos;
}

std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t from) {
  if (from > text.size()) return std::string::npos;
  std::size_t i = NextCharBoundary(text, 0, from);
  if (needle.empty()) return i;
  // Candidates come from a plain byte search; one that starts on a trail
  // byte is skipped. `i` is always a character start, so no walk goes back
  // further than the previous candidate.
  while (i + needle.size() <= text.size()) {
    const std::size_t at = FindRawBytes(text, needle, i);
    if (at == std::string_view::npos) return at;
    const std::size_t start = NextCharBoundary(text, i, at);
    if (start == at) return at;
    i = start;
  }
  return std::string::npos;
}

std::size_t FindBytesBackward(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.size() > text.size()) return std::string::npos;
  std::size_t limit = text.size() - needle.size();
  if (from < limit) limit = from;
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i <= limit; i += CharLengthAt(text, i)) {
    if (text.compare(i, needle.size(), needle) == 0) found = i;
    if (i == text.size()) break;
  }
  return found;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  std::size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  out.reserve(total);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) out += kCrLf;
    out += lines[i];
  }
  return out;
}

std::string LimitField(std::string_view value, std::size_t limit) {
  if (value.size() <= limit) return std::string(value);
  std::size_t i = 0;
  while (i < value.size()) {
    std::size_t next = i + CharLengthAt(value, i);
    if (next > limit) break;
    i = next;
  }
  return std::string(value.substr(0, i));
}

namespace {
template <typename F>
std::string MapAscii(std::string_view text, F f) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size();) {
    std::size_t n = CharLengthAt(out, i);
    if (n == 1) out[i] = f(out[i]);
    i += n;
  }
  return out;
}
}  // namespace

std::string AsciiUpper(std::string_view text) {
  return MapAscii(text, [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; });
}
std::string AsciiLower(std::string_view text) {
  return MapAscii(text, [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; });
}
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

}  // namespace qy
