// The topic compiler's |TOPIC and |FONT, read back through the test-side
// help-file reader, which checks the TOPICLINK chain, the block headers and
// that every TOPICOFFSET lands on its topic.
#include "hlp/topic_compiler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "core/codec.h"
#include "hlp/help_file_assembly.h"
#include "hlp/lz77.h"
#include "support/hlp_reader.h"
#include "topic/parser.h"

namespace qy::hlp {
namespace {

const char kHead[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern "
    "\\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}"
    "{\\colortbl;\\red255\\green0\\blue0;}\r\n";

struct Compiled {
  topic::Document document;
  TopicFile file;
  testing::HlpFile hlp;
};

std::uint32_t U32(std::string_view data, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(data[at + i]);
  return v;
}

// Compiles `body` and makes a help file of it for the reader, expecting
// every topic where the compiler says it is.
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
  HelpProject project;
  AssemblyInput in;
  in.project = &project;
  in.topics = &c.file;
  in.source_names = {"a.rtf"};
  in.pictures.assign(c.file.pictures.size(), std::string("lP\x01\0\0\0\0\0", 8));
  Assembly assembly = AssembleHelpFile(in);
  EXPECT_TRUE(assembly.file);
  c.hlp = testing::ReadHlpFile(assembly.file ? assembly.file->Build().value_or("") : "");
  EXPECT_THAT(c.hlp.problems, ::testing::IsEmpty());
  // The snippets jump to contexts they do not define.
  EXPECT_THAT(testing::CheckHlpOffsets(c.hlp),
              ::testing::Each(::testing::HasSubstr("which |CONTEXT does not hold")));
  EXPECT_EQ(c.hlp.topics.size(), c.file.topics.size());
  for (std::size_t t = 0; t < c.file.topics.size() && t < c.hlp.topics.size(); ++t) {
    EXPECT_EQ(c.hlp.topics[t].topic_offset, c.file.topics[t].topic_offset) << t;
    EXPECT_EQ(c.hlp.topics[t].title, c.file.topics[t].title) << t;
  }
  return c;
}

std::string Topic(int n, const std::string& text) {
  const std::string id = std::to_string(n);
  return "#{\\footnote T" + id + "}${\\footnote Title " + id +
         "}+{\\footnote seq:" + (n < 10 ? "0" : "") + id + "}\r\n" + text + "\\page\r\n";
}

TEST(CompileTopics, FootnotesFillTheTopicAndEmptyTopicsGetTheirOwnOffset) {
  Compiled c = Compile(
      "#{\\footnote  main }${\\footnote Main}K{\\footnote alpha; beta ;;gamma}"
      "A{\\footnote x}!{\\footnote CloseWindow(`a')}>{\\footnote w2}#{\\footnote alt}"
      "\r\nText\\par\\page\r\n");
  const CompiledTopic& t = c.file.topics.at(0);
  EXPECT_EQ(t.contexts, (std::vector<std::string>{"main", "alt"}));
  EXPECT_EQ(t.k_keywords, (std::vector<std::string>{"alpha", "beta", "gamma"}));
  EXPECT_EQ(t.a_keywords, (std::vector<std::string>{"x"}));
  EXPECT_EQ(t.window, "w2");
  EXPECT_EQ(t.line, 2);
  EXPECT_EQ(c.hlp.topics[0].macros, std::vector<std::string>{"CloseWindow(`a')"});

  // Topics without text still differ in TOPICOFFSET (the reader reports
  // shared ones).
  c = Compile(Topic(1, "") + Topic(2, "Body\\par") + "#{\\footnote T3}\\page\r\n");
  EXPECT_EQ(c.hlp.topics.size(), 3u);
}

TEST(CompileTopics, ShiftJisTrailBytesStayWithTheirLeadBytes) {
  // 表 is 0x95 0x5C and ボ-like 0x83 0x7B: trail bytes that read as '\' and
  // '{' on their own.
  const Compiled c = Compile(Topic(1, "\\'95\\'5c\\'83\\'7b\\'95\\'5c\\par"));
  EXPECT_EQ(c.hlp.topics.at(0).text, "\x95\x5C\x83\x7B\x95\x5C");
}

TEST(CompileTopics, HotspotsBecomeCommands) {
  const std::string hash = [] {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(ContextHash("T2") >> (8 * i));
    return bytes;
  }();
  const struct {
    const char* markup;
    std::string command;  // the hotspot command, as it follows the text before it
  } cases[] = {
      {"{\\uldb go}{\\v T2}", "\xE3" + hash},
      {"{\\ul go}{\\v T2}", "\xE2" + hash},
      {"{\\uldb go}{\\v %T2}", "\xE7" + hash},
      {"{\\ul go}{\\v *T2}", "\xE6" + hash},
      {"{\\uldb go}{\\v !Exit()}", std::string("\xC8\x07\0Exit()\0", 10)},
      {"{\\uldb go}{\\v T2>Side}", std::string("\xEB\x06\0\x01", 4) + hash + "\x01"},
      {"{\\uldb go}{\\v T2@other.hlp}",
       std::string("\xEB\x0F\0\x04", 4) + hash + std::string("other.hlp\0", 10)},
  };
  for (const auto& k : cases) {
    const Compiled c =
        Compile(Topic(1, std::string("a ") + k.markup + "\\par"), false, {"main", "side"});
    const std::size_t found = c.file.topic_data.Bytes().find(k.command);
    EXPECT_NE(found, std::string::npos) << k.markup;
    // The hotspot ends before the paragraph does.
    EXPECT_NE(c.file.topic_data.Bytes().find('\x89', found), std::string::npos) << k.markup;
  }
}

TEST(CompileTopics, ReferencesNameJumpsPopupsAndMacroTargets) {
  const Compiled c =
      Compile(Topic(1, "{\\uldb a}{\\v T2}\\par\r\n" + std::string(20, '\n') +
                           "{\\ul b}{\\v T3}\\par\r\n"
                           "{\\uldb c}{\\v !PopupID(`x.hlp',`T4')}{\\uldb d}{\\v T5@x.hlp}"));
  ASSERT_EQ(c.file.references.size(), 3u);
  EXPECT_EQ(c.file.references[0].context, "T2");
  EXPECT_FALSE(c.file.references[0].popup);
  EXPECT_EQ(c.file.references[0].line, 3);  // the head, the footnotes, then the text
  EXPECT_TRUE(c.file.references[1].popup);
  EXPECT_EQ(c.file.references[1].line, 24);  // past twenty empty lines
  EXPECT_EQ(c.file.references[2].context, "T4");
  EXPECT_EQ(c.file.references[2].line, 25);
}

TEST(CompileTopics, BrowseSequenceLinksNeighbours) {
  const Compiled c = Compile(Topic(2, "b") + Topic(1, "a") + Topic(3, "c"));
  // Order by key: topic "01" (second in the file), "02", "03".
  const auto& t = c.hlp.topics;
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[1].browse_back, 0xFFFFFFFFu);
  EXPECT_EQ(t[1].browse_forward, t[0].topic_offset);
  EXPECT_EQ(t[0].browse_forward, t[2].topic_offset);
  EXPECT_EQ(t[2].browse_forward, 0xFFFFFFFFu);
}

TEST(CompileTopics, NonScrollingRegionComesFirst) {
  const Compiled c = Compile(Topic(1, "\\keepn Head\\par\\pard Body\\par"));
  // The header link at TOPICPOS 12 names the next two links (one block, no
  // compression: TOPICPOS is the byte offset) as both regions' starts.
  const std::string data = c.file.topic_data.Bytes();
  const std::uint32_t head = U32(data, 12 + 12);
  EXPECT_EQ(U32(data, 12 + 21 + 16), head);
  EXPECT_EQ(U32(data, 12 + 21 + 20), U32(data, head + 12));
}

TEST(CompileTopics, PicturesAreNumberedOnce) {
  const Compiled c = Compile(Topic(1, "\\{bmc a.bmp\\}\\{bml B.BMP\\}\\{bmr A.bmp\\}\\par"));
  EXPECT_EQ(c.file.pictures, (std::vector<std::string>{"a.bmp", "B.BMP"}));
  EXPECT_EQ(c.hlp.topics.at(0).pictures, (std::vector<int>{0, 1, 0}));
  const std::string data = c.file.topic_data.Bytes();
  EXPECT_NE(data.find(std::string("\x86\x03\x08\x80\0\0\0\0", 8)), std::string::npos);
  EXPECT_NE(data.find(std::string("\x87\x03\x08\x80\0\0\x01\0", 8)), std::string::npos);
  EXPECT_NE(data.find(std::string("\x88\x03\x08\x80\0\0\0\0", 8)), std::string::npos);
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
  const Compiled plain = Compile(ManyTopics(120), false);
  const Compiled packed = Compile(ManyTopics(120), true);
  EXPECT_GT(plain.file.topic_data.size(), 8u * 4096);
  EXPECT_EQ(packed.file.topic_data.size() % 4096, 0u);
  EXPECT_LT(packed.file.topic_data.size(), plain.file.topic_data.size());
}

// Plain blocks are laid out while they are written: in pieces that join to
// the whole, whatever piece the writer refuses stopping the rest.
TEST(CompileTopics, PlainBlocksAreWrittenInPieces) {
  const Compiled plain = Compile(ManyTopics(400), false);
  const TopicData& data = plain.file.topic_data;
  const std::string whole = data.Bytes();
  ASSERT_EQ(whole.size(), data.size());
  ASSERT_EQ(whole.size() % 4096, 0u);
  std::vector<std::size_t> pieces;
  std::string joined;
  EXPECT_TRUE(data.Write([&](std::string_view piece) {
    pieces.push_back(piece.size());
    joined += piece;
    return true;
  }));
  EXPECT_EQ(joined, whole);
  EXPECT_GT(pieces.size(), 2u);
  int calls = 0;
  EXPECT_FALSE(data.Write([&](std::string_view) { return ++calls < 2; }));
  EXPECT_EQ(calls, 2);
}

// The viewer's decoder copies a back reference in one piece, so none may
// overlap the bytes it produces.
TEST(Lz77, RoundTripsWithoutOverlappingReferences) {
  std::mt19937 random(3);
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "topic " + std::to_string(i % 37) + " ";
  for (const std::string& data : {std::string(), std::string("abc"), std::string(40, 'a'),
                                  std::string("abcabcabcabcabcabc"), noise, text}) {
    const std::string packed = Lz77Compress(data);
    EXPECT_EQ(testing::HlpLz77Decompress(packed), data) << data.size();
    EXPECT_LE(packed.size(), data.size() + data.size() / 8 + 1);
    std::size_t at = 0, produced = 0;
    while (at < packed.size()) {
      const unsigned flags = static_cast<unsigned char>(packed[at++]);
      for (int bit = 0; bit < 8 && at < packed.size(); ++bit) {
        if (!(flags & (1u << bit))) {
          ++at, ++produced;
          continue;
        }
        const unsigned word = static_cast<unsigned char>(packed[at]) |
                              static_cast<unsigned char>(packed[at + 1]) << 8;
        at += 2;
        EXPECT_GE((word & 0xFFF) + 1, (word >> 12) + 3u) << "overlap at " << produced;
        produced += (word >> 12) + 3;
      }
    }
  }
  EXPECT_LT(Lz77Compress(text).size(), text.size() / 3);
}

TEST(CompileTopics, FontTableDescribesTheLooks) {
  const Compiled c = Compile(Topic(1, "{\\f1\\fs20\\b\\cf1 x}y\\par"));
  const testing::HlpFonts& fonts = c.hlp.fonts;
  // The first look used comes first: face 0 is the \\f1 face.
  EXPECT_EQ(fonts.face_names, (std::vector<std::string>{
                                  "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e", "Arial"}));
  ASSERT_EQ(fonts.descriptors.size(), 2u);
  EXPECT_EQ(fonts.descriptors[0].attributes, 1);
  EXPECT_EQ(fonts.descriptors[0].half_points, 20);
  EXPECT_EQ(fonts.descriptors[0].color, 0xFFu);
}

TEST(CompileTopics, TabStopsKeepTheirKind) {
  // Paragraph info with only tab stops: the flag 0x0200, the count (a
  // compressed signed short, biased by 0x40) and each stop as a compressed
  // unsigned one; a right (1) or centre (2) stop has 0x4000 in its position
  // and its kind after it.
  const std::string head("\0\x80\0\0\0\x02", 6);
  const struct {
    const char* markup;
    std::string stops;
  } cases[] = {
      {"\\tx1440\\tqr\\tx2880\\tqc\\tx4320", "\x86\x21\x01\x41\x82\x02\x61\x83\x04"},
      {"\\tqr\\pard\\tx100", "\x82\x14"},               // \pard forgets the kind
      {"\\tqc\\tx100\\tx200", "\x84\x15\x80\x04\x28"},  // the kind is for one stop
  };
  for (const auto& k : cases) {
    const Compiled c = Compile(Topic(1, std::string(k.markup) + " a\\tab b\\par"));
    EXPECT_NE(c.file.topic_data.Bytes().find(head + k.stops), std::string::npos) << k.markup;
    EXPECT_EQ(c.hlp.topics.at(0).text, "a\tb") << k.markup;
  }
}

TEST(CompileTopics, NonBreakingSpacesAndHyphensAreCommands) {
  const struct {
    const char* markup;
    std::string strings;   // LinkData2: a NUL ends the text before each command
    std::string commands;  // the commands after the run's font
    const char* text;
  } cases[] = {
      {"a\\~b\\_c", std::string("a\0b\0c\0", 6), "\x8B\x8C\x82\xFF", "a b-c"},
      {"\\~\\_ -", std::string("\0\0 -\0", 5), "\x8B\x8C\x82\xFF", " - -"},
      {"x{\\v \\~}y", std::string("xy\0", 3), "\x82\xFF", "xy"},  // hidden: plain
      // A footnote's mark is no longer in the text, nor is its command.
      {"a\\_{\\footnote x}-b", std::string("a-b\0", 4), "\x82\xFF", "a-b"},
  };
  for (const auto& k : cases) {
    const Compiled c = Compile(Topic(1, std::string(k.markup) + "\\par"));
    const std::string& bytes = c.file.topic_data.Bytes();
    EXPECT_NE(bytes.find(k.strings), std::string::npos) << k.markup;
    EXPECT_NE(bytes.find(k.commands), std::string::npos) << k.markup;
    EXPECT_EQ(c.hlp.topics.at(0).text, k.text) << k.markup;
  }
}

TEST(CompileTopics, ReportsWhatItCannotWrite) {
  const struct {
    const char* body;
    int code;
    int line;
  } cases[] = {
      {"{\\uldb a}{\\v T2>nowhere}\\par", 3008, 4},
      {"\\{mci x.avi\\}\\par", 3008, 2},  // the topic's line
  };
  for (const auto& k : cases) {
    const Compiled c = Compile(Topic(1, std::string("\r\n") + k.body));
    ASSERT_EQ(c.file.diagnostics.size(), 1u) << k.body;
    EXPECT_EQ(c.file.diagnostics[0].code, k.code) << k.body;
    EXPECT_EQ(c.file.diagnostics[0].line, k.line) << k.body;
    EXPECT_EQ(c.file.diagnostics[0].topic, "Title 1") << k.body;
  }
}

}  // namespace
}  // namespace qy::hlp
