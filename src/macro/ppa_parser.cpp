#include "macro/ppa_parser.h"

#include <cstring>

namespace qy {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentPart(char c) { return IsIdentStart(c) || IsDigit(c); }

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

TPPAParser::TPPAParser(std::string_view text) {
  const void* nul = std::memchr(text.data(), '\0', text.size());
  std::size_t length = nul ? static_cast<const char*>(nul) - text.data() : text.size();
  text_.assign(text.data(), length);
  Next();
}

std::string TPPAParser::TokenUpper() const { return UpperAscii(Token()); }

bool TPPAParser::Accept(std::string_view word) {
  if (TokenUpper() != UpperAscii(word)) return false;
  Next();
  return true;
}

void TPPAParser::ReadNumber() {
  while (IsDigit(At(pos_))) ++pos_;
  kind_ = TokenKind::kIntegerLiteral;
  if (At(pos_) == '.') {
    char after = At(pos_ + 1);
    // A dot followed by neither a digit nor an exponent (as in 1..5) stays
    // outside the number, which still counts as a real number.
    kind_ = TokenKind::kRealLiteral;
    if (IsDigit(after)) {
      pos_ += 2;
      while (IsDigit(At(pos_))) ++pos_;
    } else if (after == 'E' || after == 'e') {
      ++pos_;
    }
  }
  if (At(pos_) == 'E' || At(pos_) == 'e') {
    kind_ = TokenKind::kRealLiteral;
    ++pos_;
    if (At(pos_) == '+' || At(pos_) == '-') ++pos_;
    while (IsDigit(At(pos_))) ++pos_;
  }
}

void TPPAParser::Next() {
  while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= 32) ++pos_;
  start_ = pos_;
  if (pos_ >= text_.size()) {
    kind_ = TokenKind::kEnd;
    return;
  }
  char c = text_[pos_];
  char next = At(pos_ + 1);
  if (c == '/' && next == '/') {
    while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
    kind_ = TokenKind::kComment;
  } else if (c == '\'') {
    ++pos_;
    while (pos_ < text_.size()) {
      if (text_[pos_] == '\'') {
        if (At(pos_ + 1) == '\'') {
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      ++pos_;
    }
    kind_ = TokenKind::kStringLiteral;
  } else if (c == '$') {
    ++pos_;
    while (IsHexDigit(At(pos_))) ++pos_;
    kind_ = TokenKind::kIntegerLiteral;
  } else if (c == '#') {
    ++pos_;
    if (At(pos_) == '$') {
      ++pos_;
      while (IsHexDigit(At(pos_))) ++pos_;
    } else {
      while (IsDigit(At(pos_))) ++pos_;
    }
    kind_ = TokenKind::kStringLiteral;
  } else if ((c == ':' && next == '=') || (c == '<' && (next == '=' || next == '>')) ||
             (c == '>' && next == '=') || (c == '.' && next == '.')) {
    pos_ += 2;
    kind_ = TokenKind::kOperator;
  } else if (IsDigit(c)) {
    ReadNumber();
  } else if (IsIdentStart(c)) {
    while (IsIdentPart(At(pos_))) ++pos_;
    kind_ = TokenKind::kIdentifier;
  } else {
    ++pos_;
    kind_ = TokenKind::kSymbol;
  }
}

}  // namespace qy
