#include "macro/source_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "macro/ppa_parser.h"

namespace qy {
namespace {

TEST(MacroNormalise, TokensBlankSeparatedCommentsAndEmptyLinesDropped) {
  EXPECT_EQ(NormaliseSource("var i:integer; // counter\r\n\r\n   // only a comment\nbegin\r"
                            "i:=1+2;end."),
            " var i : integer ;\r\n begin\r\n i := 1 + 2 ; end .");
  EXPECT_EQ(NormaliseSource("// x\r\n  \r\n"), "");
  EXPECT_EQ(NormaliseSource("s:='a // b';"), " s := 'a // b' ;");
  // Each line is tokenized alone, so an open literal ends with its line.
  EXPECT_EQ(NormaliseSource("s := 'open   \r\nx := 1"), " s := 'open\r\n x := 1");
}

TEST(MacroSplit, CutsOnlyOutsideBlocks) {
  EXPECT_EQ(SplitStatements("a := 1 ; begin b ; c end ; ; d"),
            (std::vector<std::string>{"a := 1", "begin b ; c end", "d"}));
  EXPECT_EQ(SplitStatements("repeat x ; y until z ; case k of 1 : a ; end ; w"),
            (std::vector<std::string>{"repeat x ; y until z", "case k of 1 : a ; end", "w"}));
  EXPECT_EQ(SplitStatements(" ; ; "), std::vector<std::string>{});
  // Words are compared upper-cased.
  EXPECT_EQ(SplitStatements("BeGiN a; b EnD; c"),
            (std::vector<std::string>{"BeGiN a ; b EnD", "c"}));
}

std::string Taken(const TokenList& list, const Collected& c) { return list.Join(c.begin, c.end); }

TEST(MacroCollect, UntilTakesTheFirstTokenAlwaysAndReportsEnd) {
  TokenList list("THEN a = 1 then b");
  Collected c = CollectUntil(list, 0, {Word::kThen});
  EXPECT_EQ(Taken(list, c), "THEN a = 1");
  EXPECT_EQ(list[c.next].text, "then");
  EXPECT_FALSE(c.reached_end);
  c = CollectUntil(list, c.next + 1, {Word::kThen, Word::kDo});
  EXPECT_EQ(Taken(list, c), "b");
  EXPECT_TRUE(c.reached_end);
}

// A block takes what is inside it; a simple statement stops at ";" or at an
// ELSE without an IF of its own, never at END (an END even leaves the depth
// below zero, so the following ";" does not stop it either).
TEST(MacroCollect, StatementsAndTheTokenAfterThem) {
  const struct {
    const char* text;
    const char* taken;
    const char* next;  // null: not looked at
  } cases[] = {
      {"begin a ; begin b end ; c end else x", "a ; begin b end ; c", "end"},
      {"begin end", "", nullptr},
      {"repeat a ; repeat b until c ; d until e", "a ; repeat b until c ; d", "until"},
      {"else a ; b end", "a ; b", nullptr},
      {"x := 1 else y ; z", "x := 1", "else"},
      {"if b then x else y else z ; w", "if b then x else y else z", nullptr},
      {"a end b ; c", "a end b ; c", nullptr},
      {"while c do begin a ; b end ; d", "while c do begin a ; b end", nullptr},
  };
  for (const auto& c : cases) {
    TokenList list(c.text);
    const Collected got = CollectStatement(list, 0);
    EXPECT_EQ(Taken(list, got), c.taken) << c.text;
    if (c.next) {
      EXPECT_EQ(list[got.next].text, c.next) << c.text;
    }
  }
}

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

}  // namespace
}  // namespace qy
