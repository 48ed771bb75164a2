// Case, width and kana conversions of Shift-JIS text, the way the Japanese
// locale mappings of Windows do them, with explicit tables.
//
// Every conversion works character by character (a trail byte that looks like
// an ASCII letter or a backslash is never changed on its own), leaves bytes
// that code page 932 does not define as they are, and leaves any character it
// has no rule for as it is. A character whose result code page 932 can not
// hold stays as it is too.
//
// kUpperCase / kLowerCase: the letters with a simple case partner in code page
//   932: ASCII A-Z/a-z, the full-width Latin letters Ａ-Ｚ/ａ-ｚ, Greek Α-Ω/α-ω,
//   Cyrillic А-Я/а-я (with Ё/ё) and the Roman numerals Ⅰ-Ⅹ/ⅰ-ⅹ, as Windows
//   does through Unicode. Both cases of each of these have the same byte
//   length, so the byte length and every byte position stay unchanged (the
//   case-insensitive search relies on this).
// kHalfWidth: full-width ASCII forms (Ａ, ０, ！, ＼ ...) to ASCII, ￥ to '\',
//   the ideographic space to ' ', full-width katakana to half-width katakana
//   with voiced and semi-voiced ones split in two (ガ -> ｶﾞ, パ -> ﾊﾟ,
//   ヴ -> ｳﾞ), and 。「」、・ー゛゜ to ｡｢｣､･ｰﾞﾟ. Katakana without a half-width
//   form (ヮヰヱヵヶ), hiragana and kanji stay.
// kFullWidth: the reverse: ' ' to the ideographic space, ASCII '!'..'~' to its
//   full-width form except '\' which becomes ￥ (0x5C shows as the yen sign in
//   Japanese fonts), half-width katakana to full width, taking a following ﾞ
//   or ﾟ into the character where one exists (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ); a
//   mark that can not be taken in becomes ゛ or ゜.
// kHiragana / kKatakana: full-width katakana ァ..ン and ヽヾ to hiragana ぁ..ん
//   and ゝゞ and back. ヴヵヶ have no hiragana in code page 932 and stay;
//   half-width katakana stay. Both forms are double-byte, so the byte length
//   stays unchanged.
#pragma once

#include <string>
#include <string_view>

namespace qy {

enum class TextMapping { kUpperCase, kLowerCase, kHalfWidth, kFullWidth, kHiragana, kKatakana };

// The converted text; the unchanged input when the mapping gives nothing.
std::string MapText(std::string_view sjis, TextMapping mapping);

}  // namespace qy
