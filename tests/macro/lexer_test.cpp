#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "macro/ppa_parser.h"

namespace qy {
namespace {

constexpr std::pair<TokenKind, char> kLetters[] = {
    {TokenKind::kSymbol, 'y'},         {TokenKind::kStringLiteral, 's'},
    {TokenKind::kIntegerLiteral, 'n'}, {TokenKind::kRealLiteral, 'r'},
    {TokenKind::kComment, 'c'},        {TokenKind::kIdentifier, 'i'},
    {TokenKind::kOperator, 'o'}};

// The tokens of `text`, each as a kind letter and its text, joined by '|'.
std::string Lex(std::string_view text) {
  std::string out;
  for (TPPAParser p(text); p.Kind() != TokenKind::kEnd; p.Next()) {
    char letter = '?';
    for (auto [kind, l] : kLetters) letter = kind == p.Kind() ? l : letter;
    out += (out.empty() ? "" : "|") + std::string(1, letter) + std::string(p.Token());
  }
  return out;
}

TEST(MacroLexer, TokensAndTheirKinds) {
  const std::pair<std::string_view, std::string> cases[] = {
      {"x := 'a' + $1F * 12 - 1.5 ; // note", "ix|o:=|s'a'|y+|n$1F|y*|n12|y-|r1.5|y;|c// note"},
      {":= <= <> >= .. : < > . =", "o:=|o<=|o<>|o>=|o..|y:|y<|y>|y.|y="},
      // A dot not followed by a digit or an exponent stays out, yet the number is Real.
      {"1..5", "r1|o..|n5"},
      {"0x1F", "n0|ix1F"},
      {"1.5e3 2E-4 3e+2 1.e5 7e", "r1.5e3|r2E-4|r3e+2|r1.e5|r7e"},
      {"$ $fFz", "n$|n$fF|iz"},
      {"12abc", "n12|iabc"},
      {"'It''s' 'x'", "s'It''s'|s'x'"},
      {"''''", "s''''"},
      {"#13#10#$0a#x", "s#13|s#10|s#$0a|s#|ix"},
      // Never closed: runs to the end of the text, line ends included.
      {"a 'open\r\nb c", "ia|s'open\r\nb c"},
      // A comment marker inside a literal is text; comments end at line breaks.
      {"'a // b' c", "s'a // b'|ic"},
      {"a // b\r\nc//d\ne", "ia|c// b|ic|c//d|ie"},
      {"a / / b\x01\t\x1f", "ia|y/|y/|ib"},
      // Each byte of a double-byte character outside a literal is a symbol.
      {"\x82\xA0", "y\x82|y\xA0"},
      {std::string_view("a\0b", 3), "ia"},
  };
  for (const auto& [text, tokens] : cases) EXPECT_EQ(Lex(text), tokens) << text;
}

TEST(MacroLexer, OffsetsUpperCaseAndAccept) {
  TPPAParser p(" ab  Cd");
  EXPECT_FALSE(p.Accept("cd"));
  EXPECT_TRUE(p.Accept("AB"));
  EXPECT_EQ(p.Offset(), 5u);
  EXPECT_EQ(p.TokenUpper(), "CD");
  EXPECT_TRUE(p.Accept("cD"));
  EXPECT_EQ(p.Kind(), TokenKind::kEnd);
  EXPECT_EQ(p.Offset(), 7u);
}

}  // namespace
}  // namespace qy
