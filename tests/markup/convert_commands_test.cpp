#include "markup/convert_commands.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/memory_editor.h"

namespace qy {
namespace {

MemoryEditor Selecting(const std::string& text, int start, int length) {
  MemoryEditor editor(text);
  editor.SetSelStart(start);
  editor.SetSelLength(length);
  return editor;
}

TEST(ConvertCommands, UpperCaseChangesOnlyLettersAndKeepsTheSelection) {
  // ソ is 0x83 0x5C and 表 0x95 0x5C: their trail bytes must stay.
  const std::string mixed = Sjis("abソ表cd日本ｘ");
  const std::string text = "<<" + mixed + ">>";
  MemoryEditor editor = Selecting(text, 2, static_cast<int>(mixed.size()));
  EXPECT_TRUE(ConvertSelection(editor, TextMapping::kUpperCase));
  EXPECT_EQ(editor.Text(), "<<" + Sjis("ABソ表CD日本Ｘ") + ">>");
  EXPECT_EQ(editor.SelStart(), 2);
  EXPECT_EQ(editor.SelLength(), static_cast<int>(mixed.size()));

  EXPECT_TRUE(ConvertSelection(editor, TextMapping::kLowerCase));
  EXPECT_EQ(editor.Text(), text);
  EXPECT_EQ(editor.SelLength(), static_cast<int>(mixed.size()));
}

TEST(ConvertCommands, HalfWidthLeavesTheCaretBehindTheShorterResult) {
  const std::string wide = Sjis("ＡＢ　１２");
  MemoryEditor editor = Selecting("x" + wide + "y", 1, static_cast<int>(wide.size()));
  EXPECT_TRUE(ConvertSelection(editor, TextMapping::kHalfWidth));
  EXPECT_EQ(editor.Text(), "xAB 12y");
  EXPECT_EQ(editor.SelStart(), 6);
  EXPECT_EQ(editor.SelLength(), 0);

  editor.SetSelStart(1);
  editor.SetSelLength(5);
  EXPECT_TRUE(ConvertSelection(editor, TextMapping::kFullWidth));
  EXPECT_EQ(editor.Text(), "x" + wide + "y");
  EXPECT_EQ(editor.SelStart(), 1 + static_cast<int>(wide.size()));
}

TEST(ConvertCommands, KanaConversionsKeepTheSelection) {
  const std::string hiragana = Sjis("ひらがなとカナ");
  MemoryEditor editor = Selecting("a" + hiragana, 1, static_cast<int>(hiragana.size()));
  EXPECT_TRUE(ConvertSelection(editor, TextMapping::kKatakana));
  EXPECT_EQ(editor.Text(), "a" + Sjis("ヒラガナトカナ"));
  EXPECT_EQ(editor.SelStart(), 1);
  EXPECT_EQ(editor.SelLength(), static_cast<int>(hiragana.size()));
  EXPECT_TRUE(ConvertSelection(editor, TextMapping::kHiragana));
  EXPECT_EQ(editor.Text(), "a" + Sjis("ひらがなとかな"));
  EXPECT_EQ(editor.SelText(), Sjis("ひらがなとかな"));
}

TEST(ConvertCommands, NothingSelectedChangesNothing) {
  MemoryEditor editor("abc");
  editor.SetSelStart(1);
  EXPECT_FALSE(ConvertSelection(editor, TextMapping::kUpperCase));
  EXPECT_EQ(editor.Text(), "abc");
  EXPECT_FALSE(editor.CanUndo());
}

TEST(ConvertCommands, EnabledOnPagesWithTextWhileSomethingIsSelected) {
  EXPECT_TRUE(ConversionEnabled(kContentPage, 1));
  EXPECT_TRUE(ConversionEnabled(kPopupPage, 3));
  EXPECT_FALSE(ConversionEnabled(kTopicPage, 0));
  EXPECT_FALSE(ConversionEnabled(kIncludePage, 4));
  EXPECT_FALSE(ConversionEnabled(BookAttribute(2), 4));
}

}  // namespace
}  // namespace qy
