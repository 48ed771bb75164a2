// The reader with a topic sink hands over exactly the topics a whole read
// keeps, with the tables the finished document has, and says when the tables
// changed after a topic had gone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/codec.h"
#include "topic/parser.h"

namespace qy::topic {
namespace {

std::string DumpTopic(const Topic& topic) {
  std::ostringstream out;
  out << "topic @" << topic.offset << "\n";
  for (const Footnote& f : topic.footnotes) out << " fn " << f.mark << " " << f.text << "\n";
  for (const Paragraph& p : topic.paragraphs) {
    out << " p" << static_cast<int>(p.format.align) << " " << p.format.left_indent << "\n";
    for (const Inline& run : p.inlines) {
      out << "  " << static_cast<int>(run.kind) << " h" << run.hotspot << " f" << run.format.font
          << (run.format.bold ? " b" : "") << ": " << run.text << "\n";
    }
  }
  for (const Hotspot& h : topic.hotspots) {
    out << " hotspot " << static_cast<int>(h.kind) << " " << h.raw_target << " @" << h.offset
        << "\n";
  }
  for (const Picture& p : topic.pictures) out << " picture " << p.position << " " << p.file << "\n";
  return out.str();
}

class Collect : public TopicSink {
 public:
  void Take(const Document& tables, Topic& topic) override {
    dumps.push_back(DumpTopic(topic));
    font_counts.push_back(tables.fonts.size());
    color_counts.push_back(tables.colors.size());
    Topic gone = std::move(topic);  // the sink may take it
  }
  std::vector<std::string> dumps;
  std::vector<std::size_t> font_counts;
  std::vector<std::size_t> color_counts;
};

// The markup of every golden case of the reader, plus cases about topic
// boundaries.
std::vector<std::string> Inputs() {
  std::vector<std::string> inputs = {
      "",
      "\\page",
      "a\\page",
      "a\\page\\page b",
      "#{\\footnote one}A\\par\\page #{\\footnote two}B\\par\\page",
      "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1 B;}}{\\colortbl;\\red1\\green2\\blue3;}x\\page y}",
  };
  for (const auto& entry : std::filesystem::directory_iterator(QY_TEST_DATA_DIR "/topic")) {
    std::ifstream in(entry.path());
    std::string line;
    std::string* current = nullptr;
    bool expected = false;
    while (std::getline(in, line)) {
      if (line.starts_with("=== ")) {
        current = &inputs.emplace_back();
        expected = false;
      } else if (line == "---") {
        expected = true;
      } else if (current != nullptr && !expected) {
        if (!current->empty()) *current += "\r\n";
        *current += line;
      }
    }
  }
  return inputs;
}

TEST(TopicSinkTest, HandsOverWhatAWholeReadKeeps) {
  const std::vector<std::string> inputs = Inputs();
  ASSERT_GE(inputs.size(), 26u);
  for (const std::string& input : inputs) {
    const std::string text = Sjis(input);
    const Document whole = ParseDocument(text);
    Collect sink;
    ParseOptions options;
    options.sink = &sink;
    const Document streamed = ParseDocument(text, options);

    EXPECT_TRUE(streamed.topics.empty()) << input;
    EXPECT_FALSE(streamed.tables_changed_late) << input;
    ASSERT_EQ(sink.dumps.size(), whole.topics.size()) << input;
    for (std::size_t i = 0; i < whole.topics.size(); ++i) {
      EXPECT_EQ(sink.dumps[i], DumpTopic(whole.topics[i])) << input;
      EXPECT_EQ(sink.font_counts[i], whole.fonts.size()) << input;
      EXPECT_EQ(sink.color_counts[i], whole.colors.size()) << input;
    }
    EXPECT_EQ(streamed.fonts.size(), whole.fonts.size()) << input;
    EXPECT_EQ(streamed.colors, whole.colors) << input;
    EXPECT_EQ(streamed.notes.size(), whole.notes.size()) << input;
  }
}

TEST(TopicSinkTest, TellsOfTablesThatChangeAfterATopic) {
  const struct {
    const char* markup;
    bool late;
  } cases[] = {
      {"{\\fonttbl{\\f0 A;}}{\\colortbl;\\red1;}\\deff0 a\\page b", false},
      {"a\\page{\\fonttbl{\\f0 A;}} b", true},
      {"a\\page{\\colortbl;\\red1;} b", true},
      {"{\\fonttbl{\\f0 A;}{\\f1 B;}}a\\page\\deff1 b", true},
      {"\\deff1 a\\page\\deff1 b", false},
      {"a\\page b{\\fonttbl{\\f0 A;}}", true},  // the last topic goes at the end
  };
  for (const auto& c : cases) {
    Collect sink;
    ParseOptions options;
    options.sink = &sink;
    const Document streamed = ParseDocument(c.markup, options);
    EXPECT_EQ(streamed.tables_changed_late, c.late) << c.markup;
    // A whole read never reports it.
    EXPECT_FALSE(ParseDocument(c.markup).tables_changed_late) << c.markup;
  }
}

}  // namespace
}  // namespace qy::topic
