#include "core/cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "core/codec.h"

namespace qy {
namespace {

using Lines = std::vector<std::string>;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

TEST(Cp932Bytes, LeadAndTrailPredicatesAtTheirBoundaries) {
  for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(IsLeadByte(b)) << b;
  for (int b : {0x00, 0x40, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF}) EXPECT_FALSE(IsLeadByte(b)) << b;
  for (int b : {0x40, 0x7E, 0x80, 0xFC}) EXPECT_TRUE(IsTrailByte(b)) << b;
  for (int b : {0x00, 0x3F, 0x7F, 0xFD, 0xFF}) EXPECT_FALSE(IsTrailByte(b)) << b;
}

TEST(Cp932Bytes, CharacterLengthsAndBoundaries) {
  // "a" + ア (0x83 0x41) + a stray lead before a blank + ｱ + a lead at the end.
  const std::string text = Bytes({'a', 0x83, 0x41, 0x81, ' ', 0xB1, 0x82});
  EXPECT_EQ(CharLengthAt(text, 0), 1u);
  EXPECT_EQ(CharLengthAt(text, 1), 2u);
  EXPECT_EQ(CharLengthAt(text, 3), 1u);
  EXPECT_EQ(CharLengthAt(text, 5), 1u);
  EXPECT_EQ(CharLengthAt(text, 6), 1u);
  EXPECT_EQ(CharLengthAt(text, 7), 0u);
  const bool boundary[] = {true, true, false, true, true, true, true, true};
  for (std::size_t i = 0; i <= text.size(); ++i) {
    EXPECT_EQ(IsCharBoundary(text, i), boundary[i]) << i;
  }
  EXPECT_FALSE(IsCharBoundary(text, 9));
  EXPECT_EQ(FloorCharBoundary(text, 2), 1u);
  EXPECT_EQ(FloorCharBoundary(text, 3), 3u);
  EXPECT_EQ(FloorCharBoundary(text, 100), text.size());
}

// The boundary checks look back only over a short run of bytes; a walk
// from the start of the text is the reference. Runs of lead bytes (each also
// a valid trail byte) of odd and even length, invalid trail bytes and a lead
// byte at the end are the cases that tell the two apart.
TEST(Cp932Bytes, BoundaryChecksAgreeWithAWalkFromTheStart) {
  const int alphabet[] = {'a',  ' ',  0x5C, 0x7B, 0x40, 0x7F, 0x80,
                          0x81, 0x83, 0x9F, 0xA0, 0xE0, 0xFC, 0xFD};
  unsigned seed = 12345;
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const int size = round % 23;
    for (int i = 0; i < size; ++i) {
      seed = seed * 1103515245u + 12345u;
      text += static_cast<char>(alphabet[(seed >> 16) % std::size(alphabet)]);
    }
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t i = 0; i <= text.size();
         i += std::max<std::size_t>(1, CharLengthAt(text, i))) {
      starts[i] = true;
    }
    for (std::size_t pos = 0; pos <= text.size(); ++pos) {
      EXPECT_EQ(IsCharBoundary(text, pos), starts[pos]) << round << " " << pos;
      std::size_t floor = pos;
      while (!starts[floor]) --floor;
      EXPECT_EQ(FloorCharBoundary(text, pos), floor) << round << " " << pos;
      std::size_t next = pos;
      while (!starts[next]) ++next;
      for (std::size_t known = 0; known <= pos; ++known) {
        if (!starts[known]) continue;
        EXPECT_EQ(NextCharBoundary(text, known, pos), next) << round << " " << pos;
      }
    }
  }
}

TEST(Cp932Find, NeverMatchesAtATrailByte) {
  EXPECT_EQ(FindBytes(Sjis("ア"), "A"), std::string::npos);
  EXPECT_EQ(FindBytes(Sjis("表"), "\\"), std::string::npos);
  EXPECT_EQ(FindBytesBackward(Sjis("ア"), "A"), std::string::npos);
  EXPECT_EQ(FindBytesBackward(Sjis("表"), "\\"), std::string::npos);
  // The same bytes as characters of their own are found.
  const std::string text = Sjis("表\\表\\");
  EXPECT_EQ(FindBytes(text, "\\"), 2u);
  EXPECT_EQ(FindBytesBackward(text, "\\"), 5u);
  // A needle that would start on the trail byte of ア (0x83 0x41 0x83 0x41).
  EXPECT_EQ(FindBytes(Sjis("アア"), Bytes({0x41, 0x83})), std::string::npos);
}

