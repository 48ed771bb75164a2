// The macro language's tokenizer: one token per call of Next over a private,
// NUL-terminated copy of a text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qy {

enum class TokenKind : unsigned char {
  kEnd,
  kSymbol,          // any other single byte
  kStringLiteral,   // 'text' with '' inside, or a #nn / #$hh character
  kIntegerLiteral,  // digits, or $ and hexadecimal digits
  kRealLiteral,     // digits with a fraction or an exponent
  kComment,         // // up to the end of the line
  kIdentifier,      // letter or _, then letters, digits and _
  kOperator,        // :=  <=  <>  >=  ..
};

class TPPAParser {
 public:
  // Copies `text` up to its first NUL byte and reads the first token.
  explicit TPPAParser(std::string_view text);

  void Next();
  TokenKind Kind() const { return kind_; }
  // The current token exactly as written.
  std::string_view Token() const { return std::string_view(text_).substr(start_, pos_ - start_); }
  // The current token with ASCII letters upper-cased.
  std::string TokenUpper() const;
  // Offset of the current token from the start of the text.
  std::size_t Offset() const { return start_; }
  // Advances and answers true when the current token equals `word` without
  // regard to ASCII case.
  bool Accept(std::string_view word);

  const std::string& text() const { return text_; }

 private:
  char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
  void ReadNumber();

  std::string text_;
  std::size_t pos_ = 0;
  std::size_t start_ = 0;
  TokenKind kind_ = TokenKind::kEnd;
};

// ASCII letters upper-cased, byte for byte (as the interpreter compares words).
std::string UpperAscii(std::string_view text);

}  // namespace qy
