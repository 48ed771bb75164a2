// Page search finds its candidates by byte search; the hits must be those of
// a walk over every character of the upper-cased text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/codec.h"
#include "markup/find_pages.h"
#include "markup/find_text_match.h"

namespace qy {
namespace {

// Every non-overlapping occurrence starting on a character, one character
// at a time.
std::vector<FindHit> WalkEveryCharacter(const ProjectModel& project, const std::string& needle,
                                        bool case_sensitive) {
  std::vector<FindHit> hits;
  const std::string n = case_sensitive ? needle : UpperCase(needle);
  for (int p = 1; p <= project.PageCount(); ++p) {
    const std::string text =
        case_sensitive ? project.Page(p).Topic : UpperCase(project.Page(p).Topic);
    for (std::size_t i = 0; i + n.size() <= text.size();) {
      if (text.compare(i, n.size(), n) == 0) {
        hits.push_back({p, static_cast<int>(i) + 1});
        i += n.size();
      } else {
        i += CharLengthAt(text, i);
      }
    }
  }
  return hits;
}

TEST(SearchCandidates, SameHitsAsACharacterWalk) {
  // Pieces whose bytes overlap: trail bytes that look like ASCII letters,
  // full-width letters of both cases, Greek, stray lead bytes.
  const std::vector<std::string> pieces = {
      "a",        "A",        "b",        "\\",           " ",        "\r\n",
      Sjis("ア"), Sjis("プ"), Sjis("ｱ"),  Sjis("Ａ"),     Sjis("ａ"), Sjis("α"),
      Sjis("Α"),  Sjis("表"), Sjis("ソ"), Sjis("ポップ"), "\x83",     "\x83\x41"};
  const std::vector<std::string> needles = {
      "a",  "ab",   "A" + Sjis("ア"),   Sjis("プ"),      Sjis("ａ"), Sjis("α"), Sjis("ポップ"),
      "\\", "\x41", Sjis("アプ") + "A", Sjis("ｱ") + " ", "\x83"};
  std::mt19937 rng(7);
  ProjectModel project;
  project.ClearPages();
  for (int p = 0; p < 60; ++p) {
    PageRecord page;
    const int n = static_cast<int>(rng() % 80);
    for (int i = 0; i < n; ++i) page.Topic += pieces[rng() % pieces.size()];
    project.AppendPage(page);
  }
  for (const std::string& needle : needles) {
    for (const bool case_sensitive : {true, false}) {
      const PageSearch search{needle, case_sensitive, FindScope::kProject, 1};
      EXPECT_EQ(SearchPages(project, search), WalkEveryCharacter(project, needle, case_sensitive))
          << needle << " case_sensitive=" << case_sensitive;
    }
  }
}

}  // namespace
}  // namespace qy
