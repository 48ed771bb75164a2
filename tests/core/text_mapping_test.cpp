#include "core/text_mapping.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "core/codec.h"
#include "core/cp932.h"

namespace qy {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Upper(std::string_view s) { return MapText(s, TextMapping::kUpperCase); }
std::string Lower(std::string_view s) { return MapText(s, TextMapping::kLowerCase); }
std::string Half(std::string_view s) { return MapText(s, TextMapping::kHalfWidth); }
std::string Full(std::string_view s) { return MapText(s, TextMapping::kFullWidth); }
std::string Hiragana(std::string_view s) { return MapText(s, TextMapping::kHiragana); }
std::string Katakana(std::string_view s) { return MapText(s, TextMapping::kKatakana); }

constexpr TextMapping kAllMappings[] = {TextMapping::kUpperCase, TextMapping::kLowerCase,
                                        TextMapping::kHalfWidth, TextMapping::kFullWidth,
                                        TextMapping::kHiragana,  TextMapping::kKatakana};

// Every single byte and every double-byte code, one after the other.
std::string EveryCode() {
  std::string all;
  for (int b = 0; b < 0x100; ++b) {
    if (!IsLeadByte(static_cast<unsigned char>(b))) all += static_cast<char>(b);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (IsLeadByte(static_cast<unsigned char>(lead)) &&
          IsTrailByte(static_cast<unsigned char>(trail))) {
        all += Bytes({lead, trail});
      }
    }
  }
  return all;
}

TEST(TextMappingCase, ChangesOnlyLettersAndKeepsByteLength) {
  const std::string text = Sjis("Help 日本語のtopic ＡｂＣ 123!");
  const std::string upper = Upper(text);
  EXPECT_EQ(upper, Sjis("HELP 日本語のTOPIC ＡＢＣ 123!"));
  EXPECT_EQ(upper.size(), text.size());
  EXPECT_EQ(Lower(text), Sjis("help 日本語のtopic ａｂｃ 123!"));
}

TEST(TextMappingCase, TrailBytesThatLookLikeLettersStay) {
  // ア is 0x83 0x41 ("A" as trail byte), ド is 0x83 0x68 ("h"), 表 is 0x95 0x5C.
  ASSERT_EQ(Sjis("ア"), Bytes({0x83, 0x41}));
  ASSERT_EQ(Sjis("ド"), Bytes({0x83, 0x68}));
  const std::string text = Sjis("aアbドc表");
  EXPECT_EQ(Upper(text), Sjis("AアBドC表"));
  EXPECT_EQ(Lower(Sjis("AアBド")), Sjis("aアbド"));
  // An undefined pair with a letter as trail byte stays whole.
  EXPECT_EQ(Upper(Bytes({0x85, 'a', 'a'})), Bytes({0x85, 'a', 'A'}));
}

TEST(TextMappingCase, OtherScriptsOfCodePage932) {
  EXPECT_EQ(Upper(Sjis("αωабёⅰⅹ")), Sjis("ΑΩАБЁⅠⅩ"));
  EXPECT_EQ(Lower(Sjis("ΑΩАБЁⅠⅩ")), Sjis("αωабёⅰⅹ"));
  // ⅰ in the NEC-selected IBM row (0xEEEF) becomes the one Ⅰ (0x8754).
  EXPECT_EQ(Upper(Bytes({0xEE, 0xEF})), Bytes({0x87, 0x54}));
}

TEST(TextMappingCase, EveryPositionStaysACharacterBoundary) {
  const std::string all = EveryCode();
  for (TextMapping m : {TextMapping::kUpperCase, TextMapping::kLowerCase, TextMapping::kHiragana,
                        TextMapping::kKatakana}) {
    const std::string mapped = MapText(all, m);
    ASSERT_EQ(mapped.size(), all.size());
    for (std::size_t i = 0; i < all.size(); i += CharLengthAt(all, i)) {
      ASSERT_EQ(CharLengthAt(mapped, i), CharLengthAt(all, i)) << i;
    }
  }
}

TEST(TextMappingWidth, HalfWidthOfLettersBlankAndDigitsIsShorterAscii) {
  const std::string text = Sjis("ＡＢＣ　ｘｙｚ１２３");
  const std::string half = Half(text);
  EXPECT_EQ(half, "ABC xyz123");
  EXPECT_LT(half.size(), text.size());
  EXPECT_EQ(Half(Sjis("！＃（）［］｛｝＠－～＼￥")), "!#()[]{}@-~\\\\");
}

