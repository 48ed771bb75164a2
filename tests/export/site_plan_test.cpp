#include "export/site_plan.h"

#include <gtest/gtest.h>

#include "core/codec.h"
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
  EXPECT_EQ(plan.pages[0].file, "A.html");
  EXPECT_TRUE(plan.pages[1].popup);
  EXPECT_EQ(plan.pages[0].next, 2);  // the popup is not browsed
  EXPECT_EQ(plan.pages[2].previous, 0);
  EXPECT_EQ(plan.pages[1].next, -1);
  EXPECT_EQ(plan.FindContext(" b "), 2);
  EXPECT_EQ(plan.FirstTopic(), 0);

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
  EXPECT_TRUE(PagesOfKeywords(plan.k_keywords, "none").empty());
}

TEST(SitePlan, FileNamesAreTheSameOnDiskAndInLinks) {
  EXPECT_EQ(PageFileName("HLP_0.1-x"), "HLP_0.1-x.html");
  EXPECT_EQ(PageFileName("a b/c"), "a~20b~2Fc.html");
  EXPECT_EQ(PageFileName(Sjis("表")), "~95~5C.html");
}

TEST(SiteStyle, WindowColoursAreWindowsColourValues) {
  const std::string section =
      "second=\"x\",,4,(r255),(r65280)\r\nmain=\"\",,27648,(r14876671),(r12632256)";
  const WindowColours main = WindowColoursOf(section, "MAIN");
  EXPECT_EQ(main.topic, "#ffffe2");
  EXPECT_EQ(main.non_scrolling, "#c0c0c0");
  const WindowColours second = WindowColoursOf(section, "second");
  EXPECT_EQ(second.topic, "#ff0000");
  EXPECT_EQ(second.non_scrolling, "#00ff00");
  // Not a colour: the default stays.
  EXPECT_EQ(WindowColoursOf("main=\"\",,1,(r99999999),(rx)", "main").topic, "#ffffe2");
  EXPECT_EQ(WindowColoursOf("", "main").non_scrolling, "#c0c0c0");
}

}  // namespace
}  // namespace qy::help_export
