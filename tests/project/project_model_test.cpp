#include "project/project_model.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/codec.h"

namespace qy {
namespace {

PageRecord MakePage(std::string context, std::int32_t id, PageAttribute attribute = kTopicPage) {
  PageRecord p;
  p.Context = context;
  p.Title = "T" + context;
  p.ContextID = id;
  p.Attribute = attribute;
  return p;
}

void AddPages(ProjectModel& model, std::initializer_list<std::pair<const char*, int>> pages) {
  for (const auto& [context, id] : pages) ASSERT_TRUE(model.AppendPage(MakePage(context, id)));
}

TEST(ProjectModelLifecycle, NewProjectHasOneTopicPage) {
  ProjectModel model;
  model.Header().HelpTitle = "old";
  model.SetModified(true);
  model.SetCurrentPage(5);
  AddPages(model, {{"X", 7}, {"Y", 8}});

  model.NewProject("/opt/quillory/");

  ASSERT_EQ(model.PageCount(), 1);
  const PageRecord& p = model.Page(1);
  EXPECT_EQ(p.Context, "HLP000001");
  EXPECT_EQ(p.ContextID, 1);
  EXPECT_EQ(p.Title, "HLP000001");
  EXPECT_EQ(p.Attribute, kTopicPage);
  EXPECT_TRUE(p.Keyword.empty() && p.Topic.empty() && p.Window.empty() && p.Macro.empty());
  EXPECT_EQ(model.ProjectFileName(), "/opt/quillory/Project1.qyp");
  EXPECT_EQ(model.CurrentPage(), 1);
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(model.Header(), ProjectHeader::Defaults());
}

TEST(ProjectModelLifecycle, ClearProjectEmptiesEverythingAndTellsTheWindow) {
  ProjectModel model;
  std::vector<bool> told;
  model.on_modified_changed = [&](bool m) { told.push_back(m); };
  AddPages(model, {{"A", 1}});
  model.Header().ProjectOptions = "11111111other//x.cnt";
  model.SetProjectFileName("/p/a.qyp");
  model.SetCurrentPage(1);
  model.SetModified(true);

  model.ClearProject();

  EXPECT_EQ(model.PageCount(), 0);
  EXPECT_EQ(model.ProjectFileName(), "");
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(model.Header().WindowsSection, "main=\"\",,27648,(r14876671),(r12632256)");
  EXPECT_EQ(model.Header().ProjectOptions, "00000000main");
  EXPECT_EQ(model.Header().BitmapSection, "Etcetera");
  EXPECT_EQ(model.Header().FontSizeIndex, 3);
  EXPECT_EQ(told, (std::vector<bool>{true, false}));
}

TEST(ProjectModelSearch, NextFreeContextTakesTheLowestGap) {
  ProjectModel model;
  EXPECT_EQ(model.NextFreeContext(), "HLP000001");
  EXPECT_EQ(model.NextFreeContextID(), 1);

  AddPages(model, {{"HLP000001", 1}, {"HLP000003", 2}});
  EXPECT_EQ(model.NextFreeContext(), "HLP000002");
  EXPECT_EQ(model.NextFreeContextID(), 3);
}

TEST(ProjectModelSearch, NextFreeContextAfterAllCandidatesIsCountPlusOne) {
  ProjectModel model;
  AddPages(model, {{"HLP000002", 5}, {"HLP000001", 9}, {"HLP000003", 1}});
  EXPECT_EQ(model.NextFreeContext(), "HLP000004");
  EXPECT_EQ(model.NextFreeContextID(), 2);
}

TEST(ProjectModelSearch, NextFreeContextSeesContextsInAnyCase) {
  // A hand-typed lower-case context is the same help context.
  ProjectModel model;
  AddPages(model, {{"hlp000001", 1}, {"Other", 2}});
  EXPECT_EQ(model.NextFreeContext(), "HLP000002");
}

TEST(ProjectModelSearch, OnlyTheExactNumberedFormTakesACandidate) {
  ProjectModel model;
  AddPages(model, {{"HLP0000001", 1},
                   {"HLP000001x", 2},
                   {"HLP00001", 3},
                   {"HLP000 01", 4},
                   {"XLP000001", 5},
                   {"HLP000002", 6},
                   {"HLP000000", 7}});
  EXPECT_EQ(model.NextFreeContext(), "HLP000001");
  EXPECT_EQ(model.SecondFreeContext(), "HLP000003");
  // Whatever the search returns is free by the case-insensitive comparison.
  EXPECT_FALSE(model.ContextInUse(model.NextFreeContext()));
  EXPECT_FALSE(model.ContextInUse(model.SecondFreeContext()));
}

TEST(ProjectModelSearch, NextFreeContextIdFillsGaps) {
  ProjectModel model;
  AddPages(model, {{"A", 2}, {"B", 3}});
  EXPECT_EQ(model.NextFreeContextID(), 1);
  model.SetContextID(1, 1);
  EXPECT_EQ(model.NextFreeContextID(), 2);
}

TEST(ProjectModelSearch, NumberedContextDigits) {
  EXPECT_EQ(NumberedContext(7), "HLP000007");
  EXPECT_EQ(NumberedContext(42), "HLP000042");
  EXPECT_EQ(NumberedContext(999), "HLP000999");
  EXPECT_EQ(NumberedContext(1000), "HLP0001000");
}

TEST(ProjectModelSearch, SecondFreeContextStartsAtTwo) {
  ProjectModel model;
  EXPECT_EQ(model.SecondFreeContext(), "HLP000");

  AddPages(model, {{"Start", 1}});
  EXPECT_EQ(model.SecondFreeContext(), "HLP000002");

  AddPages(model, {{"hlp000002", 2}});
  EXPECT_EQ(model.SecondFreeContext(), "HLP000003");
}

TEST(ProjectModelSearch, SecondFreeContextFallsBackToALastCandidateInUse) {
  ProjectModel model;
  AddPages(model, {{"HLP000002", 1}, {"HLP000003", 2}});
  // Candidates 2..3 are taken; the last one comes back although it is used.
  EXPECT_EQ(model.SecondFreeContext(), "HLP000003");
  EXPECT_TRUE(model.ContextInUse(model.SecondFreeContext()));
}

TEST(ProjectModelSearch, ContextInUseIgnoresCaseAndLeavesOutAPage) {
  ProjectModel model;
  AddPages(model, {{"Intro", 10}, {"HLP000001", 20}});
  EXPECT_TRUE(model.ContextInUse("INTRO"));
  EXPECT_TRUE(model.ContextInUse("hlp000001"));
  EXPECT_FALSE(model.ContextInUse("intro", 1));
  EXPECT_TRUE(model.ContextInUse("intro", 2));
  EXPECT_FALSE(model.ContextInUse("Intro2"));
  EXPECT_EQ(model.FindContext("hLp000001"), 2);
  EXPECT_EQ(model.FindContext("none"), 0);

  EXPECT_TRUE(model.ContextIDInUse(20));
  EXPECT_FALSE(model.ContextIDInUse(20, 2));
  EXPECT_TRUE(model.ContextIDInUse(10, 2));
  EXPECT_FALSE(model.ContextIDInUse(30));
}

TEST(ProjectModelSearch, ContextCaseFoldingLeavesDoubleByteCharactersAlone) {
  // The trail byte of "ア" (0x83 0x41) looks like 'A' and must not match 'a'.
  ProjectModel model;
  const std::string katakana = Sjis("ア");
  ASSERT_EQ(katakana, "\x83\x41");
  AddPages(model, {{katakana.c_str(), 1}});
  EXPECT_FALSE(model.ContextInUse("\x83\x61"));
  EXPECT_TRUE(model.ContextInUse(katakana));
}

class TreeLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PageRecord topic = MakePage("CTX", 42);
    topic.Title = "Title";
    topic.Keyword = "kw";
    ASSERT_TRUE(model.AppendPage(topic));
    PageRecord content = MakePage("MAC", 7, kContentPage);
    content.Title = "Run";
    ASSERT_TRUE(model.AppendPage(content));
    PageRecord book = MakePage("BK", 8, BookAttribute(2));
    book.Title = "Book";
    ASSERT_TRUE(model.AppendPage(book));
  }
  std::string Label(int mode, int page) {
    model.SetTreeLabelMode(mode);
    return model.TreeLabel(page);
  }
  ProjectModel model;
};

