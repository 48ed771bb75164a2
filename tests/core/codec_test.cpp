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

std::u16string Utf16(const std::u32string& s) {
  std::u16string out;
  for (char32_t c : s) {
    if (c < 0x10000) {
      out += static_cast<char16_t>(c);
    } else {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::vector<int> LeadBytes() {
  std::vector<int> leads;
  for (int b = 0; b < 0x100; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) leads.push_back(b);
  }
  return leads;
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

TEST(CodecRoundTrip, EverySingleByte) {
  for (int b = 0; b < 0x100; ++b) {
    SCOPED_TRACE(b);
    ExpectRoundTrip(Bytes({b}));
    ExpectRoundTrip(Bytes({'x', b, 'y'}));
  }
}

TEST(CodecRoundTrip, EveryLeadTrailPair) {
  for (int lead : LeadBytes()) {
    for (int trail = 0; trail < 0x100; ++trail) {
      SCOPED_TRACE(testing::Message() << std::hex << lead << " " << trail);
      ExpectRoundTrip(Bytes({lead, trail}));
      ExpectRoundTrip(Bytes({'a', lead, trail, 'z'}));
    }
  }
}

TEST(CodecRoundTrip, AllPairsInOneText) {
  std::string all;
  for (int lead : LeadBytes()) {
    for (int trail = 0; trail < 0x100; ++trail) all += Bytes({lead, trail});
  }
  ExpectRoundTrip(all);
}

TEST(CodecRoundTrip, TruncatedLeadByteAtEnd) {
  const std::string text = Bytes({'A', 0x93, 0xFA, 0x96});  // "A" + "日" + half a "本"
  EXPECT_EQ(Utf32(Cp932ToUtf16(text)), (std::u32string{U'A', U'日', kStrayByteBase + 0x96}));
  ExpectRoundTrip(text);
}

TEST(CodecRoundTrip, CrLfAndControlBytesUntouched) {
  const std::string text = "a\r\nb\rc\nd\t\x1A\0e"s;
  EXPECT_EQ(Cp932ToUtf8(text), text);
  EXPECT_EQ(Utf8ToCp932(text), text);
}

TEST(CodecDecode, MixedAsciiKanaAndKanji) {
  const std::string text = Bytes({'A', 0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA, 0xB1, 0x82, 0xA0, 0x83,
                                  0x41, 0x81, 0x40, '\\', '~'});
  EXPECT_EQ(Cp932ToUtf8(text), "A日本語ｱあア　\\~");
  EXPECT_EQ(Cp932ToUtf16(text), u"A日本語ｱあア　\\~");
  EXPECT_EQ(Cp932ToUtf16(Bytes({0xB1})), u"\uFF71");
  EXPECT_EQ(Sjis("日本語"), Bytes({0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA}));
}

TEST(CodecDecode, UserDefinedAreaIsTheBmpPrivateUseArea) {
  EXPECT_EQ(Cp932ToUtf16(Bytes({0xF0, 0x40})), u"\uE000");
  EXPECT_EQ(Cp932ToUtf16(Bytes({0xF9, 0xFC})), u"\uE757");
  EXPECT_EQ(Utf16ToCp932(u"\uE000"), Bytes({0xF0, 0x40}));
}

TEST(CodecDecode, UndefinedBytesUseTheReservedCodePoints) {
  // 0x85 0x40 is a well-formed pair that code page 932 leaves empty: one code
  // point, so its trail byte never shows as '@'.
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0x85, 0x40}))), std::u32string{0x108540});
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF}))),
            (std::u32string{0x10FE80, 0x10FEA0, 0x10FEFD, 0x10FEFE, 0x10FEFF}));
  // A lead byte before a byte that can not be a trail byte stands alone.
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0x82, 0x20}))), (std::u32string{0x10FE82, U' '}));
  EXPECT_TRUE(IsUndefinedBytesCodePoint(0x108540));
  EXPECT_FALSE(IsUndefinedBytesCodePoint(0xE000));
}

TEST(CodecDecode, DefinedCharactersNeverUseReservedCodePoints) {
  for (int lead : LeadBytes()) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
      std::u32string chars = Utf32(Cp932ToUtf16(Bytes({lead, trail})));
      ASSERT_FALSE(chars.empty());
      if (IsUndefinedBytesCodePoint(chars[0])) {
        EXPECT_EQ(chars, std::u32string(
                             1, static_cast<char32_t>(kUndefinedPairBase + (lead << 8 | trail))));
      } else {
        EXPECT_FALSE(IsDuplicateMarker(chars[0]));
        EXPECT_LT(chars[0], 0x10000u);
      }
    }
  }
}

