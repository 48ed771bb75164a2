#include "markup/find_pages.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "markup/find_text_match.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::MakePages;

std::vector<FindHit> Search(const ProjectModel& project, const std::string& text,
                            bool case_sensitive = true) {
  PageSearch s;
  s.text = text;
  s.case_sensitive = case_sensitive;
  return SearchPages(project, s);
}

class FindPagesTest : public ::testing::Test {
 protected:
  void Pages(const std::string& layout, const std::vector<std::string>& topics) {
    MakePages(project, layout);
    for (std::size_t i = 0; i < topics.size(); ++i) {
      project.MutablePage(static_cast<int>(i) + 1).Topic = topics[i];
    }
  }
  const std::string& Topic(int page) { return project.Page(page).Topic; }
  ProjectModel project;
};

TEST_F(FindPagesTest, HitsNeverOverlap) {
  Pages("T T", {"abab", "aaa"});
  EXPECT_EQ(Search(project, "ab"), (std::vector<FindHit>{{1, 1}, {1, 3}}));
  EXPECT_EQ(Search(project, "aa"), (std::vector<FindHit>{{2, 1}}));
  EXPECT_TRUE(Search(project, "").empty());
}

TEST_F(FindPagesTest, NoHitStartsOnATrailByte) {
  // ア is 0x83 0x41 ("A" as trail byte), ソ is 0x83 0x5C ("\").
  Pages("T", {Sjis("アAソ\\")});
  EXPECT_EQ(Search(project, "A"), (std::vector<FindHit>{{1, 3}}));
  EXPECT_EQ(Search(project, "\\"), (std::vector<FindHit>{{1, 6}}));
  EXPECT_EQ(Search(project, "a", false), (std::vector<FindHit>{{1, 3}}));
  EXPECT_EQ(Search(project, Sjis("ソ")), (std::vector<FindHit>{{1, 4}}));
}

TEST_F(FindPagesTest, CaseBlindSearchKeepsPositionsAndShowsTheTextAsWritten) {
  Pages("T P", {Sjis("全角ＨＴＭＬ and HTML\r\nsecond Html"), "xhtml"});
  const auto hits = Search(project, "html", false);
  ASSERT_EQ(hits, (std::vector<FindHit>{{1, 18}, {1, 31}, {2, 2}}));
  EXPECT_EQ(MakeHitRow(project, hits[0]).excerpt, "HTML");
  EXPECT_EQ(MakeHitRow(project, hits[1]).excerpt, "Html");
  EXPECT_TRUE(Search(project, "html").size() == 1);
  // Full-width letters have case too.
  EXPECT_EQ(Search(project, Sjis("ｈｔｍｌ"), false), (std::vector<FindHit>{{1, 5}}));
}

TEST_F(FindPagesTest, RowsShowThePageAndTheRestOfTheLine) {
  Pages("T C", {"one\r\ntwo x\r\nthree", "x"});
  project.MutablePage(1).Title = "Title";
  const FindHitRow row = MakeHitRow(project, {1, 6});
  EXPECT_EQ(row.title, "Title");
  EXPECT_EQ(row.excerpt, "two x");
  EXPECT_EQ(row.context, "HLP000001");
  EXPECT_EQ(row.key, "1=6");
  EXPECT_EQ(MakeHitRow(project, {2, 1}).attribute, kContentPage);
  EXPECT_EQ(MakeHitRow(project, {1, 13}).excerpt, "three");
  EXPECT_EQ(MakeHitRow(project, {7, 1}).title, "");
}

TEST_F(FindPagesTest, OnlyTopicTextOfPagesWithTextIsSearched) {
  Pages("T B1 I C", {"k", "k", "k", "k"});
  project.MutablePage(1).Title = "k";
  project.MutablePage(1).Keyword = "k";
  EXPECT_EQ(Search(project, "k"), (std::vector<FindHit>{{1, 1}, {4, 1}}));

  PageSearch page_scope;
  page_scope.text = "k";
  page_scope.scope = FindScope::kPage;
  page_scope.current_page = 4;
  EXPECT_EQ(SearchPages(project, page_scope), (std::vector<FindHit>{{4, 1}}));
  page_scope.current_page = 2;
  EXPECT_TRUE(SearchPages(project, page_scope).empty());
}