TEST(Cp932Find, FromOffsets) {
  const std::string text = Sjis("aアaアa");  // a=0, ア=1, a=3, ア=4, a=6
  constexpr std::size_t kNone = std::string::npos;
  // {from, forward hit, backward hit}; 2 is inside the first ア.
  const std::size_t a_cases[][3] = {{0, 0, 0},     {1, 3, 0},     {2, 3, 0},
                                    {3, 3, 3},     {4, 6, 3},     {5, 6, 3},
                                    {7, kNone, 6}, {8, kNone, 6}, {99, kNone, 6}};
  for (const auto& [from, forward, backward] : a_cases) {
    EXPECT_EQ(FindBytes(text, "a", from), forward) << from;
    EXPECT_EQ(FindBytesBackward(text, "a", from), backward) << from;
  }
  EXPECT_EQ(FindBytes(text, "", 2), 3u);
  EXPECT_EQ(FindBytes(text, "", 7), 7u);
  EXPECT_EQ(FindBytesBackward(text, Sjis("ア"), 3), 1u);
  EXPECT_EQ(FindBytesBackward(text, Sjis("アaア")), 1u);
  EXPECT_EQ(FindBytesBackward(text, "aaaaaaaaa"), std::string::npos);
  EXPECT_EQ(FindBytesBackward(text, ""), text.size());
  EXPECT_EQ(FindBytesBackward("", "a"), std::string::npos);
}

TEST(Cp932Lines, SplitOnEveryKindOfLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines("\r\n"), Lines{""});
  EXPECT_EQ(SplitLines("\n\r"), (Lines{"", ""}));  // LF then a lone CR
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines(Sjis("表\r\nソ")), (Lines{Sjis("表"), Sjis("ソ")}));
}

TEST(Cp932Lines, JoinUsesCrLfBetweenLines) {
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb");
  EXPECT_EQ(JoinLines({"a"}), "a");
  EXPECT_EQ(JoinLines({}), "");
  const std::string text = "x\r\ny\r\n\r\nz";
  EXPECT_EQ(JoinLines(SplitLines(text)), text);
}

TEST(Cp932Field, LimitCutsAtACharacterBoundary) {
  EXPECT_EQ(LimitField(std::string(300, 'x')), std::string(255, 'x'));
  EXPECT_EQ(LimitField(std::string(255, 'x')).size(), 255u);
  // A double-byte character across the limit is dropped whole.
  const std::string cut = LimitField(std::string(254, 'x') + Sjis("表") + "tail");
  EXPECT_EQ(cut, std::string(254, 'x'));
  std::string kanji;
  for (int i = 0; i < 150; ++i) kanji += Sjis("漢");
  EXPECT_EQ(LimitField(kanji).size(), 254u);
  EXPECT_EQ(LimitField(Sjis("ab表"), 3), "ab");
  EXPECT_EQ(LimitField("short"), "short");
}

TEST(Cp932Case, AsciiFoldingLeavesTrailBytesAlone) {
  // ア = 0x83 0x41, ド = 0x83 0x68.
  EXPECT_EQ(AsciiUpper(Sjis("aアbド")), Sjis("AアBド"));
  EXPECT_EQ(AsciiLower(Sjis("AアBドＡ")), Sjis("aアbドＡ"));
  EXPECT_TRUE(EqualsIgnoreAsciiCase(Sjis("helpアa"), Sjis("HELPアA")));
  // 0x83 0x41 and 0x83 0x61 are different characters, not two cases.
  EXPECT_FALSE(EqualsIgnoreAsciiCase(Bytes({0x83, 0x41}), Bytes({0x83, 0x61})));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("abc", "abcd"));
}

}  // namespace
}  // namespace qy
