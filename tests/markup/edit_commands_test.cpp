#include "markup/edit_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "core/memory_editor.h"

namespace qy {
namespace {

TEST(DeleteCommand, RemovesAWholeCharacterLineBreakOrTheSelection) {
  const std::string so = Sjis("ソ");  // trail byte 0x5C
  const std::tuple<std::string, int, int, std::string> cases[] = {
      {"a" + so + "b", 1, 0, "ab"},
      {"a\r\nb", 1, 0, "ab"},
      {"a\n\rb", 1, 0, "a\rb"},       // LF CR is not a line break pair
      {"a", 1, 0, "a"},               // nothing behind the caret
      {"a\x83", 1, 0, "a"},           // a lead byte without its trail byte goes alone
      {Sjis("ｱｲ"), 0, 0, Sjis("ｲ")},  // half-width katakana are single bytes
      {"abcdef", 1, 3, "aef"},
  };
  for (const auto& [text, start, length, after] : cases) {
    MemoryEditor editor(text);
    editor.SetSelStart(start);
    editor.SetSelLength(length);
    DeleteCommand(editor);
    EXPECT_EQ(editor.Text(), after) << text;
  }
}

TEST(UndoCommand, TogglesAndMovesTheCaretByTheChangeInLength) {
  MemoryEditor editor("0123456789");
  editor.SetSelStart(2);
  editor.SetSelLength(3);
  editor.SetSelText("");  // "0156789"
  editor.SetSelStart(6);
  ASSERT_TRUE(UndoCommand(editor, kContentPage));
  EXPECT_EQ(editor.Text(), "0123456789");
  EXPECT_EQ(editor.SelStart(), 9);  // 6 + 3
  editor.SetSelStart(1);
  ASSERT_TRUE(UndoCommand(editor, kPopupPage));
  EXPECT_EQ(editor.Text(), "0156789");
  EXPECT_EQ(editor.SelStart(), 0);  // 1 - 3, kept in the text

  // Never inside a double-byte character.
  MemoryEditor kanji(Sjis("家計"));
  kanji.SetSelStart(4);
  kanji.SetSelText("x");
  kanji.SetSelStart(4);
  ASSERT_TRUE(UndoCommand(kanji, kTopicPage));
  EXPECT_EQ(kanji.SelStart(), 2);  // 4 - 1 = 3 is the trail byte of 計

  EXPECT_FALSE(UndoCommand(kanji, kIncludePage));
  EXPECT_EQ(kanji.Text(), Sjis("家計"));
}

}  // namespace
}  // namespace qy
