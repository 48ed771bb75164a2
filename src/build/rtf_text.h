// Text operations on topic markup shared by the topic writer, the preview,
// the formatting commands and the macro interface.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qy {

// Writes every double-byte character as "\'ll\'tt" (lead and trail byte in
// lower-case hexadecimal), so that the help compiler never sees a trail byte
// that looks like "\", "{" or "}". Single bytes, half-width katakana
// included, are copied unchanged; so is a lead byte without a valid trail,
// except at the very end, where it is written "\'ll" because whatever the
// caller appends could otherwise pair with it.
std::string EscapeDbcs(std::string_view text);

// Appends `suffix` to every line that does not already end in "\par",
// "\pard", "\line" or "\keepn". Lines end at CR LF, CR or LF and are joined
// again with CR LF; a text ending in CR LF gets one more, suffixed, empty
// line. An empty text stays empty.
std::string EndOfLineAddStr(std::string_view text, std::string_view suffix);

// The paragraph mark used by the topic writers.
inline constexpr std::string_view kParagraphMark = "\\par";

// Topic text as the compiler gets it: EndOfLineAddStr with "\par", every
// line escaped by EscapeDbcs before its mark, so that a lead byte left at
// the end of a line is written alone and the mark survives.
std::string EscapeTopicText(std::string_view text);

// EscapeTopicText written at `out`, which has room for
// EscapedTopicTextBound(text) bytes; returns the end of what it wrote. For
// writers that put many topics into one buffer without a copy of each.
std::size_t EscapedTopicTextBound(std::string_view text);
char* PutEscapedTopicText(std::string_view text, char* out);

// A one-line field as the text of a footnote group "{\footnote ...}".
struct FootnoteText {
  std::string text;
  bool repaired = false;  // the field needed escapes to keep the group intact
};
// A field that keeps the group intact is written as before: escaped by
// EscapeDbcs, or raw when `escape_double_bytes` is false (the context).
// Otherwise the smallest escapes are added: "\}" for a brace that would
// close the footnote, "\{" for one that nothing closes, "\\" for a
// backslash that would take the closing brace, "\'xx" for a lead byte at
// the end and for a raw double-byte character whose trail byte is "\", "{"
// or "}".
FootnoteText MakeFootnoteText(std::string_view value, bool escape_double_bytes);

}  // namespace qy
