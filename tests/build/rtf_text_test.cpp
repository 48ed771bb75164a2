#include "build/rtf_text.h"

#include <gtest/gtest.h>

#include <string>

#include "build/rtf_head.h"
#include "core/codec.h"

namespace qy {
namespace {

TEST(EscapeDbcs, WritesEachDoubleByteCharacterAsTwoLowerCaseHexEscapes) {
  EXPECT_EQ(EscapeDbcs(Sjis("日")), "\\'93\\'fa");
  EXPECT_EQ(EscapeDbcs(Sjis("日本語")), "\\'93\\'fa\\'96\\'7b\\'8c\\'ea");
  EXPECT_EQ(EscapeDbcs(Sjis("ＭＳ 明朝")), "\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9");
}

TEST(EscapeDbcs, TrailBytesThatLookLikeRtfSpecialsAreEscapedWithTheirLeadByte) {
  // 表 is 95 5C and ボ is 83 7B.
  ASSERT_EQ(Sjis("表"), "\x95\x5c");
  ASSERT_EQ(Sjis("ボ"), "\x83\x7b");
  EXPECT_EQ(EscapeDbcs(Sjis("表{ボ}")), "\\'95\\'5c{\\'83\\'7b}");
}

TEST(EscapeDbcs, SingleBytesStayRaw) {
  EXPECT_EQ(EscapeDbcs("{\\b x}\\par"), "{\\b x}\\par");
  // Half-width katakana ｱ (B1) and ﾟ (DF) are single bytes.
  EXPECT_EQ(EscapeDbcs("a\xb1\xdf"), "a\xb1\xdf");
  EXPECT_EQ(EscapeDbcs("\\'93\\'fa"), "\\'93\\'fa");
  EXPECT_EQ(EscapeDbcs(""), "");
}

TEST(EscapeDbcs, LeadByteWithoutValidTrailIsCopiedAlone) {
  EXPECT_EQ(EscapeDbcs("a\x93"), "a\x93");
  EXPECT_EQ(EscapeDbcs("\x93\r\n"), "\x93\r\n");
  // The byte after a broken lead byte starts a character of its own.
  EXPECT_EQ(EscapeDbcs(std::string("\x81\x20\x93\xfa")), "\x81 \\'93\\'fa");
}

TEST(EndOfLineAddStr, CompletesLineEndsWithTheSuffix) {
  EXPECT_EQ(EndOfLineAddStr("abc", "\\par"), "abc\\par");
  EXPECT_EQ(EndOfLineAddStr("abc\r\n", "\\par"), "abc\\par\r\n\\par");
  EXPECT_EQ(EndOfLineAddStr("x\\line\r\ny", "\\par"), "x\\line\r\ny\\par");
  EXPECT_EQ(EndOfLineAddStr("x\\par}", "\\par"), "x\\par}\\par");
  EXPECT_EQ(EndOfLineAddStr("", "\\par"), "");
  EXPECT_EQ(EndOfLineAddStr("\r\n", "\\par"), "\\par\r\n\\par");
  EXPECT_EQ(EndOfLineAddStr("a\r\n\r\nb", "\\par"), "a\\par\r\n\\par\r\nb\\par");
}

TEST(EndOfLineAddStr, RecognisesOnlyExactParagraphControlWordsAtTheVeryEnd) {
  EXPECT_EQ(EndOfLineAddStr("a\\pard", "\\par"), "a\\pard");
  EXPECT_EQ(EndOfLineAddStr("a\\keepn", "\\par"), "a\\keepn");
  EXPECT_EQ(EndOfLineAddStr("a keepn", "\\par"), "a keepn\\par");
  EXPECT_EQ(EndOfLineAddStr("a\\par ", "\\par"), "a\\par \\par");
  EXPECT_EQ(EndOfLineAddStr("a\\PAR", "\\par"), "a\\PAR\\par");
  EXPECT_EQ(EndOfLineAddStr("\\par", "\\par"), "\\par");
  EXPECT_EQ(EndOfLineAddStr("\\line", "\\par"), "\\line");
}

TEST(EndOfLineAddStr, BackslashThatIsATrailByteIsNotAControlWord) {
  // 表 ends in byte 5C: "表par" has no \par word and still needs its mark.
  EXPECT_EQ(EndOfLineAddStr(Sjis("表par"), "\\par"), Sjis("表par") + "\\par");
  EXPECT_EQ(EndOfLineAddStr(Sjis("表line"), "\\par"), Sjis("表line") + "\\par");
  EXPECT_EQ(EndOfLineAddStr(Sjis("表\\par"), "\\par"), Sjis("表\\par"));
}

TEST(EndOfLineAddStr, LoneCrAndLfEndLinesAndAreRewrittenAsCrLf) {
  EXPECT_EQ(EndOfLineAddStr("a\nb\rc", "\\par"), "a\\par\r\nb\\par\r\nc\\par");
}

TEST(EndOfLineAddStr, TakesAnySuffix) {
  EXPECT_EQ(EndOfLineAddStr("a\r\nb\\line", "<br>"), "a<br>\r\nb\\line");
}

TEST(RtfHead, DamagedFontIndexesFallBackToDeclaredValues) {
  EXPECT_EQ(BuildRtfHeader(9).substr(0, 18), "{\\rtf1\\ansi \\deff0");
  EXPECT_EQ(BuildRtfHeader(-1).substr(0, 18), "{\\rtf1\\ansi \\deff0");
  EXPECT_EQ(BuildRtfHeader(8).substr(0, 18), "{\\rtf1\\ansi \\deff8");
  EXPECT_EQ(FontSizeHalfPoints(0), 16);
  EXPECT_EQ(FontSizeHalfPoints(5), 28);
  EXPECT_EQ(FontSizeHalfPoints(13), 72);
  EXPECT_EQ(FontSizeHalfPoints(15), 144);
  EXPECT_EQ(FontSizeHalfPoints(16), 22);
  EXPECT_EQ(FontSizeHalfPoints(-3), 22);
}

TEST(RtfHead, FormatLineUsesTheProjectFont) {
  ProjectModel project;
  project.Header().FontNameIndex = 5;
  project.Header().FontSizeIndex = 14;
  EXPECT_EQ(BuildTopicFormatLine(project), "\\trowd\\pard\\plain\\f5\\fs96");
  project.Header().FontNameIndex = 42;
  EXPECT_EQ(BuildTopicFormatLine(project), "\\trowd\\pard\\plain\\f0\\fs96");
}

TEST(RtfHead, ColourTableDefinesSixteenColoursAfterTheAutoEntry) {
  std::string table = BuildColorTable();
  EXPECT_EQ(table.rfind("{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;", 0), 0u);
  int colours = 0;
  for (std::size_t at = table.find("\\red"); at != std::string::npos;
       at = table.find("\\red", at + 1)) {
    ++colours;
  }
  EXPECT_EQ(colours, 16);
  EXPECT_NE(table.find(";\\red0\\green0\\blue127;"), std::string::npos);        // 9 navy
  EXPECT_EQ(table.substr(table.size() - 26), "\\red192\\green192\\blue192;}");  // 16 silver
}

}  // namespace
}  // namespace qy