TEST(TextMappingWidth, HalfWidthKatakanaSplitsVoicedMarks) {
  EXPECT_EQ(Half(Sjis("ガギパピヴカナ")), Sjis("ｶﾞｷﾞﾊﾟﾋﾟｳﾞｶﾅ"));
  EXPECT_EQ(Half(Sjis("。「」、・ー゛゜ァッ")), Sjis("｡｢｣､･ｰﾞﾟｧｯ"));
  // No half-width form: stays.
  EXPECT_EQ(Half(Sjis("ひらがな漢字ヵヶヮヰヱ")), Sjis("ひらがな漢字ヵヶヮヰヱ"));
}

TEST(TextMappingWidth, FullWidthJoinsFollowingVoicedMarks) {
  EXPECT_EQ(Full(Sjis("ｶﾞｷﾟﾊﾟﾊﾞｳﾞﾜﾞ")), Sjis("ガキ゜パバヴワ゛"));
  EXPECT_EQ(Full(Sjis("ﾞﾟAﾞｶ")), Sjis("゛゜Ａ゛カ"));
  EXPECT_EQ(Full(Sjis("｡｢｣､･ｰｧｯ")), Sjis("。「」、・ーァッ"));
  // A half-width katakana before a double-byte character is not joined.
  EXPECT_EQ(Full(Sjis("ｶア")), Sjis("カア"));
}

TEST(TextMappingWidth, FullWidthOfAscii) {
  EXPECT_EQ(Full("ABC xyz 123"), Sjis("ＡＢＣ　ｘｙｚ　１２３"));
  EXPECT_EQ(Full("\\~-"), Sjis("￥～－"));
  EXPECT_EQ(Full("\r\n"), "\r\n");
}

TEST(TextMappingWidth, EveryHalfWidthKatakanaComesBack) {
  std::string kana;
  for (int b = 0xA1; b <= 0xDF; ++b) kana += static_cast<char>(b);
  EXPECT_EQ(Half(Full(kana)), kana);
  std::string printable;
  for (int b = 0x20; b <= 0x7E; ++b) printable += static_cast<char>(b);
  EXPECT_EQ(Half(Full(printable)), printable);
  EXPECT_EQ(Full(printable).size(), 2 * printable.size());
}

TEST(TextMappingKana, KatakanaAndHiraganaKeepTheLength) {
  const std::string hiragana = Sjis("ひらがなでゝゞをぁゎ");
  const std::string katakana = Katakana(hiragana);
  EXPECT_EQ(katakana, Sjis("ヒラガナデヽヾヲァヮ"));
  EXPECT_EQ(katakana.size(), hiragana.size());
  EXPECT_EQ(Hiragana(katakana), hiragana);
}

TEST(TextMappingKana, KanaWithoutACounterpartStay) {
  EXPECT_EQ(Hiragana(Sjis("ヴヵヶｶﾞ漢A")), Sjis("ヴヵヶｶﾞ漢A"));
  EXPECT_EQ(Hiragana(Sjis("ガヴ")), Sjis("がヴ"));
}

TEST(TextMappingBytes, InvalidDuplicateAndNoBytesPassThrough) {
  // Stray bytes, an undefined pair, duplicate codes (≒ of NEC row 13, a kanji
  // of row 0xED) and a lead byte cut off at the end.
  const std::string odd =
      Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x85, 0x40, 0x87, 0x90, 0xED, 0x40, 0x81, 0x0A});
  for (TextMapping m : kAllMappings) {
    EXPECT_EQ(MapText(odd, m), odd) << static_cast<int>(m);
    EXPECT_EQ(MapText(odd + "\x82", m), odd + "\x82") << static_cast<int>(m);
    EXPECT_EQ(MapText("", m), "");
  }
  EXPECT_EQ(Upper(Bytes({0x80, 'a', 0xFF})), Bytes({0x80, 'A', 0xFF}));
  EXPECT_EQ(Full(Bytes({0x80, ' ', 0xFF})), Bytes({0x80, 0x81, 0x40, 0xFF}));
}

}  // namespace
}  // namespace qy
