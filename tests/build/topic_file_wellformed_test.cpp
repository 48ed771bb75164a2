// The topic file must stay well-formed RTF whatever bytes the authors typed,
// as long as their own braces balance: double-byte characters whose trail
// byte is "\", "{" or "}" must never reach the compiler raw.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "build/preview_topic_writer.h"
#include "build/topic_writer.h"
#include "core/codec.h"

namespace qy {
namespace {

struct RtfScan {
  bool balanced = false;      // depth returns to 0 exactly at the end
  bool closed_early = false;  // the document group closed before the end
  bool raw_double_byte = false;
  bool bare_line_break = false;
};

RtfScan Scan(const std::string& rtf) {
  RtfScan s;
  int depth = 0;
  std::size_t last_close = std::string::npos;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(rtf[i]);
    if (c == '\\' && i + 1 < rtf.size()) {
      const char next = rtf[i + 1];
      if (next == '\'') {
        i += 3;  // \'hh
      } else if (next == '\\' || next == '{' || next == '}') {
        ++i;
      }
    } else if (c == '{') {
      if (depth == 0 && i != 0) s.closed_early = true;
      ++depth;
    } else if (c == '}') {
      if (--depth == 0) last_close = i;
      if (depth < 0) s.closed_early = true;
    } else if (c >= 0x80 && !(c >= 0xA1 && c <= 0xDF)) {
      s.raw_double_byte = true;
    } else if ((c == '\r' && (i + 1 >= rtf.size() || rtf[i + 1] != '\n')) ||
               (c == '\n' && (i == 0 || rtf[i - 1] != '\r'))) {
      s.bare_line_break = true;
    }
  }
  s.balanced = depth == 0 && last_close + 3 == rtf.size();
  return s;
}

// Author text with balanced groups, mixing characters whose trail bytes are
// RTF specials, half-width katakana, control words and escaped braces.
std::string RandomTopic(std::mt19937& rng) {
  static const std::vector<std::string> kPieces = {
      "abc ",        Sjis("表"), Sjis("ソ"), Sjis("ボ"),  Sjis("日本語"), "\xb1\xb2",
      "\\par",       "\\line",   "\\{",      "\\}",       "\\\\",         "\r\n",
      "\\keepn\r\n", Sjis("能"), Sjis("十"), "\\'93\\'fa"};
  std::string text;
  int open = 0;
  const int n = static_cast<int>(rng() % 40);
  for (int i = 0; i < n; ++i) {
    switch (rng() % 5) {
      case 0:
        text += "{\\b ";
        ++open;
        break;
      case 1:
        if (open > 0) {
          text += "}";
          --open;
        }
        break;
      default:
        text += kPieces[rng() % kPieces.size()];
    }
  }
  text.append(static_cast<std::size_t>(open), '}');
  if (rng() % 3 == 0) text += "\r\n";
  return text;
}

TEST(TopicFileWellFormed, BalancedAuthorTextGivesBalancedDocuments) {
  std::mt19937 rng(20240601);
  for (int round = 0; round < 20; ++round) {
    ProjectModel project;
    project.ClearPages();
    const int pages = 1 + static_cast<int>(rng() % 60);
    for (int i = 1; i <= pages; ++i) {
      PageRecord p;
      p.Attribute = std::vector<int>{0, 0, 0, 1, 1, 2, 3, 11, 12}[rng() % 9];
      p.Context = "HLP" + std::to_string(1000 + i);
      p.Title = Sjis("ボタン表") + std::to_string(i);
      p.Keyword = rng() % 2 ? Sjis("Kソ;表") : "";
      p.Macro = rng() % 2 ? "!Macro(`x')" : "";
      p.Topic = RandomTopic(rng);
      ASSERT_TRUE(project.AppendPage(p));
    }
    const std::string rtf = BuildTopicFile(project);
    RtfScan scan = Scan(rtf);
    EXPECT_TRUE(scan.balanced) << "round " << round;
    EXPECT_FALSE(scan.closed_early) << "round " << round;
    EXPECT_FALSE(scan.raw_double_byte) << "round " << round;
    EXPECT_FALSE(scan.bare_line_break) << "round " << round;

    for (int page = 1; page <= pages; ++page) {
      RtfScan one = Scan(BuildPreviewTopicFile(project, page));
      EXPECT_TRUE(one.balanced && !one.closed_early && !one.raw_double_byte)
          << "round " << round << " preview of page " << page;
    }
  }
}

TEST(TopicFileWellFormed, ScannerSeesRawTrailBytes) {
  // Without escaping, 表 followed by "}" reads as "\}" and the group never
  // closes: the check above would notice.
  EXPECT_FALSE(Scan("{\\rtf1 " + Sjis("表") + "}\r\n").balanced);
  EXPECT_TRUE(Scan("{\\rtf1 \\'95\\'5c}\r\n").balanced);
}

}  // namespace
}  // namespace qy
