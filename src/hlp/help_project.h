// The help project (.hpj): what the compiler is told to build. Read from
// what the build writes and from projects kept by hand, so unknown options
// and sections are reported, never fatal.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hlp/diagnostic.h"

namespace qy::hlp {

// One [WINDOWS] entry:
//   name = "caption", (x, y, width, height), state, (colour), (colour), on-top
// Parts left empty keep the viewer's defaults (their "valid" flag stays off).
struct WindowDefinition {
  std::string name;
  std::string caption;
  bool has_caption = false;
  bool has_position = false;
  int x = 0, y = 0, width = 0, height = 0;  // 0..1023
  bool has_state = false;
  int state = 0;  // show state and window styles
  bool has_colour = false;
  std::uint32_t colour = 0;  // COLORREF of the scrolling region
  bool has_nsr_colour = false;
  std::uint32_t nsr_colour = 0;  // of the region that does not scroll
  int on_top = 0;                // bit 0: stays on top, bit 1: sizes its height
};

struct MapEntry {
  std::string context;
  std::int32_t number = 0;
  std::string file;  // where it was defined, for messages
  int line = 0;
};

struct AliasEntry {
  std::string alias;
  std::string context;
  int line = 0;
};

// [CONFIG:n] or [CONFIG-name]: macros run when window n (counted from 0 in
// [WINDOWS] order) or the named window opens.
struct WindowConfig {
  std::string window;  // the name after "CONFIG-"; empty for [CONFIG:n]
  int number = -1;     // n of [CONFIG:n]
  std::vector<std::string> macros;
  int line = 0;
};

// One [MACROS] entry: index keywords that run a macro instead of opening a
// topic, and the text the topics-found list shows for them.
struct KeywordMacro {
  std::vector<std::string> keywords;
  std::string macro;
  std::string title;
  int line = 0;
};

struct HelpProject {
  std::string file_name;  // as given to the reader, for messages
  // [OPTIONS]
  std::string title;
  std::string copyright;
  std::string citation;
  std::string contents;  // context of the contents topic; empty: the first topic
  std::string cnt;       // contents file named in |SYSTEM
  std::string error_log;
  std::vector<std::string> bitmap_roots;  // BMROOT, in order
  std::vector<std::string> roots;         // ROOT, in order
  std::uint16_t lcid = 0;                 // 0: not given
  int charset = -1;                       // -1: not given
  bool dbcs = false;
  bool compress = false;  // LZ77 topic blocks
  bool report = false;
  std::string multikey;  // MULTIKEY footnote letters with keyword tables of their own
  std::string icon;      // ICON: the help file's .ico
  int icon_line = 0;
  // [FILES]
  std::vector<std::string> files;
  // [CONFIG]
  std::vector<std::string> config_macros;
  std::vector<WindowConfig> window_configs;
  std::vector<KeywordMacro> keyword_macros;  // [MACROS]
  std::vector<std::string> baggage;          // [BAGGAGE] files, as named
  // Build tags: [BUILDTAGS] declares them; [EXCLUDE] leaves out the topics
  // that have one of its tags; a non-empty [INCLUDE] keeps, of the tagged
  // topics, only those with one of its tags.
  std::vector<std::string> build_tags, include_tags, exclude_tags;
  std::string build_expression;  // BUILD=: tags joined by & | ~ and parentheses
  int build_line = 0;
  std::vector<WindowDefinition> windows;
  std::vector<MapEntry> map;
  std::vector<AliasEntry> aliases;
  std::vector<std::string> bitmaps;
  std::vector<Diagnostic> diagnostics;

  // The character set the help file declares: CHARSET, else 128 (Shift-JIS)
  // for DBCS or a Japanese LCID, else 0.
  int EffectiveCharset() const;
};

// Reads an #include'd map header named as written; nullopt when it cannot be
// read. `reason` receives why.
using IncludeLoader =
    std::function<std::optional<std::string>(const std::string& name, std::string* reason)>;

// Never fails: what it cannot use becomes a diagnostic. `text` is Shift-JIS.
HelpProject ReadHelpProject(std::string_view text, const std::string& file_name,
                            const IncludeLoader& load_include);

// "0x411", "1033", "-5": a C-style number; nullopt for anything else.
std::optional<std::int64_t> ParseNumber(std::string_view text);

}  // namespace qy::hlp