TEST_F(TreeLabelTest, EveryModeForATopic) {
  EXPECT_EQ(Label(0, 1), "Title");
  EXPECT_EQ(Label(2, 1), "CTX /Title");
  EXPECT_EQ(Label(4, 1), "42 /Title");
  EXPECT_EQ(Label(6, 1), "CTX /42 /Title");
  EXPECT_EQ(Label(8, 1), "Title /kw");
  EXPECT_EQ(Label(10, 1), "CTX /Title /kw");
  EXPECT_EQ(Label(12, 1), "42 /Title" + Sjis("：") + "kw");
  EXPECT_EQ(Label(14, 1), "CTX /42 /Title /kw");
}

TEST_F(TreeLabelTest, KeywordPartOnlyForHelpTopics) {
  for (int page : {2, 3}) {
    // Even a stale keyword left in a non-topic slot stays out of the label.
    model.MutablePage(page).Keyword = "stale";
    const std::string& title = model.Page(page).Title;
    const std::string& context = model.Page(page).Context;
    const std::string id = std::to_string(model.Page(page).ContextID);
    EXPECT_EQ(Label(8, page), title);
    EXPECT_EQ(Label(10, page), context + " /" + title);
    EXPECT_EQ(Label(12, page), id + " /" + title);
    EXPECT_EQ(Label(14, page), context + " /" + id + " /" + title);
  }
}

