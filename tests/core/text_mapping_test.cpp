#include "core/text_mapping.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>

#include "core/codec.h"
#include "core/cp932.h"

namespace qy {
namespace {

using M = TextMapping;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

// Shift-JIS texts written in UTF-8: {mapping, text, result}. Each
// character's case is checked against ICU in icu_cross_check_test.
TEST(TextMapping, KnownTexts) {
  const std::tuple<M, const char*, const char*> cases[] = {
      // Trail bytes that look like letters stay: ア 0x83 0x41, ド 0x83 0x68.
      {M::kUpperCase, "aアbドc表", "AアBドC表"},
      {M::kHalfWidth, "ＡＢＣ　ｘｙｚ１２３", "ABC xyz123"},
      {M::kHalfWidth, "！＃（）［］｛｝＠－～＼￥", "!#()[]{}@-~\\\\"},
      {M::kHalfWidth, "ガギパピヴカナ。「」、・ー゛゜ァッ", "ｶﾞｷﾞﾊﾟﾋﾟｳﾞｶﾅ｡｢｣､･ｰﾞﾟｧｯ"},
      {M::kHalfWidth, "ひらがな漢字ヵヶヮヰヱ", "ひらがな漢字ヵヶヮヰヱ"},  // no half form
      {M::kFullWidth, "ｶﾞｷﾟﾊﾟﾊﾞｳﾞﾜﾞ", "ガキ゜パバヴワ゛"},
      {M::kFullWidth, "ﾞﾟAﾞｶ", "゛゜Ａ゛カ"},
      {M::kFullWidth, "ｶア", "カア"},  // not joined with a double-byte character
      {M::kFullWidth, "AB x\\~-\r\n", "ＡＢ　ｘ￥～－\r\n"},
      {M::kKatakana, "ひらがなでゝゞをぁゎ", "ヒラガナデヽヾヲァヮ"},
      {M::kHiragana, "ガヴヵヶｶﾞ漢A", "がヴヵヶｶﾞ漢A"},  // no counterpart: stays
  };
  for (const auto& [mapping, text, result] : cases) {
    EXPECT_EQ(MapText(Sjis(text), mapping), Sjis(result)) << text;
  }
  // Every printable ASCII character and half-width katakana comes back.
  std::string text;
  for (int b = 0x20; b <= 0x7E; ++b) text += static_cast<char>(b);
  for (int b = 0xA1; b <= 0xDF; ++b) text += static_cast<char>(b);
  EXPECT_EQ(MapText(MapText(text, M::kFullWidth), M::kHalfWidth), text);
}

TEST(TextMapping, CaseAndKanaKeepEveryCharacterBoundary) {
  std::string all;
  for (int b = 0; b < 0x100; ++b) {
    if (!IsLeadByte(static_cast<unsigned char>(b))) all += static_cast<char>(b);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (IsLeadByte(lead) && IsTrailByte(trail)) all += Bytes({lead, trail});
    }
  }
  for (M m : {M::kUpperCase, M::kLowerCase, M::kHiragana, M::kKatakana}) {
    const std::string mapped = MapText(all, m);
    ASSERT_EQ(mapped.size(), all.size());
    for (std::size_t i = 0; i < all.size(); i += CharLengthAt(all, i)) {
      ASSERT_EQ(CharLengthAt(mapped, i), CharLengthAt(all, i)) << i;
    }
  }
}

TEST(TextMapping, InvalidDuplicateAndNoBytesPassThrough) {
  // Stray bytes, an undefined pair, duplicate codes (≒ of NEC row 13, a kanji
  // of row 0xED) and a lead byte cut off at the end.
  const std::string odd =
      Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x85, 0x40, 0x87, 0x90, 0xED, 0x40, 0x81, 0x0A});
  for (M m :
       {M::kUpperCase, M::kLowerCase, M::kHalfWidth, M::kFullWidth, M::kHiragana, M::kKatakana}) {
    EXPECT_EQ(MapText(odd + "\x82", m), odd + "\x82") << static_cast<int>(m);
  }
  EXPECT_EQ(MapText(Bytes({0x85, 'a', 'a'}), M::kUpperCase), Bytes({0x85, 'a', 'A'}));
  EXPECT_EQ(MapText(Bytes({0x80, ' ', 0xFF}), M::kFullWidth), Bytes({0x80, 0x81, 0x40, 0xFF}));
}

}  // namespace
}  // namespace qy
