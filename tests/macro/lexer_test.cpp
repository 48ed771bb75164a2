#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "macro/ppa_parser.h"

namespace qy {
namespace {

using Tok = std::pair<TokenKind, std::string>;

std::vector<Tok> Lex(std::string_view text) {
  std::vector<Tok> out;
  for (TPPAParser p(text); p.Kind() != TokenKind::kEnd; p.Next()) {
    out.emplace_back(p.Kind(), std::string(p.Token()));
  }
  return out;
}

constexpr TokenKind kSym = TokenKind::kSymbol, kStr = TokenKind::kStringLiteral,
                    kInt = TokenKind::kIntegerLiteral, kReal = TokenKind::kRealLiteral,
                    kCom = TokenKind::kComment, kId = TokenKind::kIdentifier,
                    kOp = TokenKind::kOperator;

TEST(MacroLexer, EveryTokenKind) {
  EXPECT_EQ(Lex("x := 'a' + $1F * 12 - 1.5 ; // note"), (std::vector<Tok>{{kId, "x"},
                                                                          {kOp, ":="},
                                                                          {kStr, "'a'"},
                                                                          {kSym, "+"},
                                                                          {kInt, "$1F"},
                                                                          {kSym, "*"},
                                                                          {kInt, "12"},
                                                                          {kSym, "-"},
                                                                          {kReal, "1.5"},
                                                                          {kSym, ";"},
                                                                          {kCom, "// note"}}));
}

TEST(MacroLexer, TwoCharacterOperatorsAndSingleSymbols) {
  EXPECT_EQ(Lex(":= <= <> >= .. : < > . ="), (std::vector<Tok>{{kOp, ":="},
                                                               {kOp, "<="},
                                                               {kOp, "<>"},
                                                               {kOp, ">="},
                                                               {kOp, ".."},
                                                               {kSym, ":"},
                                                               {kSym, "<"},
                                                               {kSym, ">"},
                                                               {kSym, "."},
                                                               {kSym, "="}}));
  EXPECT_EQ(Lex("a<>b"), (std::vector<Tok>{{kId, "a"}, {kOp, "<>"}, {kId, "b"}}));
}

TEST(MacroLexer, NumbersAndTheirEdges) {
  // A dot not followed by a digit or an exponent stays out, yet the number is Real.
  EXPECT_EQ(Lex("1..5"), (std::vector<Tok>{{kReal, "1"}, {kOp, ".."}, {kInt, "5"}}));
  EXPECT_EQ(Lex("0x1F"), (std::vector<Tok>{{kInt, "0"}, {kId, "x1F"}}));
  EXPECT_EQ(
      Lex("1.5e3 2E-4 3e+2 1.e5 7e"),
      (std::vector<Tok>{
          {kReal, "1.5e3"}, {kReal, "2E-4"}, {kReal, "3e+2"}, {kReal, "1.e5"}, {kReal, "7e"}}));
  EXPECT_EQ(Lex("$ $fFz"), (std::vector<Tok>{{kInt, "$"}, {kInt, "$fF"}, {kId, "z"}}));
  EXPECT_EQ(Lex("12abc"), (std::vector<Tok>{{kInt, "12"}, {kId, "abc"}}));
}

TEST(MacroLexer, StringLiteralQuotingAndCharacters) {
  EXPECT_EQ(Lex("'It''s' 'x'"), (std::vector<Tok>{{kStr, "'It''s'"}, {kStr, "'x'"}}));
  EXPECT_EQ(Lex("''''"), (std::vector<Tok>{{kStr, "''''"}}));
  EXPECT_EQ(
      Lex("#13#10#$0a#x"),
      (std::vector<Tok>{{kStr, "#13"}, {kStr, "#10"}, {kStr, "#$0a"}, {kStr, "#"}, {kId, "x"}}));
  // Never closed: runs to the end of the text, line ends included.
  EXPECT_EQ(Lex("a 'open\r\nb c"), (std::vector<Tok>{{kId, "a"}, {kStr, "'open\r\nb c"}}));
  // A comment marker inside a literal is text.
  EXPECT_EQ(Lex("'a // b' c"), (std::vector<Tok>{{kStr, "'a // b'"}, {kId, "c"}}));
}

TEST(MacroLexer, CommentsEndAtLineBreaks) {
  EXPECT_EQ(Lex("a // b\r\nc//d\ne"),
            (std::vector<Tok>{{kId, "a"}, {kCom, "// b"}, {kId, "c"}, {kCom, "//d"}, {kId, "e"}}));
  EXPECT_EQ(Lex("a / / b"), (std::vector<Tok>{{kId, "a"}, {kSym, "/"}, {kSym, "/"}, {kId, "b"}}));
}

TEST(MacroLexer, SeparatorsDoubleByteBytesAndNul) {
  EXPECT_EQ(Lex("\x01"
                "a\t\x1f"
                "b\x20"),
            (std::vector<Tok>{{kId, "a"}, {kId, "b"}}));
  // Each byte of a double-byte character outside a literal is a symbol.
  EXPECT_EQ(Lex("\x82\xA0"), (std::vector<Tok>{{kSym, "\x82"}, {kSym, "\xA0"}}));
  EXPECT_EQ(Lex(std::string_view("a\0b", 3)), (std::vector<Tok>{{kId, "a"}}));
  EXPECT_EQ(Lex("_a1 b_2"), (std::vector<Tok>{{kId, "_a1"}, {kId, "b_2"}}));
}

TEST(MacroLexer, OffsetsUpperCaseAndAccept) {
  TPPAParser p(" ab  Cd");
  EXPECT_EQ(p.Offset(), 1u);
  EXPECT_FALSE(p.Accept("cd"));
  EXPECT_EQ(p.Token(), "ab");
  EXPECT_TRUE(p.Accept("AB"));
  EXPECT_EQ(p.Offset(), 5u);
  EXPECT_EQ(p.TokenUpper(), "CD");
  EXPECT_TRUE(p.Accept("cD"));
  EXPECT_EQ(p.Kind(), TokenKind::kEnd);
  EXPECT_EQ(p.Offset(), 7u);
  EXPECT_EQ(p.Token(), "");
  EXPECT_EQ(UpperAscii("a\x82\x9f"
                       "z"),
            "A\x82\x9f"
            "Z");
}

}  // namespace
}  // namespace qy