TEST_F(TreeLabelTest, OtherModesGiveAnEmptyLabel) {
  for (int mode : {1, 3, 5, 7, 9, 11, 13, 15, 16, -2, 100}) {
    EXPECT_EQ(Label(mode, 1), "") << "mode " << mode;
  }
}

TEST(ProjectModelFields, TopicToIncludeClearsWhatIncludeCannotHold) {
  ProjectModel model;
  PageRecord p = MakePage("A", 1);
  p.Keyword = "k";
  p.AKeyword = "a";
  p.BKeyword = "b";
  p.Window = "w";
  p.Macro = "m";
  p.Topic = "text";
  ASSERT_TRUE(model.AppendPage(p));
  ASSERT_TRUE(model.AppendPage(p));

  model.SetAttribute(1, kPopupPage);
  PageRecord expected_popup = p;
  expected_popup.Attribute = kPopupPage;
  EXPECT_EQ(model.Page(1), expected_popup);

  model.SetAttribute(2, kIncludePage);
  const PageRecord& inc = model.Page(2);
  EXPECT_EQ(inc.Context, "A");
  EXPECT_EQ(inc.Title, p.Title);
  EXPECT_EQ(inc.Attribute, kIncludePage);
  EXPECT_EQ(inc.Keyword + inc.AKeyword + inc.BKeyword + inc.Window + inc.Macro + inc.Topic, "");
}

TEST(ProjectModelFields, ContentKeepsTopicButNotKeywords) {
  ProjectModel model;
  PageRecord p = MakePage("A", 1);
  p.Keyword = "k";
  p.Topic = "JI(`x.hlp',`a')";
  ASSERT_TRUE(model.AppendPage(p));
  model.SetAttribute(1, kContentPage);
  EXPECT_EQ(model.Page(1).Topic, p.Topic);
  EXPECT_EQ(model.Page(1).Keyword, "");
  model.SetAttribute(1, BookAttribute(1));
  EXPECT_EQ(model.Page(1).Topic, "");
}

TEST(ProjectModelFields, FieldsThatDoNotApplyReadEmptyAndRefuseWrites) {
  ProjectModel model;
  PageRecord p = MakePage("A", 1, BookAttribute(1));
  p.Keyword = "left over";
  ASSERT_TRUE(model.AppendPage(p));
  EXPECT_EQ(model.GetField(1, PageField::kKeyword), "");
  EXPECT_FALSE(model.SetField(1, PageField::kWindow, "main"));
  EXPECT_FALSE(model.SetField(1, PageField::kTopic, "x"));
  EXPECT_EQ(model.Page(1).Window, "");
  EXPECT_TRUE(model.SetField(1, PageField::kTitle, "Book"));
  EXPECT_EQ(model.GetField(1, PageField::kTitle), "Book");
  EXPECT_THROW(model.GetField(2, PageField::kTitle), std::out_of_range);
  EXPECT_THROW(model.Page(0), std::out_of_range);
}

