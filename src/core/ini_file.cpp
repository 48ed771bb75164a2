#include "core/ini_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <string_view>

#include "core/cp932.h"

namespace qy {

namespace {

// Blanks that the profile functions drop around names and values; Ctrl-Z is
// the end-of-file mark old editors leave behind. None of them can be the
// trail byte of a double-byte character, so trimming byte-wise is safe.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

enum class LineKind { kOther, kSection, kKey };

// One physical line of the file, as offsets into the file's bytes.
struct Line {
  std::size_t begin = 0;  // first byte of the line
  std::size_t end = 0;    // end of the text, before the line end
  std::size_t next = 0;   // first byte of the following line
  LineKind kind = LineKind::kOther;
  bool blank = false;           // nothing but blanks
  std::string_view name;        // section or key name, trimmed
  std::size_t value_begin = 0;  // key lines: the trimmed value
  std::size_t value_end = 0;
};

// Section line: "[" name "]" after optional blanks. The name ends at the last
// "]" of the line; the scan walks characters so that a "]" that is the trail
// byte of a double-byte character (as in "ゾ") is not taken for the bracket.
void ClassifySection(std::string_view text, Line* line) {
  std::size_t close = std::string_view::npos;
  for (std::size_t i = 1; i < text.size();) {
    std::size_t n = CharLengthAt(text, i);
    if (n == 1 && text[i] == ']') close = i;
    i += n;
  }
  if (close == std::string_view::npos) return;
  line->kind = LineKind::kSection;
  line->name = Trim(text.substr(1, close - 1));
}

// Key line: name "=" value; the first "=" splits (0x3D is never a trail byte).
// Comment lines (";" first) and lines without a name are not keys.
void ClassifyKey(std::string_view text, std::size_t offset, Line* line) {
  if (text.front() == ';') return;
  std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return;
  std::string_view name = Trim(text.substr(0, eq));
  if (name.empty()) return;
  std::size_t vb = eq + 1;
  std::size_t ve = text.size();
  while (vb < ve && IsBlank(text[vb])) ++vb;
  while (ve > vb && IsBlank(text[ve - 1])) --ve;
  line->kind = LineKind::kKey;
  line->name = name;
  line->value_begin = offset + vb;
  line->value_end = offset + ve;
}

// Splits on CR LF, lone CR or lone LF, keeping where each line ends so that a
// rewrite can copy untouched lines byte for byte.
std::vector<Line> ParseLines(std::string_view data) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < data.size()) {
    Line line;
    line.begin = pos;
    std::size_t stop = data.find_first_of("\r\n", pos);
    if (stop == std::string_view::npos) stop = data.size();
    line.end = stop;
    if (stop < data.size()) {
      stop += (data[stop] == '\r' && stop + 1 < data.size() && data[stop + 1] == '\n') ? 2 : 1;
    }
    line.next = stop;
    std::string_view raw = data.substr(line.begin, line.end - line.begin);
    std::size_t lead = 0;
    while (lead < raw.size() && IsBlank(raw[lead])) ++lead;
    std::string_view text = raw.substr(lead);
    std::size_t trail = text.size();
    while (trail > 0 && IsBlank(text[trail - 1])) --trail;
    text = text.substr(0, trail);
    line.blank = text.empty();
    if (!text.empty()) {
      if (text.front() == '[') ClassifySection(text, &line);
      if (line.kind == LineKind::kOther) ClassifyKey(text, line.begin + lead, &line);
    }
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool NameEquals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && EqualsIgnoreAsciiCase(a, b);
}

// Index of the header of the first section called `name`, or kNone.
std::size_t FindSection(const std::vector<Line>& lines, std::string_view name) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::kSection && NameEquals(lines[i].name, name)) return i;
  }
  return kNone;
}

// Index one past the last line of the section whose header is at `header`.
std::size_t SectionEnd(const std::vector<Line>& lines, std::size_t header) {
  std::size_t i = header + 1;
  while (i < lines.size() && lines[i].kind != LineKind::kSection) ++i;
  return i;
}

std::size_t FindKey(const std::vector<Line>& lines, std::size_t header, std::string_view key) {
  std::size_t end = SectionEnd(lines, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind == LineKind::kKey && NameEquals(lines[i].name, key)) return i;
  }
  return kNone;
}

// No settings file is anywhere near this size; a bigger file is not read,
// so that a stray huge file cannot exhaust memory.
constexpr off_t kMaxFileSize = 64 << 20;

