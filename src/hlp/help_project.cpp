#include "hlp/help_project.h"

#include <cctype>
#include <charconv>
#include <set>

#include "core/cp932.h"
#include "hlp/message_codes.h"

namespace qy::hlp {

namespace {

// Map headers may include each other; deeper than this is a loop. The total
// keeps a header that includes itself many times from taking forever.
constexpr int kMaxIncludeDepth = 8;
constexpr int kMaxIncludes = 64;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// Cuts a ";" comment. ';' is below every trail byte, so a plain search is
// safe in Shift-JIS text.
std::string_view CutComment(std::string_view s) {
  const std::size_t semi = s.find(';');
  return Trim(semi == std::string_view::npos ? s : s.substr(0, semi));
}

bool IsYes(std::string_view value) {
  const std::string v = AsciiUpper(CutComment(value));
  return v == "YES" || v == "TRUE" || v == "ON" || v == "1";
}

// COMPRESS=0/No/False/Off means none; a number, a level name or a method
// list ("12 Hall Zeck") asks for compression.
bool CompressionWanted(std::string_view value) {
  const std::string v = AsciiUpper(CutComment(value));
  if (v.empty() || v == "NO" || v == "FALSE" || v == "OFF") return false;
  if (auto n = ParseNumber(v.substr(0, v.find(' ')))) return *n != 0;
  return true;
}

// Splits at top-level commas; quoted text and parentheses stay together.
std::vector<std::string> SplitFields(std::string_view s) {
  std::vector<std::string> fields(1);
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = CharLengthAt(s, i);
    const char c = s[i];
    if (len == 1) {
      if (c == '"') quoted = !quoted;
      if (!quoted && c == '(') ++depth;
      if (!quoted && c == ')' && depth > 0) --depth;
      if (!quoted && depth == 0 && c == ',') {
        fields.emplace_back();
        ++i;
        continue;
      }
    }
    fields.back().append(s.substr(i, len));
    i += len;
  }
  for (std::string& f : fields) f = std::string(Trim(f));
  return fields;
}

std::string_view Unparen(std::string_view s) {
  s = Trim(s);
  if (s.size() >= 2 && s.front() == '(' && s.back() == ')') s = Trim(s.substr(1, s.size() - 2));
  return s;
}

// "(r14876671)" or "(255,0,128)": a COLORREF (0x00BBGGRR).
std::optional<std::uint32_t> ParseColour(std::string_view field) {
  std::string_view inner = Unparen(field);
  if (inner.empty()) return std::nullopt;
  if (inner.front() == 'r' || inner.front() == 'R') {
    auto n = ParseNumber(Trim(inner.substr(1)));
    if (!n || *n < 0 || *n > 0xFFFFFF) return std::nullopt;
    return static_cast<std::uint32_t>(*n);
  }
  const std::vector<std::string> parts = SplitFields(inner);
  if (parts.size() != 3) return std::nullopt;
  std::uint32_t rgb = 0;
  for (int i = 0; i < 3; ++i) {
    auto n = ParseNumber(parts[i]);
    if (!n || *n < 0 || *n > 255) return std::nullopt;
    rgb |= static_cast<std::uint32_t>(*n) << (8 * i);
  }
  return rgb;
}

bool ParseWindow(std::string_view name, std::string_view value, WindowDefinition& w) {
  w.name = std::string(Trim(name));
  if (w.name.empty()) return false;
  const std::vector<std::string> f = SplitFields(value);
  if (!f.empty() && !f[0].empty()) {
    std::string_view caption = f[0];
    if (caption.size() < 2 || caption.front() != '"' || caption.back() != '"') return false;
    caption = caption.substr(1, caption.size() - 2);
    w.caption = std::string(caption);
    w.has_caption = !caption.empty();
  }
  if (f.size() > 1 && !f[1].empty()) {
    const std::vector<std::string> pos = SplitFields(Unparen(f[1]));
    if (pos.size() != 4) return false;
    int values[4];
    for (int i = 0; i < 4; ++i) {
      auto n = ParseNumber(pos[i]);
      if (!n || *n < 0 || *n > 1023) return false;
      values[i] = static_cast<int>(*n);
    }
    w.has_position = true;
    w.x = values[0];
    w.y = values[1];
    w.width = values[2];
    w.height = values[3];
  }
  if (f.size() > 2 && !f[2].empty()) {
    auto n = ParseNumber(f[2]);
    if (!n || *n < 0 || *n > 0xFFFF) return false;
    w.has_state = true;
    w.state = static_cast<int>(*n);
  }
  if (f.size() > 3 && !f[3].empty()) {
    auto c = ParseColour(f[3]);
    if (!c) return false;
    w.has_colour = true;
    w.colour = *c;
  }
  if (f.size() > 4 && !f[4].empty()) {
    auto c = ParseColour(f[4]);
    if (!c) return false;
    w.has_nsr_colour = true;
    w.nsr_colour = *c;
  }
  if (f.size() > 5 && !f[5].empty()) {
    auto n = ParseNumber(f[5]);
    if (!n || *n < 0 || *n > 0xFF) return false;
    w.on_top = static_cast<int>(*n);
  }
  return f.size() <= 6;
}

class Reader {
 public:
  Reader(HelpProject& project, const IncludeLoader& load) : p_(project), load_(load) {}

