#include "markup/format_font_effects.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/memory_editor.h"

namespace qy {
namespace {

using Words = std::vector<std::string>;

TEST(FontEffects, WordsComeInFontStyleSizeColourOrderAndOnlyForChanges) {
  ProjectHeader header = ProjectHeader::Defaults();
  header.FontNameIndex = 2;
  header.FontSizeIndex = 5;
  const FontEffects start = InitialFontEffects(header);
  MemoryEditor unchanged("abc");
  unchanged.SetSelLength(3);
  EXPECT_FALSE(ApplyFontEffects(unchanged, start, header));
  EXPECT_EQ(unchanged.Text(), "abc");

  FontEffects e = start;
  e.font = 3;
  e.size = 8;
  e.style = FontStyle::kBoldItalic;
  e.colour = 6;
  EXPECT_EQ(FontEffectWords(e, header), (Words{"\\f3", "\\b", "\\i", "\\fs40", "\\cf6"}));
  e = start;
  e.style = FontStyle::kBold;
  e.size = 0;
  EXPECT_EQ(FontEffectWords(e, header), (Words{"\\b", "\\fs16"}));
}

TEST(FontEffects, OkMergesIntoTheSelectionOrInsertsAnEmptyGroup) {
  const ProjectHeader header = ProjectHeader::Defaults();
  FontEffects e = InitialFontEffects(header);
  e.colour = 16;
  MemoryEditor editor("{\\b word}");
  editor.SetSelLength(9);
  EXPECT_TRUE(ApplyFontEffects(editor, e, header));
  EXPECT_EQ(editor.Text(), "{\\b\\cf16 word}");
  MemoryEditor empty("ab");
  empty.SetSelStart(1);
  EXPECT_TRUE(ApplyFontEffects(empty, e, header));
  EXPECT_EQ(empty.Text(), "a{\\cf16 }b");
}

TEST(FontEffects, SampleBackgroundComesFromTheFirstWindow) {
  EXPECT_EQ(SampleBackgroundColour("a=\"\",,1,(r255)\r\nb=\"\",,1,(r0)"), 255u);
  EXPECT_EQ(SampleBackgroundColour("main=\"\",,27648,(r123456789)"), 12345678u);
  EXPECT_EQ(SampleBackgroundColour("main=\"\",,27648,(rx12)"), std::nullopt);
}

}  // namespace
}  // namespace qy
