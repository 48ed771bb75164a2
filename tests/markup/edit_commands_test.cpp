#include "markup/edit_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "core/memory_editor.h"

namespace qy {
namespace {

std::string DeleteAt(const std::string& text, int caret) {
  MemoryEditor editor(text);
  editor.SetSelStart(caret);
  DeleteCommand(editor);
  return editor.Text();
}

TEST(DeleteCommand, RemovesAWholeCharacterOrLineBreak) {
  const std::string so = Sjis("ソ");  // trail byte 0x5C
  EXPECT_EQ(DeleteAt("a" + so + "b", 1), "ab");
  EXPECT_EQ(DeleteAt("a\r\nb", 1), "ab");
  EXPECT_EQ(DeleteAt("ab", 0), "b");
  EXPECT_EQ(DeleteAt("a\rb", 1), "ab");      // a lone CR is one character
  EXPECT_EQ(DeleteAt("a\n\rb", 1), "a\rb");  // LF CR is not a line break pair
  EXPECT_EQ(DeleteAt("a", 1), "a");          // nothing behind the caret
  EXPECT_EQ(DeleteAt(so, 0), "");
  // A lead byte without its trail byte goes alone.
  EXPECT_EQ(DeleteAt("a\x83", 1), "a");
  // Half-width katakana are single bytes.
  EXPECT_EQ(DeleteAt(Sjis("ｱｲ"), 0), Sjis("ｲ"));
}

TEST(DeleteCommand, DeletesTheSelectionAsItIs) {
  MemoryEditor editor("abcdef");
  editor.SetSelStart(1);
  editor.SetSelLength(3);
  DeleteCommand(editor);
  EXPECT_EQ(editor.Text(), "aef");
  EXPECT_EQ(editor.SelStart(), 1);
}

TEST(UndoCommand, TogglesBetweenTwoStates) {
  MemoryEditor editor("abc");
  editor.SetSelStart(3);
  editor.SetSelText("def");
  ASSERT_EQ(editor.Text(), "abcdef");

  EXPECT_TRUE(UndoCommand(editor, kTopicPage));
  EXPECT_EQ(editor.Text(), "abc");
  EXPECT_EQ(editor.SelStart(), 3);
  EXPECT_TRUE(UndoCommand(editor, kTopicPage));
  EXPECT_EQ(editor.Text(), "abcdef");
  EXPECT_EQ(editor.SelStart(), 6);
  EXPECT_TRUE(UndoCommand(editor, kPopupPage));
  EXPECT_EQ(editor.Text(), "abc");
}

TEST(UndoCommand, CaretMovesByTheChangeInLength) {
  MemoryEditor editor("0123456789");
  editor.SetSelStart(2);
  editor.SetSelLength(3);
  editor.SetSelText("");  // "0156789"
  editor.SetSelStart(6);
  ASSERT_TRUE(UndoCommand(editor, kContentPage));
  EXPECT_EQ(editor.Text(), "0123456789");
  EXPECT_EQ(editor.SelStart(), 9);  // 6 + 3

  editor.SetSelStart(1);
  ASSERT_TRUE(UndoCommand(editor, kTopicPage));
  EXPECT_EQ(editor.SelStart(), 0);  // 1 - 3, kept in the text
}

TEST(UndoCommand, CaretNeverLandsInsideADoubleByteCharacter) {
  const std::string ka = Sjis("家計");
  MemoryEditor editor(ka);
  editor.SetSelStart(4);
  editor.SetSelText("x");  // "家計x"
  editor.SetSelStart(4);   // in front of x
  ASSERT_TRUE(UndoCommand(editor, kTopicPage));
  EXPECT_EQ(editor.Text(), ka);
  EXPECT_EQ(editor.SelStart(), 2);  // 4 - 1 = 3 is the trail byte of 計
}

TEST(UndoCommand, OnlyOnPagesWithTopicText) {
  MemoryEditor editor("a");
  editor.SetSelStart(1);
  editor.SetSelText("b");
  EXPECT_FALSE(UndoCommand(editor, kIncludePage));
  EXPECT_FALSE(UndoCommand(editor, BookAttribute(2)));
  EXPECT_EQ(editor.Text(), "ab");
  MemoryEditor fresh("a");
  EXPECT_FALSE(UndoCommand(fresh, kTopicPage));
}

}  // namespace
}  // namespace qy
