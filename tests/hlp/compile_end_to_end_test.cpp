// Whole projects through the compiler, checked by the test-side reader, which
// was validated on help files another program wrote.
#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/files.h"
#include "hlp/code_help.h"
#include "hlp/help_compiler.h"
#include "hlp/message_codes.h"
#include "hlp/picture.h"
#include "support/fakes.h"
#include "support/hlp_reader.h"

namespace qy::hlp {
namespace {

const char kHead[] =
    "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 "
    "\\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\r\n";

std::string Topic(int n, const std::string& body) {
  const std::string id = std::to_string(n);
  return "#{\\footnote IDH_" + id + "}${\\footnote " + Sjis("ページ ") + id + "}K{\\footnote key" +
         id + ";" + Sjis("索引") + "}A{\\footnote alink}\r\n" + body + "\\par\r\n\\page\r\n";
}

std::string Project(const std::string& extra_options = "") {
  return "[OPTIONS]\r\nTITLE=" + Sjis("テスト") +
         "\r\nLCID=0x411 0x0 0x0\r\nCONTENTS=IDH_1\r\nCNT=.\\Doc.cnt\r\n" + extra_options +
         "\r\n[FILES]\r\n.\\DOC.RTF\r\n[MAP]\r\n#include doc.hh\r\n[WINDOWS]\r\n"
         "main=\"\",,27648,(r14876671),(r12632256)\r\n[CONFIG]\r\nBrowseButtons()\r\n";
}

// A 3 x 2 Windows bitmap at 96 dpi: palette entries 0x7F, pixel bytes 0x11.
std::string SmallBitmap(std::uint32_t bits, std::uint32_t compression = 0) {
  const std::uint32_t colours = bits <= 8 ? 1 << bits : 0;
  const std::uint32_t data_at = 14 + 40 + colours * 4;
  const std::uint32_t row = ((3 * bits + 31) / 32) * 4;
  std::string b = "BM";
  for (std::uint32_t v : {data_at + 2 * row, 0u, data_at, 40u, 3u, 2u, 1 | bits << 16, compression,
                          0u, 3780u, 3780u, 0u, 0u}) {
    for (int i = 0; i < 4; ++i) b += static_cast<char>(v >> (8 * i));
  }
  return b + std::string(colours * 4, '\x7f') + std::string(2 * row, '\x11');
}

TEST(PictureTest, ConvertsBitmapsAndExplainsTheRest) {
  for (int bits : {1, 4, 8, 24}) {
    PictureResult r = ConvertPicture(SmallBitmap(bits));
    ASSERT_TRUE(r.ok) << bits << r.error;
    EXPECT_EQ(r.data.substr(0, 4), std::string("lP\x01\x00", 4));
    EXPECT_EQ(r.data[8], 6);  // DIB
    EXPECT_EQ(r.data[9], 0);  // stored as it is
    // Xdpi 96 stored as 2 * 96 in two bytes; width 3 as 6.
    EXPECT_EQ(static_cast<unsigned char>(r.data[10]), 192);
    // The data offset (relative to the picture type) leads past the
    // palette to the pixel rows, which end the picture.
    const std::size_t row = ((3 * bits + 31) / 32) * 4;
    const std::size_t data_at = 8 + static_cast<unsigned char>(r.data[8 + 20]) +
                                (static_cast<unsigned char>(r.data[8 + 21]) << 8);
    EXPECT_EQ(r.data.size(), data_at + 2 * row) << bits;
    EXPECT_EQ(r.data[data_at], '\x11') << bits;
    EXPECT_EQ(r.data[data_at - 1], bits <= 8 ? '\x7f' : '\0') << bits;
  }
  EXPECT_FALSE(ConvertPicture(SmallBitmap(8, 1)).ok);
  EXPECT_FALSE(ConvertPicture(SmallBitmap(16)).ok);
  EXPECT_FALSE(ConvertPicture(SmallBitmap(8).substr(0, 70)).ok);
  PictureResult wmf = ConvertPicture(std::string("\xD7\xCD\xC6\x9A", 4) + std::string(40, 0));
  EXPECT_FALSE(wmf.ok);
  EXPECT_NE(wmf.error.find("wmf"), std::string::npos);
  EXPECT_TRUE(ConvertPicture(std::string("lP\x01\x00\x08\x00\x00\x00xx", 10)).ok);
}

class CompileEndToEndTest : public ::testing::Test {
 protected:
  CompileOutcome Compile(const std::string& rtf, const std::string& hpj = Project()) {
    EXPECT_TRUE(WriteFileAtomic(dir_.File("doc.rtf"), rtf));
    EXPECT_TRUE(WriteFileAtomic(dir_.File("doc.hh"), "#define IDH_1 100\r\n#define IDH_2 200\r\n"));
    EXPECT_TRUE(WriteFileAtomic(dir_.File("doc.hpj"), hpj));
    return CompileHelpProject({dir_.File("doc.hpj"), "", 0});
  }
  testing::TempDir dir_;
};

TEST_F(CompileEndToEndTest, NineHundredNinetyNineTopicsWithJapaneseText) {
  std::string rtf = kHead;
  for (int n = 1; n <= 999; ++n) {
    const int next = n % 999 + 1;
    rtf += Topic(n, Sjis("日本語の本文 ") + std::to_string(n) + " {\\uldb next}{\\v IDH_" +
                        std::to_string(next) + "} {\\ul pop}{\\v IDH_1}");
  }
  rtf += "}";
  const CompileOutcome out = Compile(rtf);
  ASSERT_TRUE(out.help_file_written);
  EXPECT_FALSE(out.HasErrors());
  testing::HlpCheck check = testing::CheckHelpFile(out.help_file);
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
  const testing::HlpFile& f = check.file;
  EXPECT_EQ(f.system.minor, 33);
  EXPECT_EQ(f.system.title, Sjis("テスト"));
  EXPECT_EQ(f.system.lcid, 0x0411);
  EXPECT_EQ(f.system.charset, 128);
  EXPECT_EQ(f.system.cnt_file, "Doc.cnt");
  EXPECT_EQ(f.system.config_macros, std::vector<std::string>{"BrowseButtons()"});
  ASSERT_EQ(f.system.windows.size(), 1u);
  EXPECT_EQ(f.system.windows[0].name, "main");
  // The text after the last \page makes no topic.
  EXPECT_EQ(f.topics.size(), 999u);
  EXPECT_EQ(f.contexts.size(), 999u);
  const testing::HlpTopic* last = f.TopicByContext("IDH_999");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->title, Sjis("ページ 999"));
  EXPECT_NE(last->text.find(Sjis("日本語の本文")), std::string::npos);
  EXPECT_EQ(f.system.contents, f.TopicByContext("IDH_1")->topic_offset);
  ASSERT_EQ(f.map.size(), 2u);
  EXPECT_EQ(f.map[1].first, 200);
  EXPECT_EQ(f.map[1].second, f.TopicByContext("IDH_2")->topic_offset);
  // "索引" is in every topic; each "keyN" in one; "alink" is an A keyword.
  ASSERT_EQ(f.k_keywords.size(), 1000u);
  bool found = false;
  for (const testing::HlpKeyword& k : f.k_keywords) {
    if (k.word == Sjis("索引")) found = k.offsets.size() == 999;
  }
  EXPECT_TRUE(found);
  ASSERT_EQ(f.a_keywords.size(), 1u);
  EXPECT_EQ(f.a_keywords[0].offsets.size(), 999u);
  // The log says it was made, in the layout the build reads.
  EXPECT_NE(ReadWholeFile(dir_.File("doc.err")).value_or("").find("Created doc.hlp, "),
            std::string::npos);
}

TEST_F(CompileEndToEndTest, FaultsAreReportedWithTopicAndLineAndNoFileIsMade) {
  const std::string rtf =
      std::string(kHead) + Topic(1, "{\\uldb x}{\\v NOWHERE} \\{bmc logo.bmp\\}") +
      Topic(2, "text") + "#{\\footnote IDH_2}${\\footnote Again}\r\nx\\page\r\n}";
  const CompileOutcome out = Compile(rtf);
  EXPECT_FALSE(out.help_file_written);
  EXPECT_FALSE(FileExists(dir_.File("doc.hlp")));
  std::vector<int> codes;
  for (const Diagnostic& d : out.diagnostics) codes.push_back(d.code);
  EXPECT_NE(std::find(codes.begin(), codes.end(), 5005), codes.end());  // missing picture
  auto log = ReadWholeFile(dir_.File("doc.err"));
  ASSERT_TRUE(log);
  // Duplicate context, with the title of the topic that repeats it.
  EXPECT_NE(log->find("HC5003: Error: .\\DOC.RTF"), std::string::npos) << *log;
  EXPECT_NE(log->find("(topic \"Again\") [line 8]"), std::string::npos) << *log;
  EXPECT_NE(log->find("Picture file not found: logo.bmp (topic \"" + Sjis("ページ 1") + "\")"),
            std::string::npos)
      << *log;
}

TEST_F(CompileEndToEndTest, BitmapsFromTheBitmapRootBecomePictures) {
  const std::string bmp = SmallBitmap(1);
  ASSERT_EQ(::system(("mkdir -p '" + dir_.File("Art") + "'").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomic(dir_.File("Art/Logo.BMP"), bmp));
  const std::string rtf = std::string(kHead) + Topic(1, "\\{bmc logo.bmp\\} picture") + "}";
  const CompileOutcome out = Compile(rtf, Project("BMROOT=.\\art"));
  ASSERT_TRUE(out.help_file_written) << (out.diagnostics.empty() ? "" : out.diagnostics[0].text);
  const testing::HlpCheck check = testing::CheckHelpFile(out.help_file);
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
  const testing::HlpTopic* topic = check.file.TopicByContext("IDH_1");
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(topic->pictures, std::vector<int>{0});
  const std::string* picture = check.file.File("|bm0");
  ASSERT_NE(picture, nullptr);
  // One DIB of 3 x 2 pixels at 1 bit, its two palette entries and rows.
  EXPECT_EQ(picture->substr(0, 8), std::string("lP\x01\0\x08\0\0\0", 8));
  EXPECT_EQ(picture->substr(picture->size() - 16), bmp.substr(14 + 40));
}

TEST(CodeHelpTest, EveryCodeIsAKeywordOfItsOwnTopic) {
  testing::TempDir dir;
  const CodeHelpSources sources = BuildCodeHelpSources("Helphc.rtf");
  ASSERT_TRUE(WriteFileAtomic(dir.File("Helphc.hpj"), sources.project));
  ASSERT_TRUE(WriteFileAtomic(dir.File("Helphc.rtf"), sources.topics));
  const CompileOutcome out = CompileHelpProject({dir.File("Helphc.hpj"), "", 0});
  ASSERT_TRUE(out.help_file_written);
  EXPECT_TRUE(out.diagnostics.empty()) << out.diagnostics[0].text;
  testing::HlpCheck check = testing::CheckHelpFile(out.help_file);
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
  ASSERT_EQ(check.file.k_keywords.size(), MessageCodes().size());
  for (const testing::HlpKeyword& k : check.file.k_keywords) {
    ASSERT_EQ(k.offsets.size(), 1u) << k.word;
    const testing::HlpTopic* topic = check.file.TopicAt(k.offsets[0]);
    ASSERT_NE(topic, nullptr) << k.word;
    EXPECT_EQ(topic->title, k.word);
  }
}

}  // namespace
}  // namespace qy::hlp
