#include <gtest/gtest.h>

#include <string>

#include "host_fixture.h"
#include "macro/host_text.h"

namespace qy::testing {
namespace {

class HostEditorTest : public HostTest {
 protected:
  void SetText(const std::string& utf8) {
    model.MutablePage(1).Topic = Sjis(utf8);
    ShowPage(1);
  }
};

// Row and Col count bytes and CR LF pairs (the line arithmetic itself is
// tested in HostTextHelpers below): each row sets the caret, then reads or
// writes.
TEST_F(HostEditorTest, ColAndRowFollowTheCaret) {
  SetText("abcdef\r\nあいう\r\nxy\r\n4\r\n5");
  const struct {
    int caret;
    const char* statement;  // empty: read Row and Col
    int row_or_caret;
    int col;
  } cases[] = {
      {16, "", 2, 0},
      {12, "", 1, 4},  // behind the second あ
      {12, "Col := 2", 10, 0},
      {0, "Row := 100", 23, 0},  // past the last line: the start of the fifth
      {9, "Row := -3", 0, 0},
  };
  for (const auto& c : cases) {
    editor().SetSelStart(c.caret);
    if (*c.statement) {
      Run(c.statement);
      EXPECT_EQ(editor().SelStart(), c.row_or_caret) << c.statement;
    } else {
      EXPECT_EQ(Int("Row") * 100 + Int("Col"), c.row_or_caret * 100 + c.col) << c.caret;
    }
  }
  SetText("");
  EXPECT_EQ(Int("Row + Col + LineCount"), 0);
  EXPECT_EQ(Str("GetLineString(0)"), "");
}

TEST_F(HostEditorTest, SelectionAndPrintCountBytes) {
  SetText("あいう");
  Run("SelStart := 2; SelLength := 4;");
  EXPECT_EQ(editor().SelText(), Sjis("いう"));
  EXPECT_EQ(Int("SelStart * 10 + SelLength"), 24);
  EXPECT_EQ(Int("IsSelected"), -1);
  // Print replaces the selection or inserts at the caret.
  SetText("abc");
  Run("SelStart := 1; Print('漢字');");
  EXPECT_EQ(editor().SelStart(), 5);
  Run("SelStart := 0; SelLength := 1; Print('Z');");
  EXPECT_EQ(model.Page(1).Topic, Sjis("Z漢字bc"));
}

TEST_F(HostEditorTest, LinesOfTheEditorAreReadAndReplaced) {
  SetText("one\r\nにほん\r\nthree\r\n");
  EXPECT_EQ(Int("LineCount"), 3);
  EXPECT_EQ(Str("GetLineString(1)"), Sjis("にほん"));
  EXPECT_EQ(Str("GetLineString(3) + GetLineString(-1)"), "");
  EXPECT_EQ(Int("SetLineString(3, 'x') + SetLineString(-1, 'x')"), 0);
  EXPECT_EQ(Int("SetLineString(1, '二')"), 1);
  EXPECT_EQ(model.Page(1).Topic, Sjis("one\r\n二\r\nthree\r\n"));
  EXPECT_TRUE(model.Modified());
}

TEST_F(HostEditorTest, SortOrdersLinesWithoutRegardToCaseAndEndsEachWithCrLf) {
  SetText("pear\r\nApple\r\nbanana\r\napple\r\nBanana");
  EXPECT_EQ(Int("Sort"), 1);
  EXPECT_EQ(editor().Text(), "Apple\r\napple\r\nbanana\r\nBanana\r\npear\r\n");
  // Only the selection when there is one; its last line gets a line break too.
  SetText("z\r\nc\r\nb\r\na");
  editor().SetSelStart(3);
  editor().SetSelLength(4);
  EXPECT_EQ(Int("Sort"), 1);
  EXPECT_EQ(model.Page(1).Topic, "z\r\nb\r\nc\r\n\r\na");
  // Clear empties the whole topic.
  EXPECT_EQ(Int("Clear"), 1);
  EXPECT_EQ(model.Page(1).Topic, "");
}

TEST_F(HostEditorTest, EditorRoutinesRefusePagesWithoutTopicTextAndAReadOnlyEditor) {
  ShowPage(4);  // Include
  EXPECT_EQ(Int("Clear + Print('x') + Sort + SetLineString(0, 'x')"), 0);
  ShowPage(5);  // Book
  EXPECT_EQ(Int("Clear"), 0);
  EXPECT_TRUE(model.Page(4).Topic.empty());
  EXPECT_FALSE(model.Modified());
  ShowPage(1);
  editor().SetReadOnly(true);
  EXPECT_EQ(Int("Print('x') + Clear + SetPageTopic(0, 'x')"), 0);
  Run("Text := 'y';");
  EXPECT_EQ(model.Page(1).Topic, "topic 1");
  EXPECT_EQ(editor().Text(), "topic 1");
}

TEST_F(HostEditorTest, TextAndSelTextFollowTheEditorOnPagesWithTopicText) {
  EXPECT_EQ(Str("Text"), "topic 1");
  Run("Text := 'first'#13#10'second';");
  Run("SelStart := 0; SelLength := 5; SelText := 'FIRST';");
  EXPECT_EQ(model.Page(1).Topic, "FIRST\r\nsecond");
  EXPECT_EQ(editor().SelStart(), 5);
  // On an Include page a read keeps the last stored value, a write does
  // nothing.
  ShowPage(4);
  EXPECT_EQ(Str("Text"), "first\r\nsecond");
  Run("Text := 'lost';");
  EXPECT_EQ(Str("Text + SelText"), "lostFIRST");
  EXPECT_EQ(editor().Text(), "");
  EXPECT_TRUE(model.Page(4).Topic.empty());
}

using HostTextTest = HostTest;

// Lines split at any line break; JCopy counts a double-byte character as
// one where Copy cuts it in half; the width mappings themselves are tested
// in core, here only which way each goes.
TEST_F(HostTextTest, TextRoutines) {
  // clang-format off
  const std::pair<const char*, std::int64_t> integers[] = {
      {"TextLineCount('a'#13#10'b'#13#10)", 2}, {"TextLineCount('')", 0},
      {"TextLineCount('a'#13'b'#10'c'#10#10)", 4}};
  const std::pair<const char*, std::string> strings[] = {
      {"GetTextLine('a'#13'b'#10'c', 2)", "c"}, {"GetTextLine('a', -1)", ""},
      {"JCopy('aあｶbい', 2, 3)", Sjis("あｶb")}, {"JCopy('あいう', 0, 1)", Sjis("あ")},
      {"JCopy('あいう', 3, 100)", Sjis("う")},  {"JCopy('あいう', 4, 1)", ""},
      {"JCopy('あいう', 1, -1)", ""},
      {"Copy('あいう', 2, 2)", Sjis("あい").substr(1, 2)},
      {"Han2Zen('ｶﾞ1')", Sjis("ガ１")},      {"Zen2Han('ガ１')", Sjis("ｶﾞ1")},
      {"EndOfLineAddStr('a'#13#10'b\\par'#13#10'c', '\\par')", "a\\par\r\nb\\par\r\nc\\par"},
      {"AddStrEachLine('x', '!')", "x!"}};
  // clang-format on
  for (const auto& [expr, value] : integers) EXPECT_EQ(Int(expr), value) << expr;
  for (const auto& [expr, value] : strings) EXPECT_EQ(Str(expr), value) << expr;
  // SetTextLine only answers whether the line exists: arguments are values.
  Run("var s: String; r: Integer; begin s := 'a'#13#10'b'; "
      "r := SetTextLine(s, 1, 'x') * 10 + SetTextLine(s, 2, 'x') end.");
  EXPECT_EQ(pascal.interpreter().FindVariable("r")->IntValue, 10);
  EXPECT_EQ(pascal.interpreter().FindVariable("s")->StrValue, "a\r\nb");
}

TEST(HostTextHelpers, CaretLineOffsetsAndBrokenLeadBytes) {
  const std::string text = "ab\r\ncd\r\n\r\nef";
  // clang-format off
  const int cases[][2] = {
      {CaretRow(text, 0), 0},         {CaretRow(text, 3), 0},  // between CR and LF
      {CaretRow(text, 4), 1},         {CaretRow(text, 100), 3},
      {CaretLineStart(text, 6), 4},   {CaretLineStart(text, 8), 8},  {CaretLineStart(text, 1), 0},
      {RowStartOffset(text, 2), 8},   {RowStartOffset(text, 3), 10},
      {RowStartOffset(text, 50), 10}, {RowStartOffset(text, -1), 0}};
  // clang-format on
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i][0], cases[i][1]) << i;
  // A lead byte at the end has no trail byte: it counts as one character.
  const std::string broken = std::string("a") + '\x82';
  EXPECT_EQ(CharacterCopy(broken, 2, 1), "\x82");
  EXPECT_EQ(CharacterCopy(broken, 1, 5), broken);
}

}  // namespace
}  // namespace qy::testing
