#include "topic/tokenizer.h"

#include <algorithm>
#include <array>

#include "core/cp932.h"

namespace qy::topic {

namespace {

// What a byte means inside a text run: 0 plain, 1 ends the run, 2 lead byte.
constexpr std::array<unsigned char, 256> MakeByteClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    if (IsLeadByte(static_cast<unsigned char>(c))) classes[c] = 2;
  }
  classes['\\'] = 1;
  classes['{'] = 1;
  classes['}'] = 1;
  classes['\r'] = 1;
  classes['\n'] = 1;
  return classes;
}
constexpr std::array<unsigned char, 256> kByteClasses = MakeByteClasses();

constexpr bool IsLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// The value of each byte as a hexadecimal digit, -1 for other bytes.
constexpr std::array<signed char, 256> MakeHexValues() {
  std::array<signed char, 256> values{};
  for (int c = 0; c < 256; ++c) {
    if (c >= '0' && c <= '9') {
      values[c] = static_cast<signed char>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      values[c] = static_cast<signed char>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      values[c] = static_cast<signed char>(c - 'A' + 10);
    } else {
      values[c] = -1;
    }
  }
  return values;
}
constexpr std::array<signed char, 256> kHexValues = MakeHexValues();

int HexValue(unsigned char c) { return kHexValues[c]; }

constexpr std::int32_t kParamLimit = 999999999;

}  // namespace

Token Tokenizer::Next() {
  Token token;
  token.offset = pos_;
  if (pos_ >= text_.size()) return token;
  const auto* data = reinterpret_cast<const unsigned char*>(text_.data());
  const unsigned char c = data[pos_];
  switch (c) {
    case '{':
      token.kind = TokenKind::kGroupOpen;
      token.length = 1;
      ++pos_;
      return token;
    case '}':
      token.kind = TokenKind::kGroupClose;
      token.length = 1;
      ++pos_;
      return token;
    case '\r':
    case '\n':
      token.kind = TokenKind::kLineEnd;
      token.length = (c == '\r' && pos_ + 1 < text_.size() && data[pos_ + 1] == '\n') ? 2 : 1;
      pos_ += token.length;
      return token;
    case '\\':
      // Japanese text is mostly "\'hh", so that form is read right here.
      if (pos_ + 3 < text_.size() && data[pos_ + 1] == '\'') {
        const int high = HexValue(data[pos_ + 2]);
        const int low = HexValue(data[pos_ + 3]);
        if (high >= 0 && low >= 0) {
          token.kind = TokenKind::kHexEscape;
          token.byte = static_cast<unsigned char>(high * 16 + low);
          token.length = 4;
          pos_ += 4;
          return token;
        }
      }
      return ReadBackslash();
    default:
      break;
  }
  const std::size_t size = text_.size();
  std::size_t i = pos_;
  while (i < size) {
    const unsigned char k = kByteClasses[data[i]];
    if (k == 0) {
      ++i;
    } else if (k == 1) {
      break;
    } else {
      // A lead byte takes its trail byte along, whatever that looks like.
      i += (i + 1 < size && IsTrailByte(data[i + 1])) ? 2 : 1;
    }
  }
  token.kind = TokenKind::kText;
  token.length = i - pos_;
  token.word = text_.substr(pos_, token.length);
  pos_ = i;
  return token;
}

void Tokenizer::ReadHexRun(std::string& out) {
  const auto* data = reinterpret_cast<const unsigned char*>(text_.data());
  const std::size_t size = text_.size();
  // Decodes into a small buffer a piece at a time: each escape is looked at
  // once, and the loop tests no more than the escape and its room.
  char buffer[512];
  std::size_t i = pos_;
  while (true) {
    // Escapes that fit in what is left of the text and in the buffer.
    const std::size_t room = std::min(sizeof buffer, (size - i) / 4);
    std::size_t used = 0;
    for (; used < room; ++used, i += 4) {
      if (data[i] != '\\' || data[i + 1] != '\'') break;
      const int high = kHexValues[data[i + 2]];
      const int low = kHexValues[data[i + 3]];
      if ((high | low) < 0) break;  // either is not a digit (-1)
      buffer[used] = static_cast<char>(high * 16 + low);
    }
    out.append(buffer, used);
    if (used < sizeof buffer) break;
  }
  pos_ = i;
}

Token Tokenizer::ReadBackslash() {
  Token token;
  token.offset = pos_;
  const auto* data = reinterpret_cast<const unsigned char*>(text_.data());
  const std::size_t size = text_.size();
  std::size_t i = pos_ + 1;
  if (i >= size) {
    token.kind = TokenKind::kControlSymbol;
    token.malformed = true;
    token.length = 1;
    pos_ = size;
    return token;
  }
  const unsigned char c = data[i];
  if (IsLetter(c)) {
    std::size_t start = i;
    while (i < size && IsLetter(data[i])) ++i;
    token.kind = TokenKind::kControlWord;
    token.word = text_.substr(start, i - start);
    bool negative = false;
    if (i + 1 < size && data[i] == '-' && IsDigit(data[i + 1])) {
      negative = true;
      ++i;
    }
    if (i < size && IsDigit(data[i])) {
      std::int64_t value = 0;
      while (i < size && IsDigit(data[i])) {
        if (value <= kParamLimit) value = value * 10 + (data[i] - '0');
        ++i;
      }
      if (value > kParamLimit) value = kParamLimit;
      token.param = static_cast<std::int32_t>(negative ? -value : value);
      token.has_param = true;
    }
    if (i < size && data[i] == ' ') ++i;
    token.length = i - pos_;
    pos_ = i;
    return token;
  }
  if (c == '\'') {
    token.kind = TokenKind::kHexEscape;
    const int high = i + 1 < size ? HexValue(data[i + 1]) : -1;
    const int low = i + 2 < size ? HexValue(data[i + 2]) : -1;
    if (high < 0 || low < 0) {
      token.malformed = true;
      i += high < 0 ? 1 : 2;
    } else {
      token.byte = static_cast<unsigned char>(high * 16 + low);
      i += 3;
    }
    token.length = i - pos_;
    pos_ = i;
    return token;
  }
  token.kind = TokenKind::kControlSymbol;
  // A backslash before a double-byte character escapes the whole character,
  // so its trail byte is not read as markup.
  std::size_t width = CharLengthAt(text_, i);
  // A backslash before a line end is a paragraph mark; the line end stays a
  // token of its own.
  if (c == '\r' || c == '\n') width = 1;
  token.word = text_.substr(i, width);
  token.byte = c;
  token.length = 1 + width;
  pos_ = i + width;
  if (c == '\r' || c == '\n') {
    token.length = 1;
    pos_ = i;
  }
  return token;
}

}  // namespace qy::topic
