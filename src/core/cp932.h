// Shift-JIS (code page 932) byte strings.
//
// Every text the system keeps is a std::string of Shift-JIS bytes. A character
// is one byte, or a lead byte followed by a trail byte; the helpers here never
// split such a pair.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qy {

inline constexpr std::string_view kCrLf = "\r\n";
// Longest value of a page field and of most single-line fields.
inline constexpr std::size_t kFieldLimit = 255;

// Lead byte of a double-byte character: 0x81..0x9F and 0xE0..0xFC.
constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// Byte that can follow a lead byte: 0x40..0x7E and 0x80..0xFC.
constexpr bool IsTrailByte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Byte length (1 or 2) of the character that starts at `pos` (0 at the end).
// A lead byte without a valid trail byte after it counts as a single byte.
// Inline: every character-by-character walk calls it once per character.
inline std::size_t CharLengthAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
      IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
    return 2;
  }
  return 1;
}

// True when `pos` is the start of a character (or the end of the text), i.e.
// not the trail byte of a double-byte pair. Looks back only over the run of
// lead bytes just before `pos`.
bool IsCharBoundary(std::string_view text, std::size_t pos);

// NextCharBoundary's case where the byte before `pos` is a lead byte.
std::size_t NextCharBoundaryAfterLead(std::string_view text, std::size_t known, std::size_t pos);

// The first character start at or after `pos`, given that `known` <= pos is
// a character start; the check never looks back past `known`. Inline for
// its common case, a byte before `pos` that cannot begin a pair: byte
// searches check every candidate they find with it.
inline std::size_t NextCharBoundary(std::string_view text, std::size_t known, std::size_t pos) {
  if (pos < text.size() &&
      (pos == known || !IsLeadByte(static_cast<unsigned char>(text[pos - 1])))) {
    return pos;
  }
  return NextCharBoundaryAfterLead(text, known, pos);
}

// Largest character boundary that is <= pos.
std::size_t FloorCharBoundary(std::string_view text, std::size_t pos);

// First occurrence of `needle` at or after `from`, byte for byte, wherever it
// starts (memmem); npos when there is none.
std::size_t FindRawBytes(std::string_view text, std::string_view needle, std::size_t from = 0);

// First occurrence of `needle` at or after `from` that starts on a character
// boundary; std::string::npos when there is none. An empty needle matches at
// `from` (when `from` is within the text).
std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t from = 0);

// Last occurrence of `needle` that starts on a character boundary and at or
// before `from` (npos: no limit).
std::size_t FindBytesBackward(std::string_view text, std::string_view needle,
                              std::size_t from = std::string::npos);

// Splits on CR LF, a lone CR or a lone LF. A final line end does not start an
// extra empty line ("a\r\n" is one line); an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Joins lines with CR LF between them (none after the last).
std::string JoinLines(const std::vector<std::string>& lines);

// Cuts a value to at most `limit` bytes without splitting a double-byte
// character.
std::string LimitField(std::string_view value, std::size_t limit = kFieldLimit);

// ASCII-only case folding, byte for byte; double-byte characters (whose trail
// bytes may look like ASCII letters) are left alone.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace qy
