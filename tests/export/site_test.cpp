// The site's plan, its pages against golden files, its search index and
// its colours.
//
// Golden pages, one pair per feature in data/export: NAME.txt holds a page's
// topic text (UTF-8 here, Shift-JIS in the project), NAME.html the page's
// main part as the site writes it, followed by the notes the export made.
// The project around the page is fixed: a topic HLP000002, a popup
// HLP000003 and a Topic page with the keyword 索引語.
// QY_UPDATE_GOLDEN=1 rewrites the expected files (review the diff).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/codec.h"
#include "core/files.h"
#include "export/page_render.h"
#include "export/search_index.h"
#include "export/site_plan.h"
#include "export/site_style.h"

namespace qy::help_export {
namespace {

PageRecord Page(const std::string& context, PageAttribute kind, const std::string& keyword = "",
                const std::string& topic = "") {
  PageRecord page;
  page.Context = context;
  page.Title = "T" + context;
  page.Attribute = kind;
  page.Keyword = keyword;
  page.Topic = topic;
  page.ContextID = static_cast<int>(context.size()) * 100 + (context.empty() ? 0 : context.back());
  return page;
}

std::string ExportedMain(const std::string& topic_utf8) {
  std::string topic;
  for (char c : Sjis(topic_utf8)) topic += c == '\n' ? std::string("\r\n") : std::string(1, c);
  while (topic.size() >= 2 && topic.compare(topic.size() - 2, 2, "\r\n") == 0)
    topic.resize(topic.size() - 2);
  ProjectModel project;
  project.ClearPages();
  project.AppendPage(Page("HLP000001", kTopicPage, "", topic));
  project.AppendPage(Page("HLP000002", kTopicPage, "", Sjis("二番目のページ。")));
  project.AppendPage(Page("HLP000003", kPopupPage, "", Sjis("用語の説明。")));
  project.AppendPage(Page("HLP000004", kTopicPage, Sjis("索引語")));
  const char* titles[] = {"試験", "行き先", "用語", "索引先"};
  for (int i = 1; i <= 4; ++i) {
    project.MutablePage(i).Title = Sjis(titles[i - 1]);
    project.MutablePage(i).ContextID = i;
  }
  const SitePlan plan = PlanSite(project);
  PageRenderer renderer(project, plan, Flavor::kSite);
  const std::string page = renderer.PageDocument(0);
  const std::size_t start = page.find("<div id=\"qy-main\"");
  std::string main = page.substr(start, page.find("</div>\n<script>qyInit") - start);
  for (const std::string& note : renderer.Notes()) main += "note: " + Cp932ToUtf8(note) + "\n";
  return main;
}

TEST(ExportMarkupGolden, EveryGroupMatches) {
  int groups = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(QY_TEST_DATA_DIR) / "export")) {
    if (entry.path().extension() != ".txt") continue;
    ++groups;
    std::filesystem::path expected_path = entry.path();
    expected_path.replace_extension(".html");
    const std::string actual = ExportedMain(ReadWholeFile(entry.path().string()).value_or(""));
    if (std::getenv("QY_UPDATE_GOLDEN") != nullptr) {
      std::ofstream(expected_path, std::ios::binary) << actual;
      continue;
    }
    EXPECT_EQ(ReadWholeFile(expected_path.string()).value_or(""), actual)
        << "group " << entry.path().stem();
  }
  EXPECT_GE(groups, 5);
}

