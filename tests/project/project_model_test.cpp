#include "project/project_model.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>
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

TEST(ProjectModelLifecycle, NewAndClearProject) {
  ProjectModel model;
  std::vector<bool> told;
  model.on_modified_changed = [&](bool m) { told.push_back(m); };
  model.Header().HelpTitle = "old";
  AddPages(model, {{"X", 7}, {"Y", 8}});
  model.SetModified(true);
  model.NewProject("/opt/quillory/");
  ASSERT_EQ(model.PageCount(), 1);
  PageRecord expected = MakePage("HLP000001", 1);
  expected.Title = "HLP000001";
  EXPECT_EQ(model.Page(1), expected);
  EXPECT_EQ(model.ProjectFileName(), "/opt/quillory/Project1.qyp");
  EXPECT_EQ(model.Header(), ProjectHeader::Defaults());

  model.Header().ProjectOptions = "11111111other//x.cnt";
  model.SetModified(true);
  model.ClearProject();
  EXPECT_EQ(model.PageCount(), 0);
  EXPECT_EQ(model.Header(), ProjectHeader::Defaults());
  EXPECT_EQ(told, (std::vector<bool>{true, false, true, false}));
}

TEST(ProjectModelSearch, FreeContextsAndIdsTakeTheLowestGap) {
  struct Case {
    std::vector<std::pair<const char*, int>> pages;
    std::string next, second;
    int next_id;
  };
  // A hand-typed lower-case context is the same help context; only the exact
  // numbered form takes a candidate; with candidates 2..3 taken the last one
  // comes back although it is used.
  // clang-format off
  const std::vector<Case> cases = {
      {{}, "HLP000001", "HLP000", 1},
      {{{"HLP000001", 1}, {"HLP000003", 2}}, "HLP000002", "HLP000002", 3},
      {{{"HLP000002", 5}, {"HLP000001", 9}, {"HLP000003", 1}}, "HLP000004", "HLP000004", 2},
      {{{"hlp000001", 1}, {"Other", 2}}, "HLP000002", "HLP000002", 3},
      {{{"Start", 1}, {"hlp000002", 2}}, "HLP000001", "HLP000003", 3},
      {{{"HLP0000001", 1}, {"HLP000001x", 2}, {"HLP00001", 3}, {"HLP000 01", 4},
        {"XLP000001", 5}, {"HLP000002", 6}, {"HLP000000", 7}}, "HLP000001", "HLP000003", 8},
      {{{"HLP000002", 1}, {"HLP000003", 2}}, "HLP000001", "HLP000003", 3}};
  // clang-format on
  for (const Case& c : cases) {
    ProjectModel model;
    for (const auto& [context, id] : c.pages) model.AppendPage(MakePage(context, id));
    SCOPED_TRACE(c.next + " " + c.second);
    EXPECT_EQ(model.NextFreeContext(), c.next);
    EXPECT_EQ(model.SecondFreeContext(), c.second);
    EXPECT_EQ(model.NextFreeContextID(), c.next_id);
    EXPECT_FALSE(model.ContextInUse(model.NextFreeContext()));
  }
  EXPECT_EQ(NumberedContext(42), "HLP000042");
  EXPECT_EQ(NumberedContext(1000), "HLP0001000");
}

TEST(ProjectModelSearch, ContextInUseIgnoresAsciiCaseOnlyAndLeavesOutAPage) {
  ProjectModel model;
  AddPages(model, {{"Intro", 10}, {"HLP000001", 20}, {"\x83\x41", 30}});  // "ア"
  EXPECT_TRUE(model.ContextInUse("INTRO"));
  EXPECT_FALSE(model.ContextInUse("intro", 1));
  EXPECT_TRUE(model.ContextInUse("intro", 2));
  EXPECT_FALSE(model.ContextInUse("Intro2"));
  EXPECT_EQ(model.FindContext("hLp000001"), 2);
  // The trail byte of "ア" looks like 'A' and must not match 'a'.
  EXPECT_FALSE(model.ContextInUse("\x83\x61"));
  EXPECT_TRUE(model.ContextIDInUse(20));
  EXPECT_FALSE(model.ContextIDInUse(20, 2));
}