TEST(ProjectModelFields, ByteFieldsKeepTheFirst255Bytes) {
  ProjectModel model;
  AddPages(model, {{"A", 1}});
  const std::string long_value(300, 'x');
  for (PageField f :
       {PageField::kContext, PageField::kTitle, PageField::kKeyword, PageField::kAKeyword,
        PageField::kBKeyword, PageField::kWindow, PageField::kMacro}) {
    ASSERT_TRUE(model.SetField(1, f, long_value));
    EXPECT_EQ(model.GetField(1, f), std::string(255, 'x'));
  }
  ASSERT_TRUE(model.SetField(1, PageField::kTopic, long_value));
  EXPECT_EQ(model.GetField(1, PageField::kTopic), long_value);
}

TEST(ProjectModelFields, CutNeverSplitsADoubleByteCharacter) {
  ProjectModel model;
  AddPages(model, {{"A", 1}});
  const std::string a = Sjis("あ");
  ASSERT_EQ(a.size(), 2u);
  // The 255th byte is the lead byte of "あ": the whole character goes.
  const std::string value = std::string(254, 'x') + a + "tail";
  ASSERT_TRUE(model.SetField(1, PageField::kTitle, value));
  EXPECT_EQ(model.Page(1).Title, std::string(254, 'x'));
  // Ending exactly on the limit keeps the character.
  const std::string exact = std::string(253, 'x') + a + "tail";
  ASSERT_TRUE(model.SetField(1, PageField::kTitle, exact));
  EXPECT_EQ(model.Page(1).Title, std::string(253, 'x') + a);
}

TEST(ProjectModelTable, RefusesThe1000thPage) {
  ProjectModel model;
  for (int i = 1; i <= kMaxPages; ++i) {
    ASSERT_TRUE(model.AppendPage(MakePage(NumberedContext(i), i))) << i;
  }
  EXPECT_TRUE(model.IsFull());
  EXPECT_FALSE(model.AppendPage(MakePage("X", 5000)));
  EXPECT_FALSE(model.InsertPage(1, MakePage("X", 5000)));
  EXPECT_EQ(model.PageCount(), kMaxPages);
  EXPECT_EQ(model.Page(1).Context, "HLP000001");
  EXPECT_EQ(model.NextFreeContext(), "HLP0001000");
}

TEST(ProjectModelTable, InsertRemoveAndSwapKeepTheOrder) {
  ProjectModel model;
  AddPages(model, {{"A", 1}, {"C", 3}});
  ASSERT_TRUE(model.InsertPage(2, MakePage("B", 2)));
  EXPECT_FALSE(model.InsertPage(5, MakePage("Z", 9)));
  EXPECT_FALSE(model.InsertPage(0, MakePage("Z", 9)));
  ASSERT_EQ(model.PageCount(), 3);
  EXPECT_EQ(model.Page(2).Context, "B");
  model.SwapPages(1, 3);
  EXPECT_EQ(model.Page(1).Context, "C");
  EXPECT_EQ(model.Page(3).Context, "A");
  model.RemovePage(2);
  model.RemovePage(7);  // no such page: nothing happens
  ASSERT_EQ(model.PageCount(), 2);
  EXPECT_EQ(model.Page(2).Context, "A");
}

TEST(ProjectModelHeader, BitmapSectionFollowsFlagEight) {
  ProjectModel model;
  model.SetProjectFileName("C:\\Help\\Sub/My Help.QYP");

  model.Header().ProjectOptions = "00000001main";
  model.UpdateBitmapSection();
  EXPECT_EQ(model.Header().BitmapSection, "my help.qyp");

  model.Header().ProjectOptions = "11111110main//x.cnt";
  model.UpdateBitmapSection();
  EXPECT_EQ(model.Header().BitmapSection, "Etcetera");

  model.Header().ProjectOptions = "0000000";  // too short to carry flag 8
  model.UpdateBitmapSection();
  EXPECT_EQ(model.Header().BitmapSection, "Etcetera");
}

}  // namespace
}  // namespace qy
