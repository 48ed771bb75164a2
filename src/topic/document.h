// The document model of topic markup: what one parse of a topic file, a
// preview document or a page's topic text yields, and what every renderer
// (the preview window, HTML, plain text) reads. Text stays Shift-JIS bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace qy::topic {

enum class Align : std::uint8_t { kLeft, kCenter, kRight, kJustify };

enum class BorderLine : std::uint8_t { kNone, kSingle, kThick, kDouble, kShadow, kDotted };

struct Borders {
  bool top = false;
  bool bottom = false;
  bool left = false;
  bool right = false;
  bool box = false;
  BorderLine line = BorderLine::kNone;
  bool Any() const { return top || bottom || left || right || box; }
  bool operator==(const Borders&) const = default;
};

enum class TabKind : std::uint8_t { kLeft, kRight, kCenter };

// Text after a right stop ends at it, after a centre stop centres on it.
struct TabStop {
  int position = 0;  // twips
  TabKind kind = TabKind::kLeft;
  bool operator==(const TabStop&) const = default;
};

// Distances are in twips (1/20 point), as the markup writes them.
struct ParagraphFormat {
  Align align = Align::kLeft;
  int left_indent = 0;
  int right_indent = 0;
  int first_indent = 0;
  int space_before = 0;
  int space_after = 0;
  int line_spacing = 0;  // \sl; 0 is single spacing
  std::vector<TabStop> tabs;
  bool keep_with_next = false;  // \keepn: the topic's non-scrolling region
  bool no_wrap = false;         // \keep
  Borders borders;
  int shading = 0;  // \shading, 0..10000 (hundredths of a percent)
  bool operator==(const ParagraphFormat&) const = default;
};

struct CharFormat {
  int font = 0;
  int size = 22;  // half-points
  int color = 0;  // colour table index; 0 is the automatic colour
  bool bold = false;
  bool italic = false;
  bool underline = false;         // \ul: a popup hotspot
  bool double_underline = false;  // \uldb: a jump hotspot
  bool strike = false;            // \strike: a jump hotspot too
  bool hidden = false;            // \v: a hotspot's target
  bool superscript = false;
  bool subscript = false;
  bool HotspotStyle() const { return underline || double_underline || strike; }
  // Every run's format is compared with its neighbour's while reading and
  // writing: one comparison of the bytes (there is no padding) instead of
  // one branch per member.
  bool operator==(const CharFormat& other) const {
    return std::memcmp(this, &other, sizeof(CharFormat)) == 0;
  }
};
static_assert(std::has_unique_object_representations_v<CharFormat>,
              "CharFormat compares by its bytes");

enum class HotspotKind : std::uint8_t { kJump, kPopup, kMacro };

// The hidden text after a hotspot, taken apart:
//   [%|*] context [@file] [>window]   or   [%|*] !macro
// "%" drops both the underline and the hotspot colour, "*" only the colour.
struct HotspotTarget {
  bool no_underline = false;
  bool no_colour = false;
  std::string context;
  std::string file;
  std::string window;
  std::string macro;  // without the "!"; empty for jumps and popups
  bool operator==(const HotspotTarget&) const = default;
};

struct Hotspot {
  HotspotKind kind = HotspotKind::kJump;
  bool popup_style = false;  // single underline: looks and acts as a popup
  bool button = false;       // \{button label,macro\}
  std::string raw_target;    // the hidden text (or the button's macro)
  HotspotTarget target;
  // The context a macro jumps to or pops up (JumpID, JI, PopupID, PI), so a
  // macro hotspot can still be followed; empty otherwise.
  std::string macro_context;
  bool macro_popup = false;
  std::size_t offset = 0;  // byte offset of the hidden text or the button
};

struct Picture {
  char position = 'c';  // 'l', 'c' or 'r': left margin, in line, right margin
  bool transparent = false;
  std::string file;
};

enum class InlineKind : std::uint8_t {
  kText,
  kLineBreak,  // \line
  kTab,        // \tab
  kPicture,    // \{bmc file\}
  kHidden,     // hidden text that belongs to no hotspot
  kEmbedded,   // any other \{...\} command, kept as written
};

struct Inline {
  InlineKind kind = InlineKind::kText;
  CharFormat format;
  std::string text;
  int hotspot = -1;  // index into Topic::hotspots
  int picture = -1;  // index into Topic::pictures
  // Byte offsets in `text` of the spaces and hyphens written \~ and \_: the
  // line must not break there. Renderers that draw them as plain ones may
  // pass over this.
  std::vector<std::uint32_t> non_breaking;
};

struct Paragraph {
  ParagraphFormat format;
  std::vector<Inline> inlines;
};

struct Footnote {
  char mark = 0;  // # $ K A B + ! > or whatever stood before \footnote
  std::string text;
  std::size_t offset = 0;
};

struct Topic {
  std::vector<Footnote> footnotes;
  std::vector<Paragraph> paragraphs;
  std::vector<Hotspot> hotspots;
  std::vector<Picture> pictures;
  std::size_t offset = 0;

  // The text of the first footnote with `mark`, or empty.
  std::string FootnoteText(char mark) const;
  // Leading paragraphs marked \keepn form the region that does not scroll.
  std::size_t NonScrollingCount() const;
};

struct FontEntry {
  int number = 0;
  std::string name;    // Shift-JIS
  std::string family;  // "roman", "swiss", "modern", "nil", ...
  int charset = 0;
};

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool automatic = false;  // entry 0, or an entry without components
  bool operator==(const Color&) const = default;
};

enum class NoteKind : std::uint8_t {
  kUnknownControlWord,
  kMalformedEscape,  // "\'" without two hex digits, a backslash at the end
  kUnmatchedClose,   // "}" that closes nothing
  kUnclosedGroup,    // "{" still open at the end
  kUnclosedCommand,  // "\{" without "\}" in its paragraph
  kFootnoteWithoutMark,
};

// Something the reader passed over, at the byte offset where it stands.
struct Note {
  NoteKind kind = NoteKind::kUnknownControlWord;
  std::size_t offset = 0;
  std::string word;  // the control word, for kUnknownControlWord
};

struct Document {
  std::vector<FontEntry> fonts;
  std::vector<Color> colors;  // index 0 is the automatic entry
  int default_font = 0;
  std::vector<Topic> topics;
  std::vector<Note> notes;
  // Read with a topic sink: the font or colour table or the default font
  // changed after a topic had been handed over, so that topic was given
  // other tables than the finished document has.
  bool tables_changed_late = false;

  const FontEntry* Font(int number) const;
  // Colour `index`, or the automatic colour for 0 and indexes out of range.
  Color ColorAt(int index) const;
};

}  // namespace qy::topic
