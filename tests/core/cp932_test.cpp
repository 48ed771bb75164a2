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

TEST(Cp932Bytes, LeadTrailAndCharacterLengths) {
  for (int b : {0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(IsLeadByte(b)) << b;
  for (int b : {0x3F, 0x7F, 0xFD}) EXPECT_FALSE(IsTrailByte(b)) << b;
  // "a" + ア (0x83 0x41) + a stray lead before a blank + ｱ + a lead at the end.
  const std::string text = Bytes({'a', 0x83, 0x41, 0x81, ' ', 0xB1, 0x82});
  const std::size_t lengths[] = {1, 2, 0, 1, 1, 1, 1, 0};
  for (std::size_t i : {0, 1, 3, 4, 5, 6, 7}) EXPECT_EQ(CharLengthAt(text, i), lengths[i]) << i;
  EXPECT_FALSE(IsCharBoundary(text, 9));
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

// {from, forward hit, backward hit} of "a" in "aアaアa" (a at 0, 3, 6): never
// at the trail byte 0x41 of ア, from inside a character or past the end.
TEST(Cp932Find, NeverMatchesAtATrailByte) {
  const std::string text = Sjis("aアaアa");
  constexpr std::size_t kNone = std::string::npos;
  const std::size_t cases[][3] = {{0, 0, 0}, {1, 3, 0}, {2, 3, 0}, {3, 3, 3}, {7, kNone, 6}};
  for (const auto& [from, forward, backward] : cases) {
    EXPECT_EQ(FindBytes(text, "a", from), forward) << from;
    EXPECT_EQ(FindBytesBackward(text, "a", from), backward) << from;
  }
  EXPECT_EQ(FindBytes(Sjis("アア"), "\x41\x83"), kNone);
  EXPECT_EQ(FindBytesBackward(Sjis("表"), "\\"), kNone);
  EXPECT_EQ(FindBytesBackward(text, Sjis("アaア")), 1u);
  EXPECT_EQ(FindBytesBackward(text, ""), text.size());
}

TEST(Cp932Lines, SplitOnEveryKindOfLineEndAndJoinWithCrLf) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("\n\r"), (Lines{"", ""}));  // LF then a lone CR
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb");
}

TEST(Cp932Field, LimitCutsAtACharacterBoundary) {
  EXPECT_EQ(LimitField(std::string(300, 'x')), std::string(255, 'x'));
  // A double-byte character across the limit is dropped whole, one that ends
  // at it kept.
  EXPECT_EQ(LimitField(std::string(253, 'x') + Sjis("表") + "tail"),
            std::string(253, 'x') + Sjis("表"));
  EXPECT_EQ(LimitField(Sjis("ab表"), 3), "ab");
}

TEST(Cp932Case, AsciiFoldingLeavesTrailBytesAlone) {
  // ア = 0x83 0x41, ド = 0x83 0x68.
  EXPECT_EQ(AsciiUpper(Sjis("aアbド")), Sjis("AアBド"));
  EXPECT_EQ(AsciiLower(Sjis("AアBドＡ")), Sjis("aアbドＡ"));
  EXPECT_TRUE(EqualsIgnoreAsciiCase(Sjis("helpアa"), Sjis("HELPアA")));
  EXPECT_FALSE(EqualsIgnoreAsciiCase(Bytes({0x83, 0x41}), Bytes({0x83, 0x61})));
}

}  // namespace
}  // namespace qy