TEST(ProjectModelTreeLabel, EveryModeAndPageKind) {
  ProjectModel model;
  PageRecord topic = MakePage("CTX", 42);
  topic.Title = "Title";
  topic.Keyword = "kw";
  model.AppendPage(topic);
  PageRecord book = MakePage("MAC", 7, BookAttribute(2));
  book.Title = "Run";
  book.Keyword = "stale";  // never shown outside help topics
  model.AppendPage(book);
  const std::tuple<int, std::string, std::string> cases[] = {
      {0, "Title", "Run"},
      {6, "CTX /42 /Title", "MAC /7 /Run"},
      {8, "Title /kw", "Run"},
      {12, "42 /Title" + Sjis("：") + "kw", "7 /Run"},
      {14, "CTX /42 /Title /kw", "MAC /7 /Run"},
      {3, "", ""},  // an unknown mode shows nothing
      {16, "", ""},
  };
  for (const auto& [mode, first, second] : cases) {
    model.SetTreeLabelMode(mode);
    EXPECT_EQ(model.TreeLabel(1), first) << mode;
    EXPECT_EQ(model.TreeLabel(2), second) << mode;
  }
  // A toggle from an unknown mode starts from none.
  EXPECT_EQ(model.TreeLabelModeToggled(kLabelKeyword), kLabelKeyword);
  model.SetTreeLabelMode(kLabelContext + kLabelKeyword);
  EXPECT_TRUE(model.TreeLabelShows(kLabelKeyword));
  EXPECT_FALSE(model.TreeLabelShows(kLabelContextId));
  EXPECT_EQ(model.TreeLabelModeToggled(kLabelContext), kLabelKeyword);
}

TEST(ProjectModelFields, KindChangesClearWhatTheNewKindCannotHold) {
  ProjectModel model;
  PageRecord p = MakePage("A", 1);
  p.Keyword = "k";
  p.AKeyword = "a";
  p.BKeyword = "b";
  p.Window = "w";
  p.Macro = "m";
  p.Topic = "text";
  for (int i = 0; i < 3; ++i) model.AppendPage(p);
  model.SetAttribute(1, kPopupPage);
  PageRecord expected = p;
  expected.Attribute = kPopupPage;
  EXPECT_EQ(model.Page(1), expected);
  model.SetAttribute(2, kIncludePage);
  expected = MakePage("A", 1, kIncludePage);
  EXPECT_EQ(model.Page(2), expected);
  model.SetAttribute(3, kContentPage);
  EXPECT_EQ(model.Page(3).Topic, "text");
  EXPECT_EQ(model.Page(3).Keyword + model.Page(3).Window, "");
  model.SetAttribute(3, BookAttribute(1));
  EXPECT_EQ(model.Page(3).Topic, "");
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
  EXPECT_THROW(model.GetField(2, PageField::kTitle), std::out_of_range);
  EXPECT_THROW(model.Page(0), std::out_of_range);
}

// Every byte field but the topic is cut to 255 bytes.
TEST(ProjectModelFields, ByteFieldsKeepTheFirst255Bytes) {
  ProjectModel model;
  AddPages(model, {{"A", 1}});
  const std::string long_value(300, 'x');
  for (PageField f :
       {PageField::kContext, PageField::kTitle, PageField::kKeyword, PageField::kAKeyword,
        PageField::kBKeyword, PageField::kWindow, PageField::kMacro, PageField::kTopic}) {
    ASSERT_TRUE(model.SetField(1, f, long_value));
    EXPECT_EQ(model.GetField(1, f).size(), f == PageField::kTopic ? 300u : 255u);
  }
}

TEST(ProjectModelTable, InsertRemoveSwapAndTheFullTable) {
  ProjectModel model;
  AddPages(model, {{"A", 1}, {"C", 3}});
  ASSERT_TRUE(model.InsertPage(2, MakePage("B", 2)));
  EXPECT_FALSE(model.InsertPage(5, MakePage("Z", 9)));
  model.SwapPages(1, 3);
  model.RemovePage(7);  // no such page: nothing happens
  EXPECT_EQ(model.Page(1).Context + model.Page(2).Context + model.Page(3).Context, "CBA");

  model.ClearPages();
  for (int i = 1; i <= kMaxPages; ++i)
    ASSERT_TRUE(model.AppendPage(MakePage(NumberedContext(i), i)));
  EXPECT_FALSE(model.AppendPage(MakePage("X", 5000)));
  EXPECT_FALSE(model.InsertPage(1, MakePage("X", 5000)));
  EXPECT_EQ(model.PageCount(), kMaxPages);
  EXPECT_EQ(model.NextFreeContext(), "HLP0001000");
}

TEST(ProjectModelHeader, BitmapSectionFollowsFlagEight) {
  ProjectModel model;
  model.SetProjectFileName("C:\\Help\\Sub/My Help.QYP");
  const std::pair<const char*, const char*> cases[] = {
      {"00000001main", "my help.qyp"},
      {"11111110main//x.cnt", "Etcetera"},
      {"0000000", "Etcetera"},  // too short to carry flag 8
  };
  for (const auto& [options, section] : cases) {
    model.Header().ProjectOptions = options;
    model.UpdateBitmapSection();
    EXPECT_EQ(model.Header().BitmapSection, section) << options;
  }
}

}  // namespace
}  // namespace qy