// Books, popups and contents entries around the browse sequence; a context
// repeated in another case; a contents entry per target form.
TEST(SitePlan, PagesBrowseContentsAndNotes) {
  ProjectModel project;
  project.ClearPages();
  project.AppendPage(Page("A", kTopicPage));
  project.AppendPage(Page("BOOK", BookAttribute(1)));
  project.AppendPage(Page("P", kPopupPage));
  project.AppendPage(Page("B", kTopicPage));
  project.AppendPage(Page("a", kTopicPage));  // same context as page 1
  project.AppendPage(Page("C1", kContentPage, "", "b>main\r\nsecond line"));
  project.AppendPage(Page("C2", kContentPage, "", "EF(`tool.exe', `x')"));
  project.AppendPage(Page("C3", kContentPage, "", "B@other.hlp"));
  project.AppendPage(Page("C4", kContentPage, "", "!JI(`', `A')"));
  project.AppendPage(Page("INC", kIncludePage));
  const SitePlan plan = PlanSite(project);

  ASSERT_EQ(plan.pages.size(), 3u);  // A, P, B
  EXPECT_EQ(plan.pages[0].next, 2);  // the popup is not browsed
  EXPECT_EQ(plan.pages[2].previous, 0);
  EXPECT_EQ(plan.FindContext(" b "), 2);
  std::vector<std::string> contents;
  for (const ContentsEntry& e : plan.contents) {
    contents.push_back(std::to_string(e.level) + (e.book ? "B " : " ") + e.title + "=" + e.file);
  }
  EXPECT_EQ(contents,
            (std::vector<std::string>{"1 TA=A.html", "1B TBOOK=", "2 TB=B.html", "2 TC1=B.html",
                                      "2 TC2=tool.exe", "2 TC3=", "2 TC4=A.html"}));
  ASSERT_EQ(plan.notes.size(), 3u);  // duplicate context, C3, include
  EXPECT_NE(plan.notes[0].find(Sjis("同じコンテキスト")), std::string::npos);
}

TEST(SitePlan, KeywordsMergeIgnoringAsciiCaseInShiftJisOrder) {
  ProjectModel project;
  project.ClearPages();
  project.AppendPage(Page("A", kTopicPage, Sjis(" 入力 ;Key;;かな")));
  project.AppendPage(Page("B", kTopicPage, Sjis("KEY;入力;入力")));
  const SitePlan plan = PlanSite(project);
  std::vector<std::string> keywords;
  for (const KeywordEntry& k : plan.k_keywords) {
    keywords.push_back(Cp932ToUtf8(k.keyword) + ":" + std::to_string(k.pages.size()));
  }
  EXPECT_EQ(keywords, (std::vector<std::string>{"Key:2", "かな:1", "入力:2"}));
  EXPECT_EQ(PagesOfKeywords(plan.k_keywords, Sjis("かな; key ")), (std::vector<int>{0, 1}));
  EXPECT_EQ(PageFileName("a b/c"), "a~20b~2Fc.html");
  EXPECT_EQ(PageFileName(Sjis("表")), "~95~5C.html");
}

TEST(SearchIndex, FindsJapaneseByBigramsAndRanks) {
  SearchIndex index;
  index.AddPage("a.html", "家計簿", "家計簿を作成します。家計簿の保存。");
  index.AddPage("b.html", "入力", "収入と支出。ＥＮＴＥＲキー");
  index.AddPage("c.html", "計算", "家計の簿記");  // holds both bigram halves, not the word
  const struct {
    const char* query;
    std::vector<int> hits;
  } cases[] = {
      {"家計簿", {0}},                      // "家計" and "計簿" both only in a
      {"家計", {0, 2}},                     // a has it three times: first
      {"Ｅnter キー", {1}},                 // full-width text, two runs, both needed
      {"簿", {0, 2}},                       // one character
      {"存在しない", {}},   {"、。 ", {}},  // only separators
  };
  for (const auto& c : cases) EXPECT_EQ(index.Search(c.query), c.hits) << c.query;

  // The script is ASCII and cannot end the script element.
  index.AddPage("x.html", "</script>\"\\", "𠮷野");
  const std::string script = index.Script();
  for (char c : script) ASSERT_LT(static_cast<unsigned char>(c), 0x80);
  EXPECT_EQ(script.find("</script"), std::string::npos);
  EXPECT_NE(script.find("\\u003c/script\\u003e\\u0022\\u005c"), std::string::npos);
  EXPECT_NE(script.find("\"\\ud842\\udfb7\\u91ce\":\"3:1\""), std::string::npos);  // surrogates
}

TEST(SiteStyle, WindowColoursAreWindowsColourValues) {
  const std::string section =
      "second=\"x\",,4,(r255),(r65280)\r\nmain=\"\",,27648,(r14876671),(r12632256)";
  EXPECT_EQ(WindowColoursOf(section, "MAIN").non_scrolling, "#c0c0c0");
  EXPECT_EQ(WindowColoursOf(section, "second").topic, "#ff0000");
  // Not a colour: the default stays.
  EXPECT_EQ(WindowColoursOf("main=\"\",,1,(r99999999),(rx)", "main").topic, "#ffffe2");
}

}  // namespace
}  // namespace qy::help_export
