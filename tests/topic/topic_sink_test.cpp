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
      const CharFormat& f = run.format;
      out << "  " << static_cast<int>(run.kind) << " h" << run.hotspot << " p" << run.picture
          << " f" << f.font << " s" << f.size << " c" << f.color << (f.bold ? " b" : "")
          << (f.italic ? " i" : "") << (f.underline ? " u" : "") << (f.double_underline ? " d" : "")
          << (f.hidden ? " v" : "") << ": " << run.text << "\n";
    }
  }
  for (const Hotspot& h : topic.hotspots) {
    out << " hotspot " << static_cast<int>(h.kind) << (h.popup_style ? " popup" : "")
        << (h.button ? " button" : "") << " " << h.raw_target << " [" << h.target.context << "|"
        << h.target.file << "|" << h.target.window << "|" << h.target.macro << "] "
        << h.macro_context << (h.macro_popup ? "*" : "") << " @" << h.offset << "\n";
  }
  for (const Picture& p : topic.pictures) out << " picture " << p.position << " " << p.file << "\n";
  return out.str();
}

class Collect : public TopicSink {
 public:
  // A sink may take the topic or only look at it; the reader then reuses the
  // topic's room for the next one, which must not show through.
  explicit Collect(bool take = true) : take_(take) {}
  void Take(const Document& tables, Topic& topic) override {
    dumps.push_back(DumpTopic(topic));
    font_counts.push_back(tables.fonts.size());
    color_counts.push_back(tables.colors.size());
    if (take_) Topic gone = std::move(topic);
  }
  std::vector<std::string> dumps;
  std::vector<std::size_t> font_counts;
  std::vector<std::size_t> color_counts;

 private:
  bool take_;
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

// Every input with a sink that takes its topics and one that leaves them.
std::vector<std::pair<std::string, bool>> Cases(const std::vector<std::string>& inputs) {
  std::vector<std::pair<std::string, bool>> cases;
  for (const std::string& input : inputs) {
    cases.emplace_back(input, true);
    cases.emplace_back(input, false);
  }
  // Topics of different shapes after each other: long runs, hotspots and
  // hidden text where the topic before had fewer or more of them.
  cases.emplace_back(
      "{\\uldb a long jump text}{\\v FIRST_TARGET_CONTEXT}\\par"
      "{\\ul popup}{\\v %POP@other.hlp>win}\\par{\\v lone hidden}x\\par\\page"
      "{\\b first long run of text}{\\i second long run of text}\\page"
      "{\\uldb J}{\\v !JumpID(`f.hlp',`T')}{\\uldb }{\\v T2}\\tab\\line y\\par\\page"
      "\\{bmc pic.bmp\\}\\{button OK, Back()\\}{\\b\\i\\fs30 bold long text run here}",
      false);
  return cases;
}

TEST(TopicSinkTest, HandsOverWhatAWholeReadKeeps) {
  const std::vector<std::string> inputs = Inputs();
  ASSERT_GE(inputs.size(), 26u);
  for (const auto& [input, take] : Cases(inputs)) {
    const std::string text = Sjis(input);
    const Document whole = ParseDocument(text);
    Collect sink(take);
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
