#include "macro/host_text.h"

#include <gtest/gtest.h>

#include <string>

#include "host_fixture.h"

namespace qy::testing {
namespace {

using HostTextTest = HostTest;

TEST_F(HostTextTest, TextLinesSplitAtAnyLineBreak) {
  EXPECT_EQ(Int("TextLineCount('a'#13#10'b')"), 2);
  EXPECT_EQ(Int("TextLineCount('a'#13#10'b'#13#10)"), 2);
  EXPECT_EQ(Int("TextLineCount('')"), 0);
  EXPECT_EQ(Int("TextLineCount('a'#13'b'#10'c'#10#10)"), 4);
  EXPECT_EQ(Str("GetTextLine('a'#13#10'b', 1)"), "b");
  EXPECT_EQ(Str("GetTextLine('a'#13'b'#10'c', 2)"), "c");
  EXPECT_EQ(Str("GetTextLine('a'#13#10'b', 2)"), "");
  EXPECT_EQ(Str("GetTextLine('a', -1)"), "");
  // SetTextLine only answers whether the line exists: arguments are values.
  Run("var s: String; r1, r2: Integer; begin s := 'a'#13#10'b'; r1 := SetTextLine(s, 1, 'x'); "
      "r2 := SetTextLine(s, 2, 'x') end.");
  EXPECT_EQ(pascal.interpreter().FindVariable("r1")->IntValue, 1);
  EXPECT_EQ(pascal.interpreter().FindVariable("r2")->IntValue, 0);
  EXPECT_EQ(pascal.interpreter().FindVariable("s")->StrValue, "a\r\nb");
}

TEST_F(HostTextTest, JCopyCountsADoubleByteCharacterAsOne) {
  EXPECT_EQ(Str("JCopy('あいう', 2, 1)"), Sjis("い"));
  EXPECT_EQ(Str("JCopy('aあｶbい', 2, 3)"), Sjis("あｶb"));
  EXPECT_EQ(Str("JCopy('あいう', 0, 1)"), Sjis("あ"));
  EXPECT_EQ(Str("JCopy('あいう', 3, 100)"), Sjis("う"));
  EXPECT_EQ(Str("JCopy('あいう', 4, 1)"), "");
  EXPECT_EQ(Str("JCopy('あいう', 1, -1)"), "");
  // The byte-counting Copy of the same text cuts a character in half.
  EXPECT_EQ(Str("Copy('あいう', 2, 2)"), Sjis("あい").substr(1, 2));
}

TEST_F(HostTextTest, WidthConversionsUseTheTextMappings) {
  // The mappings themselves are tested in core; here only which way each goes.
  EXPECT_EQ(Str("Han2Zen('ｶﾞ1')"), Sjis("ガ１"));
  EXPECT_EQ(Str("Zen2Han('ガ１')"), Sjis("ｶﾞ1"));
}

TEST_F(HostTextTest, EndOfLineAddStrCompletesLineEnds) {
  EXPECT_EQ(Str("EndOfLineAddStr('a'#13#10'b\\par'#13#10'c', '\\par')"),
            "a\\par\r\nb\\par\r\nc\\par");
  EXPECT_EQ(Str("AddStrEachLine('x', '!')"), "x!");
}

TEST(HostTextHelpers, CaretLineOffsets) {
  const std::string text = "ab\r\ncd\r\n\r\nef";
  EXPECT_EQ(CaretRow(text, 0), 0);
  EXPECT_EQ(CaretRow(text, 3), 0);  // between CR and LF
  EXPECT_EQ(CaretRow(text, 4), 1);
  EXPECT_EQ(CaretRow(text, 100), 3);
  EXPECT_EQ(CaretLineStart(text, 6), 4);
  EXPECT_EQ(CaretLineStart(text, 8), 8);
  EXPECT_EQ(CaretLineStart(text, 1), 0);
  EXPECT_EQ(RowStartOffset(text, 2), 8);
  EXPECT_EQ(RowStartOffset(text, 3), 10);
  EXPECT_EQ(RowStartOffset(text, 50), 10);
  EXPECT_EQ(RowStartOffset(text, -1), 0);
}

TEST(HostTextHelpers, CharacterCopyKeepsABrokenLeadByteWhole) {
  // A lead byte at the end has no trail byte: it counts as one character.
  const std::string text = std::string("a") + '\x82';
  EXPECT_EQ(CharacterCopy(text, 2, 1), "\x82");
  EXPECT_EQ(CharacterCopy(text, 1, 5), text);
}

}  // namespace
}  // namespace qy::testing
