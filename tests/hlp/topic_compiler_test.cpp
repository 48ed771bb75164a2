#include "hlp/topic_compiler.h"

#include <gtest/gtest.h>

#include <random>

#include "core/codec.h"
#include "hlp/lz77.h"
#include "topic/parser.h"
#include "topic_walk.h"

namespace qy::hlp {
namespace {

using testing::ParseDisplay;
using testing::U32;
using testing::WalkedLink;
using testing::WalkTopic;

const char kHead[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern "
    "\\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}"
    "{\\colortbl;\\red255\\green0\\blue0;}\r\n";

struct Compiled {
  topic::Document document;
  TopicFile file;
  std::vector<WalkedLink> links;
  std::string walk_error;
};

Compiled Compile(const std::string& body, bool compress = false,
                 std::vector<std::string> windows = {}) {
  Compiled c;
  const std::string text = std::string(kHead) + Sjis(body) + "}";
  c.document = topic::ParseDocument(text);
  TopicCompileInput input;
  input.sources.push_back({"a.rtf", text, &c.document});
  input.window_names = std::move(windows);
  input.compress = compress;
  c.file = CompileTopics(input);
  c.links = WalkTopic(c.file.topic_data, c.file.compressed, &c.walk_error);
  return c;
}

std::vector<const WalkedLink*> Headers(const Compiled& c) {
  std::vector<const WalkedLink*> headers;
  for (const WalkedLink& link : c.links) {
    if (link.type == 2) headers.push_back(&link);
  }
  return headers;
}

std::string Topic(int n, const std::string& text) {
  const std::string id = std::to_string(n);
  return "#{\\footnote T" + id + "}${\\footnote Title " + id +
         "}+{\\footnote seq:" + (n < 10 ? "0" : "") + id + "}\r\n" + text + "\\page\r\n";
}

// Every topic's offset lands on its own header, as the viewer counts, and
// the header fields point where they should.
void ExpectConsistent(const Compiled& c) {
  ASSERT_EQ(c.walk_error, "");
  const std::vector<const WalkedLink*> headers = Headers(c);
  ASSERT_EQ(headers.size(), c.file.topics.size() + 1);  // the empty one at the end
  for (std::size_t t = 0; t < c.file.topics.size(); ++t) {
    const WalkedLink& header = *headers[t];
    EXPECT_EQ(c.file.topics[t].topic_offset, header.offset) << t;
    EXPECT_EQ(U32(header.data1, 12), t);
    EXPECT_EQ(U32(header.data1, 24), headers[t + 1]->pos) << "NextTopic of " << t;
    const std::uint32_t scroll = U32(header.data1, 20);
    EXPECT_TRUE(scroll == 0xFFFFFFFF || scroll > header.pos);
    EXPECT_EQ(header.data2.substr(0, header.data2.find('\0')), c.file.topics[t].title);
  }
  EXPECT_EQ(c.links.back().type, 2);
  EXPECT_EQ(c.links.back().data2, "");
}

TEST(CompileTopics, TopicsGetDistinctOffsetsEvenWithoutText) {
  const Compiled c = Compile(Topic(1, "") + Topic(2, "Body\\par") + "#{\\footnote T3}\\page\r\n");
  ExpectConsistent(c);
  ASSERT_EQ(c.file.topics.size(), 3u);
  EXPECT_LT(c.file.topics[0].topic_offset, c.file.topics[1].topic_offset);
  EXPECT_LT(c.file.topics[1].topic_offset, c.file.topics[2].topic_offset);
  // The text-less topic still has one (empty) paragraph.
  EXPECT_EQ(c.links[1].type, 0x20);
  EXPECT_EQ(ParseDisplay(c.links[1]).pieces, (std::vector<std::string>{"", ""}));
}

TEST(CompileTopics, FootnotesFillTheTopic) {
  const Compiled c = Compile(
      "#{\\footnote  main }${\\footnote Main}K{\\footnote alpha; beta ;;gamma}"
      "A{\\footnote x}!{\\footnote CloseWindow(`a')}>{\\footnote w2}#{\\footnote alt}"
      "\r\nText\\par\\page\r\n");
  ExpectConsistent(c);
  ASSERT_EQ(c.file.topics.size(), 1u);
  const CompiledTopic& t = c.file.topics[0];
  EXPECT_EQ(t.contexts, (std::vector<std::string>{"main", "alt"}));
  EXPECT_EQ(t.k_keywords, (std::vector<std::string>{"alpha", "beta", "gamma"}));
  EXPECT_EQ(t.a_keywords, (std::vector<std::string>{"x"}));
  EXPECT_EQ(t.window, "w2");
  EXPECT_EQ(t.line, 2);
  EXPECT_EQ(c.links[0].data2, std::string("Main\0CloseWindow(`a')\0", 22));
}

TEST(CompileTopics, ShiftJisTrailBytesStayWithTheirLeadBytes) {
  // 表 is 0x95 0x5C and ボ-like 0x83 0x7B: trail bytes that read as '\' and
  // '{' on their own.
  const Compiled c = Compile(Topic(1, "\\'95\\'5c\\'83\\'7b\\'95\\'5c\\par"));
  ExpectConsistent(c);
  const auto display = ParseDisplay(c.links[1]);
  ASSERT_GE(display.pieces.size(), 2u);
  EXPECT_EQ(display.pieces[1], "\x95\x5C\x83\x7B\x95\x5C");
}

TEST(CompileTopics, HotspotsBecomeCommands) {
  struct Case {
    const char* markup;
    std::string command;  // the hotspot command, as it follows the text before it
  } cases[] = {
      {"{\\uldb go}{\\v T2}", std::string("\xE3") + std::string("\0\0\0\0", 4)},
      {"{\\ul go}{\\v T2}", std::string("\xE2") + std::string("\0\0\0\0", 4)},
      {"{\\uldb go}{\\v %T2}", std::string("\xE7") + std::string("\0\0\0\0", 4)},
      {"{\\ul go}{\\v *T2}", std::string("\xE6") + std::string("\0\0\0\0", 4)},
      {"{\\uldb go}{\\v !Exit()}", std::string("\xC8\x07\x00"
                                               "Exit()\0",
                                               10)},
      {"{\\uldb go}{\\v T2>Side}", std::string("\xEB\x06\x00\x01\0\0\0\0\x01", 9)},
      {"{\\uldb go}{\\v T2@other.hlp}", std::string("\xEB\x0F\x00\x04\0\0\0\0other.hlp\0", 18)},
  };
  for (const Case& k : cases) {
    const Compiled c =
        Compile(Topic(1, std::string("a ") + k.markup + "\\par"), false, {"main", "side"});
    ExpectConsistent(c);
    const std::string commands = ParseDisplay(c.links[1]).commands;
    std::string wanted = k.command;
    if (wanted[0] != '\xC8' && wanted.size() >= 5) {
      const std::int32_t hash = ContextHash("T2");
      const std::size_t at = (wanted[0] == '\xEB') ? 4 : 1;
      for (int i = 0; i < 4; ++i) wanted[at + i] = static_cast<char>((hash >> (8 * i)) & 0xFF);
    }
    const std::size_t found = commands.find(wanted);
    EXPECT_NE(found, std::string::npos) << k.markup;
    // The hotspot ends before the paragraph does.
    EXPECT_NE(commands.find('\x89', found), std::string::npos) << k.markup;
  }
}

TEST(CompileTopics, ReferencesNameJumpsPopupsAndMacroTargets) {
  const Compiled c =
      Compile(Topic(1,
                    "{\\uldb a}{\\v T2}\\par\r\n{\\ul b}{\\v T3}\\par\r\n"
                    "{\\uldb c}{\\v !PopupID(`x.hlp',`T4')}{\\uldb d}{\\v T5@x.hlp}"));
  ASSERT_EQ(c.file.references.size(), 3u);
  EXPECT_EQ(c.file.references[0].context, "T2");
  EXPECT_FALSE(c.file.references[0].popup);
  EXPECT_EQ(c.file.references[0].line, 3);  // the head, the footnotes, then the text
  EXPECT_TRUE(c.file.references[1].popup);
  EXPECT_EQ(c.file.references[1].line, 4);
  EXPECT_EQ(c.file.references[2].context, "T4");
  EXPECT_TRUE(c.file.references[2].popup);
}

TEST(CompileTopics, BrowseSequenceLinksNeighbours) {
  const Compiled c = Compile(Topic(2, "b") + Topic(1, "a") + Topic(3, "c"));
  ExpectConsistent(c);
  const auto headers = Headers(c);
  // Order by key: topic "01" (second in the file), "02", "03".
  EXPECT_EQ(U32(headers[1]->data1, 4), 0xFFFFFFFFu);
  EXPECT_EQ(U32(headers[1]->data1, 8), c.file.topics[0].topic_offset);
  EXPECT_EQ(U32(headers[0]->data1, 8), c.file.topics[2].topic_offset);
  EXPECT_EQ(U32(headers[2]->data1, 8), 0xFFFFFFFFu);
}

TEST(CompileTopics, NonScrollingRegionComesFirst) {
  const Compiled c = Compile(Topic(1, "\\keepn Head\\par\\pard Body\\par"));
  ExpectConsistent(c);
  const WalkedLink& header = c.links[0];
  EXPECT_EQ(U32(header.data1, 16), c.links[1].pos);
  EXPECT_EQ(U32(header.data1, 20), c.links[2].pos);
}

TEST(CompileTopics, PicturesAreNumberedOnce) {
  const Compiled c = Compile(Topic(1, "\\{bmc a.bmp\\}\\{bml B.BMP\\}\\{bmr A.bmp\\}\\par"));
  ExpectConsistent(c);
  EXPECT_EQ(c.file.pictures, (std::vector<std::string>{"a.bmp", "B.BMP"}));
  const std::string commands = ParseDisplay(c.links[1]).commands;
  EXPECT_NE(commands.find(std::string("\x86\x03\x08\x80\0\0\0\0", 8)), std::string::npos);
  EXPECT_NE(commands.find(std::string("\x88\x03\x08\x80\0\0\0\0", 8)), std::string::npos);
  EXPECT_NE(commands.find(std::string("\x87\x03\x08\x80\0\0\x01\0", 8)), std::string::npos);
}

// Enough text to fill many blocks, so links and topics cross block ends.
std::string ManyTopics(int count) {
  std::mt19937 random(7);
  std::string body;
  for (int t = 1; t <= count; ++t) {
    std::string text;
    const int paragraphs = 1 + static_cast<int>(random() % 5);
    for (int p = 0; p < paragraphs; ++p) {
      const int words = static_cast<int>(random() % 120);
      for (int w = 0; w < words; ++w) text += "w" + std::to_string(random() % 500) + " ";
      text += (p % 2) ? "{\\b \\'82\\'a0}\\par\r\n" : "{\\uldb j}{\\v T1}\\par\r\n";
    }
    body += Topic(t, t % 7 == 0 ? "" : text);
  }
  return body;
}

TEST(CompileTopics, PositionsHoldAcrossBlocks) {
  for (bool compress : {false, true}) {
    const Compiled c = Compile(ManyTopics(120), compress);
    EXPECT_EQ(c.file.compressed, compress);
    ExpectConsistent(c);
    EXPECT_GT(c.file.topic_data.size(), 8u * 4096) << compress;
    EXPECT_EQ(c.file.topic_data.size() % 4096, 0u);
    if (compress) {
      EXPECT_LT(c.file.topic_data.size(), Compile(ManyTopics(120)).file.topic_data.size());
    }
  }
}

TEST(Lz77, RoundTrips) {
  std::mt19937 random(3);
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "topic " + std::to_string(i % 37) + " ";
  const std::string cases[] = {
      "",    "a", "abc", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "abcabcabcabcabcabcabcabcabc",
      noise, text};
  for (const std::string& data : cases) {
    const std::string packed = Lz77Compress(data);
    EXPECT_EQ(testing::Lz77Expand(packed), data) << data.size();
    EXPECT_LE(packed.size(), data.size() + data.size() / 8 + 1);
  }
  EXPECT_LT(Lz77Compress(text).size(), text.size() / 3);
}

TEST(CompileTopics, FontTableDescribesTheLooks) {
  const Compiled c = Compile(Topic(1, "{\\f1\\fs20\\b\\cf1 x}y\\par"));
  const std::string& font = c.file.font_data;
  const unsigned faces = static_cast<unsigned char>(font[0]);
  const unsigned looks = static_cast<unsigned char>(font[2]);
  ASSERT_EQ(faces, 2u);
  ASSERT_EQ(looks, 2u);
  EXPECT_EQ(font.size(), 8u + 32 * faces + 11 * looks);
  // The first look used comes first: face 0 is the \\f1 face.
  EXPECT_EQ(font.substr(8, 14),
            std::string("\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e") + '\0');
  const std::string first = font.substr(8 + 64, 11);
  EXPECT_EQ(first, std::string("\x01\x14\x01\x00\x00\xFF\x00\x00\x00\x00\x00", 11));
}

TEST(CompileTopics, ReportsWhatItCannotWrite) {
  struct Case {
    const char* body;
    int code;
    int line;
  } cases[] = {
      {"{\\uldb a}{\\v T2>nowhere}\\par", 3008, 4},
      {"\\{mci x.avi\\}\\par", 3008, 2},  // the topic's line
  };
  for (const Case& k : cases) {
    const Compiled c = Compile(Topic(1, std::string("\r\n") + k.body));
    ASSERT_EQ(c.file.diagnostics.size(), 1u) << k.body;
    EXPECT_EQ(c.file.diagnostics[0].code, k.code) << k.body;
    EXPECT_EQ(c.file.diagnostics[0].line, k.line) << k.body;
    EXPECT_EQ(c.file.diagnostics[0].topic, "Title 1") << k.body;
  }
}

}  // namespace
}  // namespace qy::hlp
