#include "core/codec.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/cp932.h"

namespace qy {
namespace {

using namespace std::string_literals;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::u32string Utf32(const std::u16string& s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    }
    out += c;
  }
  return out;
}

std::u32string Decode(std::initializer_list<int> bytes) {
  return Utf32(Cp932ToUtf16(Bytes(bytes)));
}

constexpr char32_t kMarker2 = kDuplicateMarker1 - 1;

void ExpectRoundTrip(const std::string& sjis) {
  bool lossy = true;
  EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(sjis), &lossy), sjis);
  EXPECT_FALSE(lossy);
  lossy = true;
  EXPECT_EQ(Utf16ToCp932(Cp932ToUtf16(sjis), &lossy), sjis);
  EXPECT_FALSE(lossy);
}

// Every byte and every pair, between ASCII, comes back byte for byte; defined
// characters never decode to the reserved code points, and each duplicate
// code shows its character, which has a code of its own.
TEST(CodecRoundTrip, EveryByteAndPair) {
  for (int b = 0; b < 0x100; ++b) ExpectRoundTrip(Bytes({'x', b, 'y'}));
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail < 0x100; ++trail) {
      SCOPED_TRACE(testing::Message() << std::hex << lead << " " << trail);
      const std::string code = Bytes({lead, trail});
      ExpectRoundTrip("a" + code + "z");
      if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
      const std::u32string chars = Utf32(Cp932ToUtf16(code));
      ASSERT_FALSE(chars.empty());
      if (IsUndefinedBytesCodePoint(chars[0])) {
        EXPECT_EQ(chars, std::u32string(1, kUndefinedPairBase + (lead << 8 | trail)));
      } else if (chars.size() == 2) {
        EXPECT_TRUE(IsDuplicateMarker(chars[1]));
        const std::string canonical = Utf16ToCp932(Cp932ToUtf16(code).substr(0, 1));
        EXPECT_NE(canonical, code);
        EXPECT_EQ(Utf32(Cp932ToUtf16(canonical)), std::u32string{chars[0]});
      } else {
        EXPECT_LT(chars[0], 0x10000u);
      }
    }
  }
}

TEST(CodecDecode, KnownTexts) {
  const std::string text = Bytes({'A', 0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA, 0xB1, 0x82, 0xA0, 0x83,
                                  0x41, 0x81, 0x40, '\\', '~'});
  EXPECT_EQ(Cp932ToUtf8(text), "A日本語ｱあア　\\~");
  const std::string controls = "a\r\nb\rc\nd\t\x1A\0e"s;
  EXPECT_EQ(Cp932ToUtf8(controls), controls);
  EXPECT_EQ(Utf8ToCp932(controls), controls);
  // The user-defined area is the private use area.
  EXPECT_EQ(Cp932ToUtf16(Bytes({0xF0, 0x40})), u"\uE000");
  EXPECT_EQ(Cp932ToUtf16(Bytes({0xF9, 0xFC})), u"\uE757");
  EXPECT_EQ(Utf16ToCp932(u"\uE000"), Bytes({0xF0, 0x40}));
  // JIS codings of code page 932 characters are taken too.
  EXPECT_EQ(Utf8ToCp932("〜−—‖¢£¬¦"), Sjis("～－―∥￠￡￢￤"));
}

TEST(CodecDecode, UndefinedBytesUseTheReservedCodePoints) {
  // 0x85 0x40 is a well-formed pair that code page 932 leaves empty: one code
  // point, so its trail byte never shows as '@'.
  EXPECT_EQ(Decode({0x85, 0x40}), std::u32string{0x108540});
  EXPECT_EQ(Decode({0x80, 0xA0, 0xFD, 0xFE, 0xFF}),
            (std::u32string{0x10FE80, 0x10FEA0, 0x10FEFD, 0x10FEFE, 0x10FEFF}));
  // A lead byte before a byte that can not be a trail byte stands alone, as
  // does one at the end.
  EXPECT_EQ(Decode({0x82, 0x20}), (std::u32string{0x10FE82, U' '}));
  EXPECT_EQ(Decode({'A', 0x93, 0xFA, 0x96}), (std::u32string{U'A', U'日', kStrayByteBase + 0x96}));
}

