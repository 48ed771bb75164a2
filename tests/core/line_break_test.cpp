#include "core/line_break.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qy {
namespace {

// Random texts of CR LF, lone CR, lone LF, "}" and double-byte characters,
// checked against the lines and line ends as a plain walk finds them.
TEST(LineBreakTest, SkipLinesPassesWholeLinesUpToTheFirstMarkedOne) {
  std::mt19937 random(7);
  const char bytes[] = {'a', 'a', 'a', 'a', '}', '\r', '\n', '\r', '\n', 'e', '\x82', '\xa0'};
  const bool wide = __builtin_cpu_supports("avx2");
  for (int round = 0; round < 2000; ++round) {
    std::string text(random() % 300, 'a');
    // Odd rounds have long lines; every third round CR LF ends only, one
    // of them rarely a lone LF.
    for (char& c : text) c = round % 2 && random() % 16 ? 'a' : bytes[random() % sizeof bytes];
    if (round % 3 == 2) {
      text.clear();
      while (text.size() < 200) {
        text += std::string(random() % 40, 'a') + (random() % 50 ? "\r\n" : "\n");
      }
    }
    std::vector<std::size_t> starts = {0};
    std::vector<bool> lone;  // per line end: not a CR LF
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
      if ((text[i] == '\n' || text[i] == '\r') && !crlf) {
        starts.push_back(i + 1);
        lone.push_back(text[i] == '\r' || i == 0 || text[i - 1] != '\r');
      }
    }
    const LinesSkipped skipped = SkipLines(text.data(), text.data() + text.size(), '}');
    SCOPED_TRACE(text);
    ASSERT_LT(static_cast<std::size_t>(skipped.lines), starts.size());
    const std::size_t at = starts[static_cast<std::size_t>(skipped.lines)];
    EXPECT_EQ(skipped.line_start, text.data() + at);
    EXPECT_EQ(skipped.all_crlf,
              std::none_of(lone.begin(), lone.begin() + skipped.lines, [](bool b) { return b; }));
    const auto marked = std::find_if(starts.begin(), starts.end(), [&](std::size_t s) {
      return s < text.size() && text[s] == '}';
    });
    EXPECT_LE(at, marked == starts.end() ? text.size() : *marked);
    // Far enough from the end, it goes on up to the marked line.
    const auto next = std::upper_bound(starts.begin(), starts.end(), at);
    const bool at_marked = marked != starts.end() && at == *marked;
    if (wide) {
      EXPECT_TRUE(at_marked || next == starts.end() || *next + 64 > text.size()) << at;
    }
  }
}

}  // namespace
}  // namespace qy
