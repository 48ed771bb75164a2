#include "core/line_break.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qy {
namespace {

// Random texts (CR LF lines only; CR, LF, "}" and double-byte characters;
// long lines) against the lines and line ends a plain walk finds.
TEST(LineBreakTest, SkipLinesPassesWholeLinesUpToTheFirstMarkedOne) {
  std::mt19937 random(7);
  const std::string bytes = "aaaa}\r\n\r\ne\x82\xa0";
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (std::size_t size = random() % 300; text.size() < size;) {
      if (round % 3 == 0) text += std::string(random() % 40, 'a') + (random() % 50 ? "\r\n" : "\n");
      if (round % 3 != 0) text += round % 3 == 2 && random() % 16 ? 'a' : bytes[random() % 12];
    }
    std::vector<std::size_t> starts = {0};
    std::vector<bool> lone;  // per line end: not a CR LF
    for (std::size_t i = 0; i < text.size(); ++i) {
      if ((text[i] != '\n' && text[i] != '\r') || text.compare(i, 2, "\r\n") == 0) continue;
      starts.push_back(i + 1);
      lone.push_back(text[i] == '\r' || i == 0 || text[i - 1] != '\r');
    }
    const LinesSkipped skipped = SkipLines(text.data(), text.data() + text.size(), '}');
    const auto lines = static_cast<std::size_t>(skipped.lines);
    ASSERT_LT(lines, starts.size()) << text;
    EXPECT_EQ(skipped.line_start, text.data() + starts[lines]) << text;
    EXPECT_EQ(skipped.all_crlf, std::count(lone.begin(), lone.begin() + skipped.lines, true) == 0);
    for (std::size_t k = 0; k < lines; ++k) EXPECT_NE(text[starts[k]], '}') << text;
    // Only near the end may it stop short of a line starting with "}".
    const std::size_t next = lines + 1 < starts.size() ? starts[lines + 1] : text.size();
    if (__builtin_cpu_supports("avx2") && next + 64 <= text.size()) {
      EXPECT_EQ(text[starts[lines]], '}') << text;
    }
  }
}

}  // namespace
}  // namespace qy