// The file's bytes for a rewrite. A missing file is empty; a file that exists
// but cannot be read must not be replaced by a file holding only the new key.
std::optional<std::string> LoadForWriting(const std::string& path, std::string* error) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return std::string();
    *error = std::strerror(errno);
    return std::nullopt;
  }
  if (st.st_size > kMaxFileSize) {
    *error = "file too large";
    return std::nullopt;
  }
  std::string why;
  auto data = ReadWholeFile(path, &why);
  if (!data) *error = why.empty() ? "cannot read the file" : why;
  return data;
}

// The file's bytes for reading: a file that is missing or cannot be read
// reads as empty, so every lookup gives its fallback.
std::string LoadForReading(const std::string& path) {
  std::string ignored;
  auto data = LoadForWriting(path, &ignored);
  return data ? std::move(*data) : std::string();
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Names that would not read back as the same section or key are refused
// rather than written into a file that then means something else.
std::string CheckSectionName(std::string_view section) {
  if (section.empty()) return "empty section name";
  if (HasLineBreak(section)) return "line break in section name";
  return "";
}

std::string CheckKeyName(std::string_view key) {
  if (key.empty()) return "empty key name";
  if (HasLineBreak(key) || key.find('=') != std::string_view::npos) {
    return "key name contains a line break or '='";
  }
  if (key.front() == ';' || key.front() == '[') return "key name starts with ';' or '['";
  return "";
}

bool EndsWithLineBreak(std::string_view data) {
  return !data.empty() && (data.back() == '\n' || data.back() == '\r');
}

// Rewrites the file with `edit` applied to its bytes; an edit that changes
// nothing writes nothing.
template <typename Edit>
FileResult Rewrite(const std::string& path, Edit edit) {
  std::string error;
  auto data = LoadForWriting(path, &error);
  if (!data) return FileResult::Fail(error);
  std::optional<std::string> out = edit(*data, &error);
  if (!out) return FileResult::Fail(error);
  if (*out == *data) return FileResult::Ok();
  return WriteFileAtomic(path, *out);
}

// Decimal with optional sign; digits after the number are ignored the way
// the profile functions ignore them. Out-of-range numbers are not numbers.
std::optional<int> ParseProfileInt(std::string_view text) {
  text = Trim(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  long long v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > INT_MAX || v < INT_MIN) return std::nullopt;
  return static_cast<int>(v);
}

// Names in file order, each once (compared as names are compared).
void AddOnce(std::vector<std::string>* names, std::string_view name) {
  for (const std::string& n : *names) {
    if (NameEquals(n, name)) return;
  }
  names->emplace_back(name);
}

}  // namespace

// ---- Operations on the file's bytes.

std::optional<std::string> IniFile::ValueIn(std::string_view data, std::string_view section,
                                            std::string_view key) {
  std::vector<Line> lines = ParseLines(data);
  std::size_t header = FindSection(lines, Trim(section));
  if (header == kNone) return std::nullopt;
  std::size_t at = FindKey(lines, header, Trim(key));
  if (at == kNone) return std::nullopt;
  std::string_view value =
      data.substr(lines[at].value_begin, lines[at].value_end - lines[at].value_begin);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::vector<std::string> IniFile::KeysIn(std::string_view data, std::string_view section) {
  std::vector<Line> lines = ParseLines(data);
  std::vector<std::string> keys;
  std::size_t header = FindSection(lines, Trim(section));
  if (header == kNone) return keys;
  std::size_t end = SectionEnd(lines, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind == LineKind::kKey) AddOnce(&keys, lines[i].name);
  }
  return keys;
}

std::vector<std::string> IniFile::SectionsIn(std::string_view data) {
  std::vector<std::string> sections;
  for (const Line& line : ParseLines(data)) {
    if (line.kind == LineKind::kSection) AddOnce(&sections, line.name);
  }
  return sections;
}

std::optional<std::string> IniFile::WithValue(std::string_view data, std::string_view section_in,
                                              std::string_view key_in, std::string_view value,
                                              std::string* error) {
  std::string_view section = Trim(section_in);
  std::string_view key = Trim(key_in);
  std::string bad = CheckSectionName(section);
  if (bad.empty()) bad = CheckKeyName(key);
  if (bad.empty() && HasLineBreak(value)) bad = "line break in value";
  if (!bad.empty()) {
    if (error) *error = bad;
    return std::nullopt;
  }
  std::vector<Line> lines = ParseLines(data);
  std::string out;
  std::size_t header = FindSection(lines, section);
  if (header == kNone) {
    out = data;
    if (!out.empty() && !EndsWithLineBreak(out)) out += kCrLf;
    out.append("[").append(section).append("]\r\n");
    out.append(key).append("=").append(value).append(kCrLf);
    return out;
  }
  std::size_t at = FindKey(lines, header, key);
  if (at != kNone) {
    // Replace the value only: the key as it was spelt and the blanks around
    // "=" stay, and so does the line end.
    const Line& line = lines[at];
    out.append(data.substr(0, line.value_begin));
    out.append(value);
    out.append(data.substr(line.end));
    return out;
  }
  // New key: after the section's last non-blank line, so that blank lines
  // separating it from the next section stay where they are.
  std::size_t last = header;
  std::size_t end = SectionEnd(lines, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (!lines[i].blank) last = i;
  }
  const Line& after = lines[last];
  out.append(data.substr(0, after.next));
  if (after.next == after.end) out += kCrLf;  // the last line had no line end
  out.append(key).append("=").append(value).append(kCrLf);
  out.append(data.substr(after.next));
  return out;
}

