#include "macro/token_list.h"

#include <algorithm>
#include <array>
#include <utility>

#include "macro/value_convert.h"

namespace qy {

Word WordOf(std::string_view upper) {
  static constexpr std::array<std::pair<std::string_view, Word>, 47> kWords = {{
      {";", Word::kSemicolon},
      {",", Word::kComma},
      {":", Word::kColon},
      {"(", Word::kLParen},
      {")", Word::kRParen},
      {":=", Word::kAssign},
      {"..", Word::kDotDot},
      {"=", Word::kEq},
      {"<>", Word::kNe},
      {"<", Word::kLt},
      {"<=", Word::kLe},
      {">", Word::kGt},
      {">=", Word::kGe},
      {"+", Word::kPlus},
      {"-", Word::kMinus},
      {"*", Word::kStar},
      {"/", Word::kSlash},
      {"BEGIN", Word::kBegin},
      {"END", Word::kEnd},
      {"REPEAT", Word::kRepeat},
      {"UNTIL", Word::kUntil},
      {"CASE", Word::kCase},
      {"OF", Word::kOf},
      {"ELSE", Word::kElse},
      {"IF", Word::kIf},
      {"THEN", Word::kThen},
      {"FOR", Word::kFor},
      {"TO", Word::kTo},
      {"DOWNTO", Word::kDownto},
      {"DO", Word::kDo},
      {"WHILE", Word::kWhile},
      {"BREAK", Word::kBreak},
      {"CONTINUE", Word::kContinue},
      {"EXIT", Word::kExit},
      {"VAR", Word::kVar},
      {"NOT", Word::kNot},
      {"AND", Word::kAnd},
      {"OR", Word::kOr},
      {"XOR", Word::kXor},
      {"DIV", Word::kDiv},
      {"MOD", Word::kMod},
      {"SHL", Word::kShl},
      {"SHR", Word::kShr},
      {"INTEGER", Word::kInteger},
      {"REAL", Word::kReal},
      {"STRING", Word::kString},
      {"INDEX", Word::kIndex},
  }};
  for (const auto& [text, word] : kWords) {
    if (text == upper) return word;
  }
  return Word::kNone;
}

TokenList::TokenList(std::string_view text) {
  auto store = std::make_unique<TokenStore>();
  TPPAParser parser(text);
  store->text = parser.text();
  std::vector<Token>& tokens = store->tokens;
  // Counted first, so that a long program's tokens are never copied while
  // the vector grows: a run holds them all until it ends.
  std::size_t count = 1;
  for (TPPAParser counter(store->text); counter.Kind() != TokenKind::kEnd; counter.Next()) ++count;
  tokens.reserve(count);
  for (;;) {
    Token& t = tokens.emplace_back();
    t.kind = parser.Kind();
    t.offset = parser.Offset();
    t.text = std::string_view(store->text).substr(t.offset, parser.Token().size());
    switch (t.kind) {
      case TokenKind::kIdentifier:
      case TokenKind::kSymbol:
      case TokenKind::kOperator:
        t.word = WordOf(UpperAscii(t.text));
        break;
      case TokenKind::kIntegerLiteral:
        t.int_value = IntegerLiteralValue(t.text);
        if (!ParseDecimal(t.text, &t.real_value)) t.real_value = 0.0;
        break;
      case TokenKind::kRealLiteral:
        if (!ParseDecimal(t.text, &t.real_value)) t.real_value = 0.0;
        break;
      case TokenKind::kStringLiteral:
        t.bad_literal = !DecodeStringLiteral(t.text, &t.str_value);
        t.has_nul = t.str_value.find('\0') != std::string::npos;
        break;
      default:
        break;
    }
    if (t.kind == TokenKind::kEnd) break;
    parser.Next();
  }
  count_ = tokens.size() - 1;
  store_ = store.get();
  owned_ = std::move(store);
}

std::string TokenList::Join(std::size_t begin, std::size_t end) const {
  end = std::min(end, end_index());
  std::string out;
  for (std::size_t i = begin; i < end; ++i) {
    if (i > begin) out += ' ';
    out.append((*this)[i].text);
  }
  return out;
}

std::unique_ptr<TokenList> TokenList::Slice(std::size_t begin, std::size_t end) const {
  end = std::min(end, end_index());
  begin = std::min(begin, end);
  return std::unique_ptr<TokenList>(new TokenList(store_, begin_ + begin, end - begin));
}

}  // namespace qy