  void Read(std::string_view text, const std::string& file) {
    std::string section;
    int line_number = 0;
    std::vector<std::pair<std::string, int>> macro_lines;
    for (const std::string& raw : SplitLines(text)) {
      ++line_number;
      std::string_view line = Trim(raw);
      if (line.empty() || line.front() == ';') continue;
      if (line.front() == '[') {
        const std::size_t close = line.find(']');
        section = AsciiUpper(close == std::string_view::npos ? line.substr(1)
                                                             : line.substr(1, close - 1));
        if (section.rfind("CONFIG:", 0) == 0 || section.rfind("CONFIG-", 0) == 0) {
          section = WindowConfigSection(line.substr(1, section.size()), file, line_number);
        } else if (section == "FONTS") {
          Warn(code::kIgnoredSection, "Section [FONTS] is ignored.", file, line_number);
        } else if (!KnownSection(section)) {
          Warn(code::kUnknownSection, "Section [" + section + "] is ignored.", file, line_number);
        }
        continue;
      }
      if (section == "OPTIONS") Option(line, file, line_number);
      if (section == "FILES") p_.files.emplace_back(CutComment(line));
      if (section == "CONFIG") p_.config_macros.emplace_back(line);
      if (section == kWindowConfig) p_.window_configs.back().macros.emplace_back(line);
      if (section == "WINDOWS") Window(line, file, line_number);
      if (section == "MAP") MapLine(line, file, line_number, 0);
      if (section == "ALIAS") Alias(line, file, line_number);
      if (section == "BITMAPS") p_.bitmaps.emplace_back(CutComment(line));
      if (section == "BAGGAGE") p_.baggage.emplace_back(CutComment(line));
      if (section == "BUILDTAGS") p_.build_tags.emplace_back(CutComment(line));
      if (section == "INCLUDE") p_.include_tags.emplace_back(CutComment(line));
      if (section == "EXCLUDE") p_.exclude_tags.emplace_back(CutComment(line));
      if (section == "MACROS") macro_lines.emplace_back(line, line_number);
    }
    KeywordMacros(macro_lines, file);
  }

 private:
  // Lower case: no section name read from the project can equal it.
  static constexpr const char* kWindowConfig = "window config";

  static bool KnownSection(const std::string& s) {
    static const std::set<std::string> known = {"OPTIONS", "FILES",   "CONFIG",  "WINDOWS",
                                                "MAP",     "ALIAS",   "BITMAPS", "BAGGAGE",
                                                "EXCLUDE", "INCLUDE", "MACROS",  "BUILDTAGS"};
    return known.count(s) != 0;
  }

  // "CONFIG:2" or "CONFIG-name" (as written): the section's macros go to
  // that window; a number that is none leaves the section out.
  std::string WindowConfigSection(std::string_view name, const std::string& file, int line) {
    WindowConfig config;
    config.line = line;
    const std::string_view which = Trim(name.substr(7));
    if (name[6] == ':') {
      auto n = ParseNumber(which);
      if (!n || *n < 0 || *n > 254) {
        Warn(code::kBadLine, "Section [" + std::string(name) + "] names no window number.", file,
             line);
        return "";
      }
      config.number = static_cast<int>(*n);
    } else {
      config.window = std::string(which);
    }
    p_.window_configs.push_back(std::move(config));
    return kWindowConfig;
  }

