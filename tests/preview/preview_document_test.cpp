// The preview document against hand-checked files in tests/data/preview, one
// per page kind, and the rules that decide its body.
#include "preview/preview_document.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

std::string Golden(const std::string& name) {
  std::optional<std::string> data =
      ReadWholeFile(std::string(QY_TEST_DATA_DIR) + "/preview/" + name + ".rtf");
  EXPECT_TRUE(data.has_value()) << name;
  return data.value_or("");
}

ProjectHeader Header(int font, int size) {
  ProjectHeader header = ProjectHeader::Defaults();
  header.FontNameIndex = font;
  header.FontSizeIndex = size;
  return header;
}

PageRecord Page(PageAttribute kind, const std::string& topic) {
  PageRecord page;
  page.Context = "HLP000001";
  page.Title = "T";
  page.Attribute = kind;
  page.Topic = topic;
  return page;
}

TEST(PreviewDocument, MatchesGoldenFileForEveryPageKind) {
  const struct {
    const char* name;
    int font;
    int size;
    PageAttribute kind;
    std::string topic;
  } cases[] = {
      {"topic", 0, 3, kTopicPage,
       Sjis("{\\b 表題}\r\n本文 ｶﾅ {\\uldb 次へ}{\\v HLP000002}\r\n表par\r\nソ\\par\r\n"
            "\\{bmc pic.bmp\\}\r\n\\pard 終わり\\line\r\n\r\n")},
      {"topic_edge", 0, 3, kTopicPage, "a\r\nb\\par\r\n"},
      {"topic_empty", 2, 0, kTopicPage, ""},
      {"popup", 3, 5, kPopupPage, Sjis("ポップアップ {\\cf6 赤}")},
      {"content", 0, 3, kContentPage, "ignored\r\n"},
      {"include", 1, 4, kIncludePage, ""},
      {"book", 8, 15, BookAttribute(2), ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BuildPreviewDocument(Header(c.font, c.size), Page(c.kind, c.topic)), Golden(c.name))
        << c.name;
  }
}

TEST(PreviewDocument, EveryBookLevelShowsTheNoticeInsteadOfItsText) {
  const std::string expected = PreviewBody(Page(BookAttribute(2), ""));  // as in the golden file
  for (int level = 1; level <= kMaxBookLevel; ++level) {
    EXPECT_EQ(PreviewBody(Page(BookAttribute(level), "book pages have no text")), expected);
  }
}

TEST(PreviewDocument, DamagedIndexesNeverNameAnUndeclaredFontOrAnEmptySize) {
  EXPECT_EQ(PreviewFormatLine(Header(9, 16)), "\\pard\\plain\\f0\\fs22");
  EXPECT_EQ(PreviewFormatLine(Header(-1, -3)), "\\pard\\plain\\f0\\fs22");
  EXPECT_EQ(PreviewDocumentHead(42).substr(0, 18), "{\\rtf1\\ansi \\deff0");
  // A lead byte at a line end must not take the paragraph mark with it.
  EXPECT_EQ(PreviewBody(Page(kTopicPage, "x\x81\r\ny\x93")), "x\\'81\\par\r\ny\\'93\\par");
}

TEST(PreviewDocument, RenderReplacesTheFileAndRefusesMissingPages) {
  testing::TempDir dir;
  ProjectModel model;
  model.AppendPage(Page(kTopicPage, "one"));
  model.AppendPage(Page(kPopupPage, "two"));
  const std::string file = dir.File("~qy12345.tmp");
  ASSERT_TRUE(WriteFileAtomic(file, "old contents that are longer than the new ones ...").ok);

  ASSERT_TRUE(RenderPreview(model, 2, file).ok);
  EXPECT_EQ(ReadWholeFile(file).value_or(""), BuildPreviewDocument(model, 2));

  EXPECT_FALSE(RenderPreview(model, 3, file).ok);
  EXPECT_FALSE(RenderPreview(model, 0, file).ok);
  EXPECT_EQ(ReadWholeFile(file).value_or(""), BuildPreviewDocument(model, 2));
}

}  // namespace
}  // namespace qy
