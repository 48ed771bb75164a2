// Text operations on topic markup shared by the topic writer, the preview,
// the formatting commands and the macro interface.
#pragma once

#include <string>
#include <string_view>

namespace qy {

// Writes every double-byte character as "\'ll\'tt" (lead and trail byte in
// lower-case hexadecimal), so that the help compiler never sees a trail byte
// that looks like "\", "{" or "}". Single bytes, half-width katakana
// included, are copied unchanged; so is a lead byte without a valid trail.
std::string EscapeDbcs(std::string_view text);

// Appends `suffix` to every line that does not already end in "\par",
// "\pard", "\line" or "\keepn". Lines end at CR LF, CR or LF and are joined
// again with CR LF; a text ending in CR LF gets one more, suffixed, empty
// line. An empty text stays empty.
std::string EndOfLineAddStr(std::string_view text, std::string_view suffix);

// The paragraph mark used by the topic writers.
inline constexpr std::string_view kParagraphMark = "\\par";

}  // namespace qy