  // [MACROS] entries are three lines each: the keywords (separated by ';'),
  // the macro, and the title shown for them.
  void KeywordMacros(const std::vector<std::pair<std::string, int>>& lines,
                     const std::string& file) {
    std::size_t i = 0;
    for (; i + 3 <= lines.size(); i += 3) {
      KeywordMacro entry;
      entry.line = lines[i].second;
      std::string_view words = lines[i].first;
      while (!words.empty()) {
        const std::size_t semi = words.find(';');  // below every trail byte
        std::string_view word = Trim(words.substr(0, semi));
        if (!word.empty()) entry.keywords.emplace_back(word);
        words = semi == std::string_view::npos ? std::string_view() : words.substr(semi + 1);
      }
      entry.macro = lines[i + 1].first;
      entry.title = lines[i + 2].first;
      if (entry.keywords.empty()) {
        Warn(code::kBadLine, "[MACROS] entry without a keyword.", file, entry.line);
        continue;
      }
      p_.keyword_macros.push_back(std::move(entry));
    }
    if (i < lines.size()) {
      Warn(code::kBadLine,
           "[MACROS] entry \"" + lines[i].first +
               "\" is incomplete: each needs keywords, a macro and a title.",
           file, lines[i].second);
    }
  }

  void Warn(int code, const std::string& text, const std::string& file, int line) {
    p_.diagnostics.push_back(MakeDiagnostic(code, text, file, line));
  }