TEST(CodecDuplicates, ShowTheRealCharacterAndKeepTheirBytesThroughTheirMarkers) {
  // NEC row 13 against JIS, NEC-selected IBM row 0xED against the IBM rows,
  // and three codes for one character: markers 1 and 2 in byte order.
  EXPECT_EQ(Decode({0x81, 0xE0}), std::u32string{U'≒'});
  EXPECT_EQ(Decode({0x87, 0x90}), (std::u32string{U'≒', kDuplicateMarker1}));
  EXPECT_EQ(Decode({0xED, 0x40}), (std::u32string{U'纊', kDuplicateMarker1}));
  EXPECT_EQ(Decode({0x87, 0x9A}), (std::u32string{U'∵', kDuplicateMarker1}));
  EXPECT_EQ(Decode({0xFA, 0x5B}), (std::u32string{U'∵', kMarker2}));
  EXPECT_EQ(Utf16ToCp932(u"∵"), Bytes({0x81, 0xE6}));
  // Orphan or unknown markers are dropped.
  bool lossy = true;
  EXPECT_EQ(Utf16ToCp932(u"A\U000E01EFB", &lossy), "AB");
  EXPECT_FALSE(lossy);
  // ≒ has one other code only: marker 2 falls back to the canonical code.
  EXPECT_EQ(Utf16ToCp932(u"≒\U000E01EE"), Bytes({0x81, 0xE0}));
  // Text typed between the character and its marker takes the marker's place.
  EXPECT_EQ(Utf16ToCp932(u"≒x\U000E01EF"), Bytes({0x81, 0xE0, 'x'}));
  // A second marker does not apply again.
  EXPECT_EQ(Utf16ToCp932(u"≒\U000E01EF\U000E01EF"), Bytes({0x87, 0x90}));
  EXPECT_EQ(Utf8ToCp932("\xF3\xA0\x87\xAF"), "");  // U+E01EF alone
}

TEST(CodecEncode, LossyInputBecomesQuestionMarksOrIsDropped) {
  // An emoji, the yen sign (not the markup backslash), a variation selector,
  // a byte never in UTF-8, truncation at the end, an overlong '/', an encoded
  // surrogate, truncation in the middle, a value above U+10FFFF and a stray
  // continuation byte.
  const std::pair<std::string, std::string> utf8[] = {
      {"a😀b", "a?b"},          {"¥100", "?100"},    {"A\xEF\xB8\x8F", "A"},
      {"\xFF", "?"},           {"a\xC3", "a?"},     {"\xC0\xAF", "??"},
      {"\xED\xA0\x80", "???"}, {"\xE6\x97z", "?z"}, {"\xF4\x90\x80\x80", "????"},
      {"\x80x", "?x"}};
  for (const auto& [in, out] : utf8) {
    bool lossy = false;
    EXPECT_EQ(Utf8ToCp932(in, &lossy), out) << in;
    EXPECT_TRUE(lossy) << in;
  }
  // The reserved range outside its used parts, a variation selector and lone
  // surrogates.
  const std::pair<std::u16string, std::string> utf16[] = {
      {u"\U0010FD00\U00100041\U00108100", "???"},
      {u"葛\U000E0100", Sjis("葛")},
      {{u'a', char16_t{0xD800}, u'b', char16_t{0xDC00}}, "a?b?"}};
  for (const auto& [in, out] : utf16) {
    bool lossy = false;
    EXPECT_EQ(Utf16ToCp932(in, &lossy), out) << out;
    EXPECT_TRUE(lossy) << out;
  }
}

}  // namespace
}  // namespace qy
