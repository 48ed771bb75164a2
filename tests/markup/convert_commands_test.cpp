#include "markup/convert_commands.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/memory_editor.h"

namespace qy {
namespace {

TEST(ConvertCommands, ConversionsKeepTrailBytesAndTheSelection) {
  struct Case {
    std::string text;
    TextMapping mapping;
    std::string converted;
  };
  // ソ is 0x83 0x5C and 表 0x95 0x5C: their trail bytes must stay.
  const Case cases[] = {
      {Sjis("abソ表cd日本ｘ"), TextMapping::kUpperCase, Sjis("ABソ表CD日本Ｘ")},
      {Sjis("ABソ表CD日本Ｘ"), TextMapping::kLowerCase, Sjis("abソ表cd日本ｘ")},
      {Sjis("ひらがなとカナ"), TextMapping::kKatakana, Sjis("ヒラガナトカナ")},
      {Sjis("ヒらがなとカナ"), TextMapping::kHiragana, Sjis("ひらがなとかな")},
  };
  for (const Case& c : cases) {
    MemoryEditor editor("<<" + c.text + ">>");
    editor.SetSelStart(2);
    editor.SetSelLength(static_cast<int>(c.text.size()));
    EXPECT_TRUE(ConvertSelection(editor, c.mapping));
    EXPECT_EQ(editor.Text(), "<<" + c.converted + ">>");
  }
}

TEST(ConvertCommands, WidthChangesLeaveTheCaretBehindTheResult) {
  const std::string wide = Sjis("ＡＢ　１２");
  MemoryEditor editor("x" + wide + "y");
  editor.SetSelStart(1);
  editor.SetSelLength(static_cast<int>(wide.size()));
  EXPECT_TRUE(ConvertSelection(editor, TextMapping::kHalfWidth));
  EXPECT_EQ(editor.Text(), "xAB 12y");
  EXPECT_EQ(editor.SelStart(), 6);
  editor.SetSelStart(1);
  editor.SetSelLength(5);
  EXPECT_TRUE(ConvertSelection(editor, TextMapping::kFullWidth));
  EXPECT_EQ(editor.Text(), "x" + wide + "y");
  EXPECT_EQ(editor.SelStart(), 1 + static_cast<int>(wide.size()));

  MemoryEditor nothing("abc");  // nothing selected changes nothing
  nothing.SetSelStart(1);
  EXPECT_FALSE(ConvertSelection(nothing, TextMapping::kUpperCase));
  EXPECT_FALSE(nothing.CanUndo());
}

}  // namespace
}  // namespace qy
