#include "topic/line_scan.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/cp932.h"
#include "topic/tokenizer.h"

namespace qy::topic {
namespace {

// One letter per byte: the span class of every byte of a line.
class Recorder : public SpanSink {
 public:
  explicit Recorder(std::size_t size) : classes(size, '.') {}
  void OnSpan(std::size_t offset, std::size_t length, Span span) override {
    static const char kLetters[] = "tceg!hvpf";
    for (std::size_t i = offset; i < offset + length; ++i) {
      classes[i] = kLetters[static_cast<int>(span)];
    }
  }
  std::string classes;
};

std::string Classify(std::string_view line, LineState* state) {
  Recorder recorder(line.size());
  *state = ScanLine(line, *state, recorder);
  return recorder.classes;
}

TEST(LineScan, ClassesOfEachByte) {
  // ソ (83 5C) and 本 (96 7B) are text, not a backslash and a brace.
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {  // one letter per Shift-JIS byte
      {"{\\uldb A}{\\v X}", "gcccccchggcccvg"},  {"ソ本}", "tttt!"},  {"\\'93\\'fa\\\\", "eeeeeeeeee"},
      {"#{\\footnote x}", "fgccccccccccfg"},   {"\\{bmc a.bmp\\}", "ppppppppppppp"},
      {"{\\ul\\b0 p}{\\v\\'41}", "gccccccchggcceeeeg"},  {"a}{b}", "t!gtg"}};
  // clang-format on
  for (const auto& [utf8, classes] : cases) {
    LineState state;
    EXPECT_EQ(Classify(Sjis(utf8), &state), classes) << utf8;
  }
}

// Scanning line by line from each line's saved state must give what one scan
// of the whole text gives, whatever the groups, hotspots and commands that
// cross line ends.
TEST(LineScan, RestartingAtAnyLineMatchesOneScan) {
  const std::string text = Sjis(
      "{\\uldb 複数行の\r\nジャンプ}{\\v\r\nHLP000002}\r\n"
      "\\{bmc\r\nlogo.bmp\\} {\\footnote\r\nK}}\r\n"
      "ソ{\\b{\\i\r\n表}\r\n}");
  const std::vector<std::string> lines = SplitLines(text);
  std::vector<LineState> starts{LineState()};
  std::vector<std::string> first_pass;
  for (const std::string& line : lines) {
    LineState state = starts.back();
    first_pass.push_back(Classify(line, &state));
    starts.push_back(LineState::Unpack(state.Pack()));
  }
  EXPECT_EQ(first_pass[1], "hhhhhhhhggcc");  // hotspot text continues, hidden starts
  EXPECT_EQ(first_pass[2], "vvvvvvvvvg");
  EXPECT_EQ(first_pass[4], "pppppppppptgccccccccc");
  EXPECT_EQ(first_pass[5], "fg!");  // the extra brace closes nothing
  EXPECT_EQ(starts.back().depth, 0);
  // Restart from every line on its own.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    LineState state = starts[i];
    EXPECT_EQ(Classify(lines[i], &state), first_pass[i]) << "line " << i;
    EXPECT_EQ(state, starts[i + 1]) << "line " << i;
  }
}

TEST(LineScan, StatePacksIntoANonNegativeIntClampingTheDepths) {
  LineState deep;
  deep.depth = 500;
  deep.hotspot_depth = 3;
  deep.hidden_depth = 127;
  deep.footnote_depth = 1;
  deep.in_command = true;
  EXPECT_GE(deep.Pack(), 0);
  LineState back = deep;
  back.depth = 127;
  EXPECT_EQ(LineState::Unpack(deep.Pack()), back);
  EXPECT_EQ(LineState::Unpack(-1), LineState());
}

TEST(Tokenizer, TokensNeverSplitACharacter) {
  // 表 is 95 5C: its trail byte is a backslash.
  const std::string text = Sjis("\\b表\\ソ\\'8") + "\x81";
  Tokenizer tokens(text);
  std::vector<std::string> seen;
  for (Token t = tokens.Next(); t.kind != TokenKind::kEnd; t = tokens.Next()) {
    seen.push_back(std::to_string(static_cast<int>(t.kind)) + ":" +
                   text.substr(t.offset, t.length) + (t.malformed ? "!" : ""));
  }
  const std::vector<std::string> expected = {"1:\\b", "0:" + Sjis("表"), "2:" + Sjis("\\ソ"),
                                             "3:\\'8!", "0:\x81"};
  EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace qy::topic