  void Option(std::string_view line, const std::string& file, int line_number) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      Warn(code::kBadLine, "Option line without \"=\": " + std::string(line), file, line_number);
      return;
    }
    const std::string key = AsciiUpper(Trim(line.substr(0, eq)));
    const std::string_view value = Trim(line.substr(eq + 1));
    if (key == "TITLE") {
      p_.title = std::string(value);
    } else if (key == "COPYRIGHT") {
      p_.copyright = std::string(value);
    } else if (key == "CITATION") {
      p_.citation = std::string(value);
    } else if (key == "CONTENTS" || key == "INDEX") {
      p_.contents = std::string(CutComment(value));
    } else if (key == "CNT") {
      p_.cnt = std::string(CutComment(value));
    } else if (key == "ERRORLOG") {
      p_.error_log = std::string(CutComment(value));
    } else if (key == "BMROOT" || key == "ROOT") {
      auto& list = key == "BMROOT" ? p_.bitmap_roots : p_.roots;
      for (const std::string& folder : SplitFields(CutComment(value))) {
        if (!folder.empty()) list.push_back(folder);
      }
    } else if (key == "LCID") {
      std::string_view v = CutComment(value);
      auto n = ParseNumber(v.substr(0, v.find_first_of(" \t")));
      if (!n || *n < 0 || *n > 0xFFFF) {
        Warn(code::kBadLine, "LCID not understood: " + std::string(v), file, line_number);
      } else {
        p_.lcid = static_cast<std::uint16_t>(*n);
      }
    } else if (key == "CHARSET") {
      auto n = ParseNumber(CutComment(value));
      if (!n || *n < 0 || *n > 255) {
        Warn(code::kBadLine, "CHARSET not understood: " + std::string(value), file, line_number);
      } else {
        p_.charset = static_cast<int>(*n);
      }
    } else if (key == "DBCS") {
      p_.dbcs = IsYes(value);
    } else if (key == "COMPRESS") {
      p_.compress = CompressionWanted(value);
      const std::string v = AsciiUpper(value);
      if (v.find("HALL") != std::string::npos || v.find("PHRASE") != std::string::npos ||
          v == "12" || v == "TRUE" || v == "YES" || v == "HIGH" || v == "MEDIUM") {
        Warn(code::kPhraseCompression,
             "Phrase compression is not used; topic text is LZ77 compressed only.", file,
             line_number);
      }
    } else if (key == "REPORT") {
      p_.report = IsYes(value);
    } else if (key == "BUILD") {
      p_.build_expression = std::string(CutComment(value));
      p_.build_line = line_number;
    } else if (key == "ICON") {
      p_.icon = std::string(CutComment(value));
      p_.icon_line = line_number;
    } else if (key == "MULTIKEY") {
      // Its own keyword table for a footnote letter; K and A have theirs.
      const std::string_view letter = CutComment(value);
      const bool ok = letter.size() == 1 && std::isalpha(static_cast<unsigned char>(letter[0])) &&
                      letter != "K" && letter != "A";
      if (!ok) {
        Warn(code::kBadLine,
             "MULTIKEY needs one footnote letter other than K and A: " + std::string(letter), file,
             line_number);
      } else if (p_.multikey.find(letter[0]) == std::string::npos) {
        p_.multikey += letter[0];
      }
    } else {
      Warn(code::kUnknownOption, "Option " + key + " is ignored.", file, line_number);
    }
  }

  void Window(std::string_view line, const std::string& file, int line_number) {
    const std::size_t eq = line.find('=');
    WindowDefinition w;
    if (eq == std::string_view::npos || !ParseWindow(line.substr(0, eq), line.substr(eq + 1), w)) {
      Warn(code::kBadWindow, "Window definition not understood: " + std::string(line), file,
           line_number);
      return;
    }
    // The viewer keeps at most 255 windows and names them in 8 bytes.
    if (p_.windows.size() >= 255) {
      Warn(code::kTooManyWindows, "Window " + w.name + " is ignored.", file, line_number);
      return;
    }
    p_.windows.push_back(std::move(w));
  }

  void MapLine(std::string_view line, const std::string& file, int line_number, int depth) {
    if (line.rfind("//", 0) == 0) return;
    if (line.front() == '#') {
      std::string_view rest = Trim(line.substr(1));
      if (rest.rfind("include", 0) == 0) {
        Include(Trim(rest.substr(7)), file, line_number, depth);
        return;
      }
      if (rest.rfind("define", 0) != 0) {
        Warn(code::kBadLine, "Map line not understood: " + std::string(line), file, line_number);
        return;
      }
      line = Trim(rest.substr(6));
    }
    // Cut "// comment" and "; comment" (neither byte can be a trail byte).
    std::size_t cut = std::min(line.find("//"), line.find(';'));
    if (cut != std::string_view::npos) line = Trim(line.substr(0, cut));
    std::size_t split = line.find_first_of(" \t=");
    if (split == std::string_view::npos) {
      Warn(code::kBadLine, "Map line not understood: " + std::string(line), file, line_number);
      return;
    }
    const std::string context(line.substr(0, split));
    std::string_view number = Trim(line.substr(split));
    if (!number.empty() && number.front() == '=') number = Trim(number.substr(1));
    auto n = ParseNumber(number);
    if (context.empty() || !n || *n < INT32_MIN || *n > 0xFFFFFFFFLL) {
      Warn(code::kBadLine, "Map line not understood: " + std::string(line), file, line_number);
      return;
    }
    MapEntry entry;
    entry.context = context;
    entry.number = static_cast<std::int32_t>(static_cast<std::uint32_t>(*n));
    entry.file = file;
    entry.line = line_number;
    p_.map.push_back(std::move(entry));
  }

  void Include(std::string_view name, const std::string& file, int line_number, int depth) {
    if (name.size() >= 2 && ((name.front() == '"' && name.back() == '"') ||
                             (name.front() == '<' && name.back() == '>'))) {
      name = name.substr(1, name.size() - 2);
    }
    const std::string include(name);
    if (depth >= kMaxIncludeDepth || includes_ >= kMaxIncludes) {
      Warn(code::kBadLine, "Map headers include each other too deeply or too often: " + include,
           file, line_number);
      return;
    }
    ++includes_;
    std::string reason;
    std::optional<std::string> text = load_ ? load_(include, &reason) : std::nullopt;
    if (!text) {
      p_.diagnostics.push_back(MakeDiagnostic(
          code::kFileUnreadable, "Cannot read " + include + ": " + reason, file, line_number));
      return;
    }
    int inner_line = 0;
    for (const std::string& raw : SplitLines(*text)) {
      ++inner_line;
      std::string_view l = Trim(raw);
      if (l.empty() || l.front() == ';') continue;
      MapLine(l, include, inner_line, depth + 1);
    }
  }

  void Alias(std::string_view line, const std::string& file, int line_number) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      Warn(code::kBadLine, "Alias line not understood: " + std::string(line), file, line_number);
      return;
    }
    AliasEntry a;
    a.alias = std::string(Trim(line.substr(0, eq)));
    a.context = std::string(CutComment(line.substr(eq + 1)));
    a.line = line_number;
    if (a.alias.empty() || a.context.empty()) {
      Warn(code::kBadLine, "Alias line not understood: " + std::string(line), file, line_number);
      return;
    }
    p_.aliases.push_back(std::move(a));
  }

  HelpProject& p_;
  const IncludeLoader& load_;
  int includes_ = 0;
};

}  // namespace

int HelpProject::EffectiveCharset() const {
  if (charset >= 0) return charset;
  return dbcs || lcid == 0x0411 ? 128 : 0;
}

std::optional<std::int64_t> ParseNumber(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text.size() > 12) return std::nullopt;
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

HelpProject ReadHelpProject(std::string_view text, const std::string& file_name,
                            const IncludeLoader& load_include) {
  HelpProject project;
  project.file_name = file_name;
  Reader(project, load_include).Read(text, file_name);
  return project;
}

}  // namespace qy::hlp
