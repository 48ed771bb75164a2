#include "build/rtf_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "build/rtf_head.h"
#include "core/codec.h"

namespace qy {
namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;

TEST(EscapeDbcs, EscapesDoubleByteCharactersOnly) {
  // 表 is 95 5C and ボ is 83 7B: their trail bytes look like RTF specials.
  const Cases cases = {
      {Sjis("日本語"), "\\'93\\'fa\\'96\\'7b\\'8c\\'ea"},  // lower-case hex
      {Sjis("表{ボ}"), "\\'95\\'5c{\\'83\\'7b}"},
      {"a\xb1\xdf", "a\xb1\xdf"},  // half-width katakana are single bytes
      // A lead byte without a valid trail is copied alone; the next byte
      // starts a character of its own.
      {"a\x93", "a\\'93"},  // at the end: whatever follows could pair with it
      {"\x93\r\n", "\x93\r\n"},
      {"\x81\x20\x93\xfa", "\x81 \\'93\\'fa"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(EscapeDbcs(in), out) << in;
}

TEST(EndOfLineAddStr, CompletesLineEndsNotEndedByAParagraphWord) {
  const Cases cases = {
      {"abc", "abc\\par"},
      {"abc\r\n", "abc\\par\r\n\\par"},
      {"x\\line\r\ny", "x\\line\r\ny\\par"},
      {"x\\par}", "x\\par}\\par"},
      {"a\nb\rc", "a\\par\r\nb\\par\r\nc\\par"},  // lone CR and LF become CR LF
      // Only exact paragraph control words at the very end count.
      {"a\\pard", "a\\pard"},
      {"a\\par ", "a\\par \\par"},
      {"a\\PAR", "a\\PAR\\par"},
      // A backslash that is a trail byte is no control word.
      {Sjis("表par"), Sjis("表par") + "\\par"},
      {Sjis("表\\par"), Sjis("表\\par")},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(EndOfLineAddStr(in, "\\par"), out) << in;
  EXPECT_EQ(EndOfLineAddStr("a\r\nb\\line", "<br>"), "a<br>\r\nb\\line");
}

TEST(RtfHead, DamagedFontIndexesFallBackToDeclaredValues) {
  EXPECT_EQ(BuildRtfHeader(9).substr(0, 18), "{\\rtf1\\ansi \\deff0");
  EXPECT_EQ(BuildRtfHeader(8).substr(0, 18), "{\\rtf1\\ansi \\deff8");
  EXPECT_EQ(FontSizeHalfPoints(16), 22);
  ProjectModel project;
  project.Header().FontNameIndex = 42;
  project.Header().FontSizeIndex = 14;
  EXPECT_EQ(BuildTopicFormatLine(project), "\\trowd\\pard\\plain\\f0\\fs96");
}

}  // namespace
}  // namespace qy