std::string IniFile::WithoutKey(std::string_view data, std::string_view section,
                                std::string_view key_in) {
  std::vector<Line> lines = ParseLines(data);
  std::size_t header = FindSection(lines, Trim(section));
  if (header == kNone) return std::string(data);
  std::string_view key = Trim(key_in);
  // Every copy of the key in the section goes, so that a later duplicate
  // cannot surface as the key's value.
  std::size_t end = SectionEnd(lines, header);
  std::string out;
  std::size_t copied = 0;
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind != LineKind::kKey || !NameEquals(lines[i].name, key)) continue;
    out.append(data.substr(copied, lines[i].begin - copied));
    copied = lines[i].next;
  }
  out.append(data.substr(copied));
  return out;
}

std::string IniFile::WithoutSection(std::string_view data, std::string_view section_in) {
  std::vector<Line> lines = ParseLines(data);
  std::string_view section = Trim(section_in);
  // Every section of that name goes, with its keys, comments and blank lines.
  std::string out;
  std::size_t copied = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::kSection || !NameEquals(lines[i].name, section)) continue;
    std::size_t end = SectionEnd(lines, i);
    out.append(data.substr(copied, lines[i].begin - copied));
    copied = end < lines.size() ? lines[end].begin : data.size();
    i = end - 1;
  }
  out.append(data.substr(copied));
  return out;
}

// ---- File operations.

std::optional<std::string> IniFile::ReadValue(const std::string& section,
                                              const std::string& key) const {
  return ValueIn(LoadForReading(path_), section, key);
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  return ReadValue(section, key).value_or(fallback);
}

int IniFile::ReadInt(const std::string& section, const std::string& key, int fallback) const {
  auto text = ReadValue(section, key);
  if (!text) return fallback;
  return ParseProfileInt(*text).value_or(fallback);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  return ReadInt(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
  return ReadValue(section, key).has_value();
}

std::vector<std::string> IniFile::ReadKeys(const std::string& section) const {
  return KeysIn(LoadForReading(path_), section);
}

std::vector<std::string> IniFile::ReadSections() const { return SectionsIn(LoadForReading(path_)); }

FileResult IniFile::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
  return Rewrite(path_, [&](const std::string& data, std::string* error) {
    return WithValue(data, section, key, value, error);
  });
}

FileResult IniFile::WriteInt(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

FileResult IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

FileResult IniFile::DeleteKey(const std::string& section, const std::string& key) {
  // Nothing to delete writes nothing, so a missing file stays missing.
  return Rewrite(path_, [&](const std::string& data, std::string*) {
    return std::optional<std::string>(WithoutKey(data, section, key));
  });
}

FileResult IniFile::DeleteSection(const std::string& section) {
  return Rewrite(path_, [&](const std::string& data, std::string*) {
    return std::optional<std::string>(WithoutSection(data, section));
  });
}

std::vector<std::string> SplitCommaText(const std::string& text) {
  // Shift-JIS trail bytes are never blanks, commas or quotes, so a byte scan
  // is safe.
  std::vector<std::string> items;
  const auto blank = [](char c) { return c > 0 && c <= ' '; };
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && blank(text[i])) ++i;
  while (i < n) {
    std::string item;
    if (text[i] == '"') {
      for (++i; i < n; ++i) {
        if (text[i] != '"') {
          item += text[i];
        } else if (i + 1 < n && text[i + 1] == '"') {
          item += '"';
          ++i;
        } else {
          ++i;
          break;
        }
      }
    } else {
      while (i < n && text[i] != ',' && !blank(text[i])) item += text[i++];
    }
    items.push_back(std::move(item));
    while (i < n && blank(text[i])) ++i;
    if (i < n && text[i] == ',') {
      ++i;
      while (i < n && blank(text[i])) ++i;
      if (i == n) items.emplace_back();  // a trailing comma ends with an empty item
    }
  }
  return items;
}

}  // namespace qy
