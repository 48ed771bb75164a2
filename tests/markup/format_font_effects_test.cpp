#include "markup/format_font_effects.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/memory_editor.h"

namespace qy {
namespace {

using Words = std::vector<std::string>;

ProjectHeader Defaults(int font, int size) {
  ProjectHeader h = ProjectHeader::Defaults();
  h.FontNameIndex = font;
  h.FontSizeIndex = size;
  return h;
}

TEST(FontEffects, ProjectDefaultsNeedNoWordsAndInsertNothing) {
  const ProjectHeader header = Defaults(2, 5);
  const FontEffects start = InitialFontEffects(header);
  EXPECT_EQ(start.font, 2);
  EXPECT_EQ(start.size, 5);
  EXPECT_EQ(start.style, FontStyle::kRegular);
  EXPECT_EQ(start.colour, 1);
  EXPECT_TRUE(FontEffectWords(start, header).empty());

  MemoryEditor editor("abc");
  editor.SetSelLength(3);
  EXPECT_FALSE(ApplyFontEffects(editor, start, header));
  EXPECT_EQ(editor.Text(), "abc");
}

TEST(FontEffects, WordsComeInFontStyleSizeColourOrder) {
  const ProjectHeader header = Defaults(0, 3);
  FontEffects e = InitialFontEffects(header);
  e.font = 3;
  e.size = 8;
  EXPECT_EQ(FontEffectWords(e, header), (Words{"\\f3", "\\fs40"}));
  e.style = FontStyle::kBoldItalic;
  e.colour = 6;
  EXPECT_EQ(FontEffectWords(e, header), (Words{"\\f3", "\\b", "\\i", "\\fs40", "\\cf6"}));
  e = InitialFontEffects(header);
  e.style = FontStyle::kItalic;
  e.size = 15;
  EXPECT_EQ(FontEffectWords(e, header), (Words{"\\i", "\\fs144"}));
  e.style = FontStyle::kBold;
  e.size = 0;
  EXPECT_EQ(FontEffectWords(e, header), (Words{"\\b", "\\fs16"}));
}

TEST(FontEffects, OkMergesIntoTheSelectionOrInsertsAnEmptyGroup) {
  const ProjectHeader header = Defaults(0, 3);
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

TEST(FontEffects, ListsAndSample) {
  ASSERT_EQ(FontChoiceNames().size(), 9u);
  EXPECT_EQ(FontChoiceNames()[0], Sjis("ＭＳ Ｐゴシック"));
  EXPECT_EQ(FontChoiceNames()[8], "MS UI Gothic");
  EXPECT_EQ(FontSizeNames().back(), "72");
  EXPECT_EQ(FontSampleText(kSymbolFont), "AaBbYyZz");
  EXPECT_EQ(FontSampleText(0), Sjis("Aaあぁアァ亜阿字"));
}

TEST(FontEffects, SampleBackgroundComesFromTheFirstWindow) {
  EXPECT_EQ(SampleBackgroundColour(kDefaultWindowsSection), 14876671u);
  EXPECT_EQ(SampleBackgroundColour("a=\"\",,1,(r255)\r\nb=\"\",,1,(r0)"), 255u);
  EXPECT_EQ(SampleBackgroundColour("main=\"\",,27648,(r123456789)"), 12345678u);
  EXPECT_EQ(SampleBackgroundColour("main=\"\",,27648,(rx12)"), std::nullopt);
  EXPECT_EQ(SampleBackgroundColour("main=\"\",,27648,(r)"), std::nullopt);
  EXPECT_EQ(SampleBackgroundColour("main=\"\",,27648"), std::nullopt);
}

}  // namespace
}  // namespace qy