TEST(CodecDuplicates, ShowTheRealCharacterAndKeepTheirBytes) {
  // NEC row 13 against JIS: 0x8790 and 0x81E0 are both U+2252.
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0x81, 0xE0}))), std::u32string{U'≒'});
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0x87, 0x90}))), (std::u32string{U'≒', kDuplicateMarker1}));
  // NEC-selected IBM row 0xED against the IBM rows.
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0xFA, 0x5C}))), std::u32string{U'纊'});
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0xED, 0x40}))), (std::u32string{U'纊', kDuplicateMarker1}));
  // Three codes for one character: markers 1 and 2 in byte order.
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0x87, 0x9A}))), (std::u32string{U'∵', kDuplicateMarker1}));
  EXPECT_EQ(Utf32(Cp932ToUtf16(Bytes({0xFA, 0x5B}))), (std::u32string{U'∵', kMarker2}));
  EXPECT_EQ(Utf16ToCp932(u"∵"), Bytes({0x81, 0xE6}));
  EXPECT_EQ(Cp932ToUtf16(Bytes({0xEE, 0xF9})), Utf16({U'￢', kDuplicateMarker1}));
  EXPECT_EQ(Cp932ToUtf16(Bytes({0xFA, 0x54})), Utf16({U'￢', kMarker2}));
  EXPECT_EQ(Utf16ToCp932(Utf16({U'￢', kMarker2})), Bytes({0xFA, 0x54}));
}

TEST(CodecDuplicates, EveryDuplicateShowsItsCanonicalCharacter) {
  int duplicates = 0;
  for (int lead : LeadBytes()) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
      const std::string code = Bytes({lead, trail});
      std::u32string chars = Utf32(Cp932ToUtf16(code));
      if (chars.size() != 2) continue;
      ++duplicates;
      SCOPED_TRACE(testing::Message() << std::hex << lead << " " << trail);
      EXPECT_TRUE(IsDuplicateMarker(chars[1]));
      // The bare character has another code, which decodes to it alone.
      std::string canonical = Utf16ToCp932(Utf16({chars[0]}));
      EXPECT_NE(canonical, code);
      EXPECT_EQ(Utf32(Cp932ToUtf16(canonical)), std::u32string{chars[0]});
    }
  }
  EXPECT_EQ(duplicates, 398);
}

TEST(CodecDuplicates, OrphanOrUnknownMarkersAreDropped) {
  bool lossy = true;
  EXPECT_EQ(Utf16ToCp932(Utf16({U'A', kDuplicateMarker1, U'B'}), &lossy), "AB");
  EXPECT_FALSE(lossy);
  // ≒ has one other code only: marker 2 falls back to the canonical code.
  EXPECT_EQ(Utf16ToCp932(Utf16({U'≒', kMarker2})), Bytes({0x81, 0xE0}));
  // Text typed between the character and its marker takes the marker's place.
  EXPECT_EQ(Utf16ToCp932(Utf16({U'≒', U'x', kDuplicateMarker1})), Bytes({0x81, 0xE0, 'x'}));
  // A second marker does not apply again.
  EXPECT_EQ(Utf16ToCp932(Utf16({U'≒', kDuplicateMarker1, kDuplicateMarker1})), Bytes({0x87, 0x90}));
  EXPECT_EQ(Utf8ToCp932("\xF3\xA0\x87\xAF"), "");  // U+E01EF alone
}

TEST(CodecEncode, LossyInputBecomesQuestionMarksOrIsDropped) {
  const std::pair<std::string, std::string> utf8[] = {
      {"a😀b", "a?b"},
      {"¥100", "?100"},              // the yen sign is not the markup backslash
      {"A\xEF\xB8\x8F", "A"},        // variation selector U+FE0F
      {"\xFF", "?"},                 // never a UTF-8 byte
      {"a\xC3", "a?"},               // truncated at the end
      {"\xC0\xAF", "??"},            // overlong '/'
      {"\xED\xA0\x80", "???"},       // encoded surrogate
      {"\xE6\x97z", "?z"},           // truncated in the middle
      {"\xF4\x90\x80\x80", "????"},  // above U+10FFFF
      {"\x80x", "?x"},               // stray continuation byte
  };
  for (const auto& [in, out] : utf8) {
    bool lossy = false;
    EXPECT_EQ(Utf8ToCp932(in, &lossy), out) << in;
    EXPECT_TRUE(lossy) << in;
  }
  const std::pair<std::u16string, std::string> utf16[] = {
      {u"😀€", "??"},
      {Utf16({0x10FD00, 0x100041, 0x108100}), "???"},  // reserved range outside its used parts
      {Utf16({U'葛', 0xE0100}), Sjis("葛")},
      {{u'a', char16_t{0xD800}, u'b', char16_t{0xDC00}}, "a?b?"},  // lone surrogates
  };
  for (const auto& [in, out] : utf16) {
    bool lossy = false;
    EXPECT_EQ(Utf16ToCp932(in, &lossy), out) << out;
    EXPECT_TRUE(lossy) << out;
  }
  bool lossy = true;
  EXPECT_EQ(Utf8ToCp932("plain", &lossy), "plain");
  EXPECT_FALSE(lossy);
}

TEST(CodecEncode, JisCodingsOfCp932CharactersAreAccepted) {
  bool lossy = true;
  EXPECT_EQ(Utf8ToCp932("〜−—‖¢£¬¦", &lossy),
            Bytes({0x81, 0x60, 0x81, 0x7C, 0x81, 0x5C, 0x81, 0x61, 0x81, 0x91, 0x81, 0x92, 0x81,
                   0xCA, 0xFA, 0x55}));
  EXPECT_FALSE(lossy);
}

}  // namespace
}  // namespace qy
