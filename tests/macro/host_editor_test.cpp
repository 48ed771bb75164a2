#include <gtest/gtest.h>

#include <string>

#include "host_fixture.h"

namespace qy::testing {
namespace {

class HostEditorTest : public HostTest {
 protected:
  void SetText(const std::string& utf8) {
    model.MutablePage(1).Topic = Sjis(utf8);
    ShowPage(1);
  }
};

TEST_F(HostEditorTest, ColAndRowCountBytesAndCrLfPairs) {
  SetText("abcdef\r\nあいう\r\nxy\r\n4\r\n5");
  EXPECT_EQ(Int("Col"), 0);
  EXPECT_EQ(Int("Row"), 0);
  Run("Col := 3;");
  EXPECT_EQ(editor().SelStart(), 3);
  // Start of the third line.
  editor().SetSelStart(16);
  EXPECT_EQ(Int("Row"), 2);
  EXPECT_EQ(Int("Col"), 0);
  // Behind the second double-byte character of the second line.
  editor().SetSelStart(12);
  EXPECT_EQ(Int("Row"), 1);
  EXPECT_EQ(Int("Col"), 4);
  Run("Col := 2;");
  EXPECT_EQ(editor().SelStart(), 10);
  // Past the last line: the start of the fifth line.
  Run("Row := 100;");
  EXPECT_EQ(editor().SelStart(), 23);
  EXPECT_EQ(Int("Row"), 4);
  Run("Row := 1;");
  EXPECT_EQ(editor().SelStart(), 8);
  Run("Row := -3;");
  EXPECT_EQ(editor().SelStart(), 0);
}

TEST_F(HostEditorTest, EmptyEditorHasRowZeroAndNoLines) {
  SetText("");
  EXPECT_EQ(Int("Row"), 0);
  EXPECT_EQ(Int("Col"), 0);
  EXPECT_EQ(Int("LineCount"), 0);
  EXPECT_EQ(Str("GetLineString(0)"), "");
}

TEST_F(HostEditorTest, SelStartAndSelLengthAreByteOffsets) {
  SetText("あいう");
  Run("SelStart := 2; SelLength := 4;");
  EXPECT_EQ(editor().SelText(), Sjis("いう"));
  EXPECT_EQ(Int("SelStart"), 2);
  EXPECT_EQ(Int("SelLength"), 4);
  EXPECT_EQ(Int("IsSelected"), -1);
  EXPECT_EQ(Str("SelText"), Sjis("いう"));
  Run("SelLength := 0;");
  EXPECT_EQ(Int("IsSelected"), 0);
}

TEST_F(HostEditorTest, LinesOfTheEditorAreReadAndReplaced) {
  SetText("one\r\nにほん\r\nthree\r\n");
  EXPECT_EQ(Int("LineCount"), 3);
  EXPECT_EQ(Str("GetLineString(1)"), Sjis("にほん"));
  EXPECT_EQ(Str("GetLineString(3)"), "");
  EXPECT_EQ(Str("GetLineString(-1)"), "");
  EXPECT_EQ(Int("SetLineString(1, '二')"), 1);
  EXPECT_EQ(editor().Text(), Sjis("one\r\n二\r\nthree\r\n"));
  EXPECT_EQ(model.Page(1).Topic, editor().Text());
  EXPECT_TRUE(model.Modified());
  EXPECT_EQ(Int("SetLineString(3, 'x')"), 0);
  EXPECT_EQ(Int("SetLineString(-1, 'x')"), 0);
  EXPECT_EQ(editor().Text(), Sjis("one\r\n二\r\nthree\r\n"));
}

TEST_F(HostEditorTest, PrintReplacesTheSelectionOrInsertsAtTheCaret) {
  SetText("abc");
  Run("SelStart := 1; Print('漢字');");
  EXPECT_EQ(editor().Text(), Sjis("a漢字bc"));
  EXPECT_EQ(editor().SelStart(), 5);
  Run("SelStart := 0; SelLength := 1; Print('Z');");
  EXPECT_EQ(editor().Text(), Sjis("Z漢字bc"));
  EXPECT_EQ(model.Page(1).Topic, Sjis("Z漢字bc"));
}

TEST_F(HostEditorTest, ClearEmptiesTheTopic) {
  EXPECT_EQ(Int("Clear"), 1);
  EXPECT_EQ(editor().Text(), "");
  EXPECT_EQ(model.Page(1).Topic, "");
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
  EXPECT_EQ(editor().Text(), "z\r\nb\r\nc\r\n\r\na");
  EXPECT_EQ(model.Page(1).Topic, editor().Text());
}

TEST_F(HostEditorTest, EditorRoutinesRefusePagesWithoutTopicText) {
  ShowPage(4);  // Include
  EXPECT_EQ(Int("Clear"), 0);
  EXPECT_EQ(Int("Print('x')"), 0);
  EXPECT_EQ(Int("Sort"), 0);
  EXPECT_EQ(Int("SetLineString(0, 'x')"), 0);
  ShowPage(5);  // Book
  EXPECT_EQ(Int("Clear"), 0);
  EXPECT_EQ(editor().Text(), "");
  EXPECT_TRUE(model.Page(4).Topic.empty());
  EXPECT_FALSE(model.Modified());
}

TEST_F(HostEditorTest, ReadOnlyEditorTakesNoChange) {
  editor().SetReadOnly(true);
  EXPECT_EQ(Int("Print('x')"), 0);
  EXPECT_EQ(Int("Clear"), 0);
  EXPECT_EQ(Int("SetPageTopic(0, 'x')"), 0);
  Run("Text := 'y';");
  EXPECT_EQ(model.Page(1).Topic, "topic 1");
  EXPECT_EQ(editor().Text(), "topic 1");
}

TEST_F(HostEditorTest, TextAndSelTextFollowTheEditorOnPagesWithTopicText) {
  EXPECT_EQ(Str("Text"), "topic 1");
  Run("Text := 'first'#13#10'second';");
  EXPECT_EQ(editor().Text(), "first\r\nsecond");
  EXPECT_EQ(model.Page(1).Topic, "first\r\nsecond");
  Run("SelStart := 0; SelLength := 5; SelText := 'FIRST';");
  EXPECT_EQ(model.Page(1).Topic, "FIRST\r\nsecond");
  EXPECT_EQ(editor().SelStart(), 5);

  // On an Include page a read keeps the last stored value, a write does
  // nothing.
  ShowPage(4);
  EXPECT_EQ(Str("Text"), "first\r\nsecond");
  Run("Text := 'lost';");
  EXPECT_EQ(Str("Text"), "lost");
  EXPECT_EQ(editor().Text(), "");
  EXPECT_TRUE(model.Page(4).Topic.empty());
  EXPECT_EQ(Str("SelText"), "FIRST");
}

TEST_F(HostEditorTest, ClipBoardAndModes) {
  clipboard.text = Sjis("クリップ");
  EXPECT_EQ(Str("ClipBoard"), Sjis("クリップ"));
  Run("ClipBoard := 'copied';");
  EXPECT_EQ(clipboard.text, "copied");
  EXPECT_EQ(Int("IsOverWrite"), 0);
  window->overwrite = true;
  EXPECT_EQ(Int("IsOverWrite"), -1);
}

}  // namespace
}  // namespace qy::testing
