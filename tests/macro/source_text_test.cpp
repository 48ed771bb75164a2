#include "macro/source_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qy {
namespace {

TEST(MacroNormalise, TokensBlankSeparatedCommentsAndEmptyLinesDropped) {
  EXPECT_EQ(NormaliseSource("var i:integer; // counter\r\n\r\n   // only a comment\nbegin\r"
                            "i:=1+2;end."),
            " var i : integer ;\r\n begin\r\n i := 1 + 2 ; end .");
  EXPECT_EQ(NormaliseSource(""), "");
  EXPECT_EQ(NormaliseSource("// x\r\n  \r\n"), "");
}

TEST(MacroNormalise, LiteralsSurviveAndUnclosedOnesAreRightTrimmed) {
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

TEST(MacroCollect, StatementBlocks) {
  TokenList list("begin a ; begin b end ; c end else x");
  Collected c = CollectStatement(list, 0);
  EXPECT_EQ(Taken(list, c), "a ; begin b end ; c");
  EXPECT_EQ(list[c.next].text, "end");

  TokenList empty("begin end");
  EXPECT_EQ(Taken(empty, CollectStatement(empty, 0)), "");

  TokenList rep("repeat a ; repeat b until c ; d until e");
  c = CollectStatement(rep, 0);
  EXPECT_EQ(Taken(rep, c), "a ; repeat b until c ; d");
  EXPECT_EQ(rep[c.next].text, "until");

  TokenList els("else a ; b end");
  EXPECT_EQ(Taken(els, CollectStatement(els, 0)), "a ; b");
}

TEST(MacroCollect, SimpleStatementStopsAtSemicolonOrElseWithoutIf) {
  TokenList list("x := 1 else y ; z");
  Collected c = CollectStatement(list, 0);
  EXPECT_EQ(Taken(list, c), "x := 1");
  EXPECT_EQ(list[c.next].text, "else");

  // Once an IF was taken, ELSE belongs to it.
  TokenList nested("if b then x else y else z ; w");
  c = CollectStatement(nested, 0);
  EXPECT_EQ(Taken(nested, c), "if b then x else y else z");

  // A simple statement never stops at END; the END even leaves the depth
  // below zero, so the following ";" does not stop it either.
  TokenList end("a end b ; c");
  EXPECT_EQ(Taken(end, CollectStatement(end, 0)), "a end b ; c");

  TokenList block("while c do begin a ; b end ; d");
  EXPECT_EQ(Taken(block, CollectStatement(block, 0)), "while c do begin a ; b end");
}

TEST(MacroTokenList, SlicesShareTheTokensOfTheirList) {
  TokenList list(" x := 'a''b' #13 + 1.5");
  EXPECT_EQ(list.size(), 7u);
  EXPECT_EQ(list[2].str_value, "a'b");
  EXPECT_EQ(list[3].str_value, "\r");
  EXPECT_DOUBLE_EQ(list[5].real_value, 1.5);
  auto slice = list.Slice(2, 5);
  EXPECT_EQ(slice->Join(0, slice->end_index()), "'a''b' #13 +");
  EXPECT_EQ(&(*slice)[1], &list[3]);
  EXPECT_EQ((*slice)[3].kind, TokenKind::kEnd);
  EXPECT_EQ(WordOf("DOWNTO"), Word::kDownto);
  EXPECT_EQ(WordOf("downto"), Word::kNone);
}

}  // namespace
}  // namespace qy