TEST_F(FindPagesTest, ProgressAdvancesOncePerPage) {
  Pages("T T T", {"", "", ""});
  testing::FakeProgress progress;
  PageSearch s;
  s.text = "x";
  SearchPages(project, s, &progress);
  EXPECT_EQ(progress.maximum, 3);
  EXPECT_EQ(progress.position, 3);
  EXPECT_EQ(progress.pumps, 3);
}

TEST(FindHitKey, PageNumbersHaveOneToThreeDigits) {
  EXPECT_EQ(HitKey({12, 305}), "12=305");
  EXPECT_EQ(ParseHitKey("12=305"), (FindHit{12, 305}));
  EXPECT_EQ(ParseHitKey("999=1"), (FindHit{999, 1}));
  for (const char* bad : {"1000=1", "=1", "1=", "1=x", "12"}) {
    EXPECT_EQ(ParseHitKey(bad), std::nullopt) << bad;
  }
}

TEST_F(FindPagesTest, ReplacingMovesLaterHitsOfThePage) {
  Pages("T T", {"a-a", "a"});
  const auto hits = Search(project, "a");
  EXPECT_EQ(ReplaceHits(project, hits, {}, "a", "xyz"), 3);
  EXPECT_EQ(Topic(1), "xyz-xyz");
  EXPECT_EQ(Topic(2), "xyz");

  Pages("T", {"long-long-long"});
  EXPECT_EQ(ReplaceHits(project, Search(project, "long"), {}, "long", "s"), 3);
  EXPECT_EQ(Topic(1), "s-s-s");
}

TEST_F(FindPagesTest, ReplaceSelectedChangesOnlyTheChosenOccurrences) {
  Pages("T T", {"ab ab ab", "ab"});
  const auto hits = Search(project, "ab");
  ASSERT_EQ(hits.size(), 4u);
  EXPECT_EQ(ReplaceHits(project, hits, {false, true, false, true}, "ab", "XYZ"), 2);
  EXPECT_EQ(Topic(1), "ab XYZ ab");
  EXPECT_EQ(Topic(2), "XYZ");
}

TEST_F(FindPagesTest, CaseBlindReplaceUsesTheTypedLength) {
  Pages("T", {Sjis("アHTML html Html")});
  const auto hits = Search(project, "html", false);
  EXPECT_EQ(ReplaceHits(project, hits, {}, "html", "<b>"), 3);
  EXPECT_EQ(Topic(1), Sjis("ア<b> <b> <b>"));
}

TEST_F(FindPagesTest, HitsThatNoLongerMatchAreLeftAlone) {
  Pages("T", {"one two one"});
  const auto hits = Search(project, "one");
  project.MutablePage(1).Topic = "xone two one";  // edited since the search
  EXPECT_EQ(ReplaceHits(project, hits, {}, "one", "1"), 0);
  EXPECT_EQ(Topic(1), "xone two one");
  // A find box changed after the search does not corrupt the text.
  project.MutablePage(1).Topic = "one two one";
  EXPECT_EQ(ReplaceHits(project, hits, {}, "one two", "x"), 1);
  EXPECT_EQ(Topic(1), "x one");
  EXPECT_EQ(ReplaceHits(project, {{1, 1}, {1, 2}}, {}, "x", "y"), 1);
}

TEST_F(FindPagesTest, EveryHitOfAFullProjectIsFoundAndReplaced) {
  std::string topic;
  while (topic.size() < 10000) topic += Sjis("テキストとtext、") + "Key\r\n";
  MakePages(project, "");
  for (int i = 0; i < kMaxPages; ++i) {
    PageRecord page;
    page.Context = NumberedContext(i + 1);
    page.Topic = topic;
    project.AppendPage(std::move(page));
  }
  std::size_t per_page = 0;
  ForEachMatch(UpperCase(topic), "T", 0, [&](std::size_t) { return ++per_page, true; });

  const auto hits = Search(project, "t", false);
  ASSERT_EQ(hits.size(), per_page * kMaxPages);
  EXPECT_EQ(ReplaceHits(project, hits, {}, "t", "TT"), static_cast<int>(hits.size()));
  EXPECT_EQ(Topic(kMaxPages).size(), topic.size() + per_page);
}

}  // namespace
}  // namespace qy
