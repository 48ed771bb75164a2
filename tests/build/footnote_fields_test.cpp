// One-line fields in footnote groups and lead bytes at line ends: the topic
// file and the compiler preview's document stay well-formed whatever the fields hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/preview_topic_writer.h"
#include "build/rtf_text.h"
#include "build/topic_writer.h"
#include "core/codec.h"

namespace qy {
namespace {

TEST(FootnoteFields, BrokenFieldsGetTheSmallestEscapeAndAreNamed) {
  struct Case {
    std::string value;
    bool escape_double_bytes;
    std::string text;
    bool repaired;
  };
  const std::vector<Case> cases = {
      // Well-formed fields are written exactly as before.
      {Sjis("{重要} ab"), true, "{\\'8f\\'64\\'97\\'76} ab", false},
      {Sjis("日"), false, Sjis("日"), false},
      {"x\x81 y", true, "x\x81 y", false},
      // A "}" that would close the footnote, a "{" nothing closes.
      {Sjis("{重要} a}b"), true, "{\\'8f\\'64\\'97\\'76} a\\}b", true},
      {"a{b{c}", true, "a\\{b{c}", true},
      // A backslash that would take the closing brace; a broken "\'".
      {"a\\", true, "a\\\\", true},
      // A raw context: a trail byte that looks like "\" or "{", and a lead
      // byte at the end, which would pair with the "}".
      {Sjis("ソ"), false, "\\'83\\'5c", true},
      {Sjis("表") + "x", false, "\\'95\\'5cx", true},
      {"A" + Sjis("ボ") + "B", false, "A\\'83\\'7bB", true},
      {"ab\x93", false, "ab\\'93", true},
  };
  for (const Case& c : cases) {
    const FootnoteText got = MakeFootnoteText(c.value, c.escape_double_bytes);
    EXPECT_EQ(got.text, c.text) << c.value;
    EXPECT_EQ(got.repaired, c.repaired) << c.value;
  }

  ProjectModel project;
  project.SetProjectFileName("/tmp/fields.qyp");
  project.ClearPages();
  PageRecord page;
  page.Context = "HLP" + Sjis("ソ");
  page.Title = Sjis("{重要} a}b");
  page.Keyword = "k}";
  project.AppendPage(page);
  const std::string rtf = BuildTopicFile(project);
  EXPECT_NE(rtf.find("#{\\footnote HLP\\'83\\'5c}${\\footnote {\\'8f\\'64\\'97\\'76} a\\}b}"
                     "K{\\footnote k\\}}"),
            std::string::npos)
      << rtf;
  EXPECT_NE(BuildPreviewTopicFile(project, 1).find("#{\\footnote HLP\\'83\\'5c}"),
            std::string::npos);
  const std::vector<std::string> notes = RepairedFieldNotes(project);
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[1].rfind(Sjis("ページ 1 (") + page.Context + ") Title", 0), 0u) << notes[1];
}

TEST(FootnoteFields, LeadByteAtALineEndKeepsTheParagraphMark) {
  // Before, "\x93" and the "\" of "\par" were escaped as one character.
  EXPECT_EQ(TopicBody("ab\x93\r\ncd\x93"), "ab\\'93\\par\r\ncd\\'93\\par");
  EXPECT_EQ(TopicBody("a\x93 b\r\n"), "a\x93 b\\par\r\n\\par");
  ProjectModel project;
  project.ClearPages();
  PageRecord page;
  page.Topic = "x\x81";
  project.AppendPage(page);
  EXPECT_NE(BuildPreviewTopicFile(project, 1).find("x\\'81\\par\r\n}"), std::string::npos);
}

}  // namespace
}  // namespace qy
