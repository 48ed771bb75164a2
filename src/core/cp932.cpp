#include "core/cp932.h"

#include <cstring>

namespace qy {

namespace {

// A byte below 0x40 is neither a lead nor a trail byte, so it is always a
// character of its own and the position after it always starts a character.
// Walking back to the nearest such byte (not below `floor`, itself a known
// start) finds a safe place to walk forward from.
std::size_t SafeStartBefore(std::string_view text, std::size_t pos, std::size_t floor) {
  while (pos > floor && static_cast<unsigned char>(text[pos - 1]) >= 0x40) --pos;
  return pos;
}

}  // namespace

std::size_t NextCharBoundary(std::string_view text, std::size_t known, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  std::size_t i = SafeStartBefore(text, pos, known);
  while (i < pos) i += CharLengthAt(text, i);
  return i;
}

bool IsCharBoundary(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return pos == text.size();
  return NextCharBoundary(text, 0, pos) == pos;
}

std::size_t FloorCharBoundary(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  std::size_t i = SafeStartBefore(text, pos, 0);
  while (true) {
    std::size_t next = i + CharLengthAt(text, i);
    if (next > pos) return i;
    i = next;
  }
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
