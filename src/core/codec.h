// Lossless conversion between Shift-JIS (code page 932) and Unicode.
//
// Text that the user did not touch must come back byte for byte: the editor
// shows every topic through this codec and writes the result back. So every
// byte sequence decodes to code points that encode back to exactly those
// bytes, including sequences code page 932 does not define or defines twice.
//
// Decoding (windows-31j tables of ICU, except that bytes 0x00..0x7F are plain
// ASCII as in Windows, where ICU's IBM table swaps 0x1A, 0x1C and 0x7F):
//   - A character with one code decodes to its own code point, as usual.
//   - Duplicate codes. windows-31j gives some characters two or three codes
//     (NEC row 13 and the NEC-selected IBM rows 0xED/0xEE against the IBM rows
//     0xFA..0xFC; e.g. 0x8790 and 0x81E0 both decode to U+2252). The code the
//     encoder picks for the character is its canonical code and decodes to the
//     bare character. Every other code decodes to the character followed by a
//     duplicate marker (below), which the encoder consumes: the editor shows
//     the real character and the bytes survive.
//   - A lead byte followed by a trail byte that code page 932 does not define
//     decodes to one reserved code point for the pair, so the trail byte (which
//     may look like '\\' or '{') never shows as a character of its own.
//   - Any other byte that does not start a character (0x80, 0xA0, 0xFD..0xFF,
//     a lead byte without a trail byte) decodes to a reserved code point for
//     that byte.
//
// Reserved code points (windows-31j never produces any of them; note that its
// user-defined area 0xF040..0xF9FC takes U+E000..U+E757 of the BMP private use
// area, so the codec stays out of the BMP):
//   U+100000 + lead * 0x100 + trail  undefined double-byte code lead, trail
//                                    (lead 0x81..0x9F/0xE0..0xFC, trail
//                                    0x40..0x7E/0x80..0xFC): U+108140..U+10FCFC
//   U+10FE00 + byte                  stray byte: U+10FE00..U+10FEFF
//   U+E01EF, U+E01EE, ... U+E01E0     duplicate markers 1, 2, ... 16: "the Nth
//                                    other code of the character before", in
//                                    ascending byte order. These are the last
//                                    ideographic variation selectors: invisible
//                                    in the editor and never registered as a
//                                    variation sequence.
//
// Encoding: the encoder accepts all of the above. A duplicate marker after a
// character that has no such other code (an orphan, e.g. left behind by an
// edit) is dropped silently.
// A few characters that Unicode codes differently from windows-31j but that
// code page 932 holds as the same JIS character (U+301C WAVE DASH, U+2212
// MINUS SIGN, U+2014 EM DASH, U+2016 DOUBLE VERTICAL LINE, U+00A2, U+00A3,
// U+00A6, U+00AC) encode to that character, as input methods outside Windows
// produce them. U+00A5 YEN SIGN and U+203E OVERLINE are not mapped to the
// single bytes 0x5C and 0x7E: in topic markup 0x5C is the backslash.
// Any other character code page 932 can not hold becomes '?', as does invalid
// UTF-8 or UTF-16; a variation selector other than a marker is dropped. Either
// sets *lossy.
#pragma once

#include <string>
#include <string_view>

namespace qy {

inline constexpr char32_t kUndefinedPairBase = 0x100000;
inline constexpr char32_t kStrayByteBase = 0x10FE00;
// Marker N (1-based) is kDuplicateMarker1 + 1 - N.
inline constexpr char32_t kDuplicateMarker1 = 0xE01EF;
inline constexpr int kDuplicateMarkerCount = 16;

constexpr bool IsDuplicateMarker(char32_t c) {
  return c <= kDuplicateMarker1 && c > kDuplicateMarker1 - kDuplicateMarkerCount;
}
// True for the whole plane-16 range the codec keeps for bytes that code page
// 932 does not define (U+100000..U+10FEFF; only the parts above are used).
constexpr bool IsUndefinedBytesCodePoint(char32_t c) {
  return c >= kUndefinedPairBase && c <= kStrayByteBase + 0xFF;
}

// Bytes a code point takes in Shift-JIS: 1 for ASCII, half-width katakana,
// reserved stray bytes and characters that become '?'; 2 for other
// characters and reserved undefined pairs; 0 for duplicate markers and the
// variation selectors the encoder drops.
int ShiftJisLength(char32_t c);
// False for the characters the encoder turns into '?' or drops.
bool ShiftJisHolds(char32_t c);

std::string Cp932ToUtf8(std::string_view sjis);
std::u16string Cp932ToUtf16(std::string_view sjis);

// Characters that code page 932 can not hold become '?' and, when given,
// *lossy is set (it is cleared otherwise).
std::string Utf8ToCp932(std::string_view utf8, bool* lossy = nullptr);
std::string Utf16ToCp932(std::u16string_view utf16, bool* lossy = nullptr);

// Shift-JIS bytes of a UTF-8 text. Source files are UTF-8; every Japanese
// message literal goes through this before it reaches the model or a file.
inline std::string Sjis(std::string_view utf8) { return Utf8ToCp932(utf8); }

}  // namespace qy
