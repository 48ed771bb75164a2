// The tokens of topic markup, read straight from Shift-JIS bytes.
//
// Topic text is RTF as the help compiler reads it, typed by hand. The bytes
// are never converted first: a double-byte character is skipped as a whole,
// so a trail byte that happens to be '\\' (ソ is 83 5C), '{' (本 is 96 7B) or
// '}' never starts markup. Line ends are tokens of their own and no token
// spans a line, so a scan can start at the beginning of any line with no
// state from the lines before (the group structure is the caller's business;
// see line_scan.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qy::topic {

enum class TokenKind : std::uint8_t {
  kText,           // plain bytes, whole characters, no line end
  kControlWord,    // \name, \nameN or \name-N, with its delimiting blank
  kControlSymbol,  // \ and one character that is not a letter: \{ \} \\ \~ \*
  kHexEscape,      // \'xx
  kGroupOpen,      // {
  kGroupClose,     // }
  kLineEnd,        // CR LF, CR or LF
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::size_t offset = 0;
  std::size_t length = 0;
  // kText: the text. kControlWord: the letters of the word.
  // kControlSymbol: the character after the backslash (two bytes for a
  // double-byte character, empty for a backslash at the very end).
  std::string_view word;
  std::int32_t param = 0;  // control word parameter, clamped to +-999999999
  bool has_param = false;
  unsigned char byte = 0;  // kHexEscape: the value
  // A "\'" without two hexadecimal digits, or a backslash that ends the text.
  bool malformed = false;
};

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text, std::size_t start = 0) : text_(text), pos_(start) {}

  Token Next();
  // Appends the bytes of the well-formed "\'hh" escapes that follow one
  // another from the current position to `out`, and moves past them: the
  // same as calling Next() while it returns such escapes, without a token
  // per byte (Japanese text is mostly written this way).
  void ReadHexRun(std::string& out);
  std::size_t position() const { return pos_; }

 private:
  Token ReadBackslash();

  std::string_view text_;
  std::size_t pos_;
};

}  // namespace qy::topic
