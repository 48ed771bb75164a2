#include "markup/find_pages.h"

#include <gtest/gtest.h>

#include <random>

#include "core/codec.h"
#include "markup/find_text_match.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using Hits = std::vector<FindHit>;

Hits Search(const ProjectModel& project, const std::string& text, bool case_sensitive = true) {
  return SearchPages(project, {text, case_sensitive, FindScope::kProject, 1});
}

void Pages(ProjectModel& project, const std::string& layout,
           const std::vector<std::string>& topics) {
  testing::MakePages(project, layout);
  for (std::size_t i = 0; i < topics.size(); ++i) {
    project.MutablePage(static_cast<int>(i) + 1).Topic = topics[i];
  }
}

// Every non-overlapping occurrence starting on a character, one character
// at a time: what the byte search must agree with.
Hits WalkEveryCharacter(const ProjectModel& project, const std::string& needle, bool cs) {
  Hits hits;
  const std::string n = cs ? needle : UpperCase(needle);
  for (int p = 1; p <= project.PageCount(); ++p) {
    const std::string text = cs ? project.Page(p).Topic : UpperCase(project.Page(p).Topic);
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

TEST(FindPages, SameHitsAsACharacterWalk) {
  // Trail bytes that look like ASCII letters or "\", full-width letters of
  // both cases, Greek, stray lead bytes.
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
    for (const bool cs : {true, false}) {
      EXPECT_EQ(Search(project, needle, cs), WalkEveryCharacter(project, needle, cs))
          << needle << " case_sensitive=" << cs;
    }
  }
  // Full-width letters have case too.
  Pages(project, "T", {Sjis("全角ＨＴＭＬ")});
  EXPECT_EQ(Search(project, Sjis("ｈｔｍｌ"), false), (Hits{{1, 5}}));
}

TEST(FindPages, RowsShowThePageAndTheRestOfTheLineAsWritten) {
  ProjectModel project;
  Pages(project, "T C", {"one\r\ntwo X\r\nthree", "x"});
  project.MutablePage(1).Title = "Title";
  EXPECT_EQ(MakeHitRow(project, {1, 6}).excerpt, "two X");
  EXPECT_EQ(MakeHitRow(project, {1, 13}).excerpt, "three");
  EXPECT_EQ(MakeHitRow(project, {7, 1}).title, "");
  EXPECT_EQ(MakeHitRow(project, Search(project, "x", false)[0]).excerpt, "X");
}

TEST(FindPages, OnlyTopicTextOfPagesWithTextIsSearched) {
  ProjectModel project;
  Pages(project, "T B1 I C", {"k", "k", "k", "k"});
  project.MutablePage(1).Title = project.MutablePage(1).Keyword = "k";
  EXPECT_EQ(Search(project, "k"), (Hits{{1, 1}, {4, 1}}));
  EXPECT_EQ(SearchPages(project, {"k", true, FindScope::kPage, 4}), (Hits{{4, 1}}));
  EXPECT_TRUE(SearchPages(project, {"k", true, FindScope::kPage, 2}).empty());
}

TEST(FindHitKey, PageNumbersHaveOneToThreeDigits) {
  EXPECT_EQ(ParseHitKey(HitKey({999, 305})), (FindHit{999, 305}));
  for (const char* bad : {"1000=1", "=1", "1=", "1=x", "12"}) {
    EXPECT_EQ(ParseHitKey(bad), std::nullopt) << bad;
  }
}

TEST(FindPages, ReplaceMovesLaterHitsAndLeavesStaleOnesAlone) {
  struct Case {
    std::vector<std::string> topics;
    std::string find;
    bool case_sensitive;
    std::vector<bool> selected;
    std::string edited;  // page 1's text after the search, "" for unchanged
    std::string typed;   // the find box at replace time
    std::string replace;
    int replaced;
    std::vector<std::string> after;
  };
  // clang-format off
  const Case cases[] = {
      {{"a-a", "a"}, "a", true, {}, "", "a", "xyz", 3, {"xyz-xyz", "xyz"}},
      {{"ab ab ab", "ab"}, "ab", true, {false, true, false, true}, "", "ab", "XYZ", 2, {"ab XYZ ab", "XYZ"}},
      {{Sjis("アHTML html Html")}, "html", false, {}, "", "html", "<b>", 3, {Sjis("ア<b> <b> <b>")}},
      // Edited since the search, or a find box changed afterwards.
      {{"one two one"}, "one", true, {}, "xone two one", "one", "1", 0, {"xone two one"}},
      {{"one two one"}, "one", true, {}, "", "one two", "x", 1, {"x one"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    ProjectModel project;
    Pages(project, c.topics.size() > 1 ? "T T" : "T", c.topics);
    const Hits hits = Search(project, c.find, c.case_sensitive);
    if (!c.edited.empty()) project.MutablePage(1).Topic = c.edited;
    EXPECT_EQ(ReplaceHits(project, hits, c.selected, c.typed, c.replace), c.replaced) << c.find;
    for (std::size_t p = 0; p < c.after.size(); ++p) {
      EXPECT_EQ(project.Page(static_cast<int>(p) + 1).Topic, c.after[p]) << c.find;
    }
  }
  ProjectModel project;  // a hit past the end of the text is left alone
  Pages(project, "T", {"x"});
  EXPECT_EQ(ReplaceHits(project, {{1, 1}, {1, 2}}, {}, "x", "y"), 1);
}

}  // namespace
}  // namespace qy
