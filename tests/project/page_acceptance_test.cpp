#include "project/page_acceptance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codec.h"
#include "support/fakes.h"

namespace qy {
namespace {

using qy::testing::FakePrompter;

const std::string kNeedContext =
    Sjis("\r\nページのコンテキスト（トピックＩＤ）は必ず設定してください。");
const std::string kNeedId = Sjis("\r\nページのコンテキストＩＤ（番号）は必ず設定してください。");
const std::string kNeedInclude = Sjis("\r\nインクルードするファイル名は必ず入力してください。");
const std::string kNeedTitle = Sjis("\r\nページのタイトルは必ず設定してください。");
const std::string kBadHlp =
    Sjis("\r\n「HLP」ではじまるコンテキスト（トピックＩＤ）は正しい形じゃないと設定できません。");

// The refusal of a value already used by another page, shortened.
std::string Taken(const std::string& value) { return value + " taken"; }

class PageAcceptanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model.NewProject("/q/");  // page 1: HLP000001, ID 1
    PageRecord p;
    p.Context = "Second";
    p.Title = "Second page";
    p.ContextID = 2;
    p.Keyword = "old kw";
    p.Window = "main";
    p.Topic = "{\\b text}";
    ASSERT_TRUE(model.AppendPage(p));
    model.SetModified(false);
  }

  // Valid input for page 2 as it stands.
  PagePropertiesInput Input() const {
    PagePropertiesInput in;
    in.context = "Second";
    in.id_text = "2";
    in.title = "Second page";
    in.keyword = "old kw";
    in.window = "main";
    return in;
  }

  // The refusal of `in` for page 2, with "<value> taken" for a value used by
  // another page, or "accepted".
  std::string Check(const PagePropertiesInput& in) {
    const std::string r = CheckPageProperties(model, 2, in).value_or("accepted");
    const std::size_t open = r.find(Sjis("「")),
                      close = r.find(Sjis("」 はすでに他のページで使用"));
    return close == std::string::npos ? r : Taken(r.substr(open + 2, close - open - 2));
  }

  ProjectModel model;
};

TEST_F(PageAcceptanceTest, ContextIsCheckedFirst) {
  // Every box wrong at once: the context is named.
  PagePropertiesInput in;
  in.attribute = kIncludePage;
  EXPECT_EQ(Check(in), kNeedContext);
}

TEST_F(PageAcceptanceTest, TitleIsRequiredExceptForInclude) {
  PagePropertiesInput in = Input();
  in.title.clear();
  in.attribute = BookAttribute(1);
  EXPECT_EQ(Check(in), kNeedTitle);
  in.attribute = kIncludePage;
  EXPECT_EQ(Check(in), kNeedInclude);
  in.include_file = "a.cnt";
  EXPECT_EQ(Check(in), "accepted");
}

TEST_F(PageAcceptanceTest, HlpContextsMustHaveTheNumberedForm) {
  PagePropertiesInput in = Input();
  for (const char* good : {"hlp000abc", "Hlp000002", "HLP000999", "HLX12", "xHLP"}) {
    in.context = good;
    EXPECT_EQ(Check(in), "accepted") << good;
  }
  for (const char* bad : {"HLP001234", "HLPX", "HLP", "hlp0000001", "HLP00001", "hLp100000"}) {
    in.context = bad;
    EXPECT_EQ(Check(in), kBadHlp) << bad;
  }
  in.context = "hlp000001";
  EXPECT_EQ(Check(in), Taken("hlp000001"));
  in.context = "SECOND";  // the page's own context in another case
  EXPECT_EQ(Check(in), "accepted");
}

TEST_F(PageAcceptanceTest, IdMustBeDigitsAndFree) {
  PagePropertiesInput in = Input();
  in.id_text = "001";
  EXPECT_EQ(Check(in), Taken("001"));  // compared by value, shown as typed
  for (const char* bad : {"", "12a", "-3", " 4", "1234567890", "+5"}) {
    in.id_text = bad;
    EXPECT_EQ(Check(in), kNeedId) << bad;
  }
  in.id_text = "999999999";
  EXPECT_EQ(Check(in), "accepted");
  EXPECT_EQ(ParseContextIdText("000000042"), 42);
  EXPECT_EQ(ParseContextIdText("999999999"), 999999999);
  EXPECT_EQ(ParseContextIdText("x"), std::nullopt);
}

TEST_F(PageAcceptanceTest, OverlongContextIsJudgedAsStored) {
  // Cut to 255 bytes the context equals page 1's: refuse it before storing.
  PageRecord& first = model.MutablePage(1);
  first.Context = std::string(255, 'c');
  PagePropertiesInput in = Input();
  in.context = std::string(255, 'C') + "tail";
  EXPECT_EQ(Check(in), Taken(std::string(255, 'C')));
}

TEST_F(PageAcceptanceTest, AcceptShowsTheFailureAndStoresNothing) {
  FakePrompter prompter;
  PagePropertiesInput in = Input();
  in.context = "HLP000001";
  in.title = "Changed";
  const PageRecord before = model.Page(2);
  EXPECT_FALSE(AcceptPageProperties(model, 2, in, prompter));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, *CheckPageProperties(model, 2, in));
  EXPECT_EQ(model.Page(2), before);
  EXPECT_FALSE(model.Modified());
  // Applying directly refuses the same input too.
  EXPECT_FALSE(ApplyPageProperties(model, 2, in));
  EXPECT_EQ(model.Page(2), before);
}

TEST_F(PageAcceptanceTest, StoresTopicFieldsAndNormalisesTheId) {
  PagePropertiesInput in = Input();
  in.context = "Renamed";
  in.id_text = "0042";
  in.title = "New title";
  in.keyword = "k1;k2";
  in.akeyword = "a";
  in.bkeyword = "b";
  in.window = "proc";
  in.macro = "CloseWindow(`main')";
  in.include_file = "ignored.cnt";
  FakePrompter prompter;
  auto outcome = AcceptPageProperties(model, 2, in, prompter);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->history_context, "Renamed");
  const PageRecord& p = model.Page(2);
  EXPECT_EQ(p.Context + "|" + std::to_string(p.ContextID) + "|" + p.Title + "|" + p.Keyword + "|" +
                p.AKeyword + "|" + p.BKeyword + "|" + p.Window + "|" + p.Macro + "|" + p.Topic,
            "Renamed|42|New title|k1;k2|a|b|proc|CloseWindow(`main')|{\\b text}");
  EXPECT_TRUE(model.Modified());
}

TEST_F(PageAcceptanceTest, IncludeTakesItsTitleFromTheFileBoxAndDropsTheRest) {
  PagePropertiesInput in = Input();
  in.attribute = kIncludePage;
  in.include_file = "sub.cnt";
  in.macro = "typed but not used";
  auto outcome = ApplyPageProperties(model, 2, in);
  ASSERT_TRUE(outcome);
  EXPECT_TRUE(outcome->topic_cleared);
  const PageRecord& p = model.Page(2);
  EXPECT_EQ(p.Title, "sub.cnt");
  EXPECT_EQ(p.Attribute, kIncludePage);
  EXPECT_EQ(p.Keyword + p.AKeyword + p.BKeyword + p.Window + p.Macro + p.Topic, "");
}

TEST_F(PageAcceptanceTest, KindChangesReportWhatTheWindowMustRedo) {
  struct Case {
    PageAttribute from, to;
    bool kind_changed, rebuild_tree, topic_cleared;
    const char* topic_after;
    const char* keyword_after;
  };
  const Case cases[] = {
      {kTopicPage, kPopupPage, true, false, false, "{\\b text}", "old kw"},
      {kTopicPage, kContentPage, true, false, true, "", ""},
      // The macro text of a page that stays a Content page survives an OK.
      {kContentPage, kContentPage, false, false, false, "{\\b text}", ""},
      {kTopicPage, BookAttribute(1), true, true, true, "", ""},
      {BookAttribute(1), BookAttribute(2), true, true, true, "", ""},
      {BookAttribute(2), kTopicPage, true, true, false, "", "old kw"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
    SetUp();
    model.MutablePage(2).Attribute = c.from;
    if (!HasTopicText(c.from)) model.MutablePage(2).Topic.clear();
    PagePropertiesInput in = Input();
    in.attribute = c.to;
    auto outcome = ApplyPageProperties(model, 2, in);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->kind_changed, c.kind_changed);
    EXPECT_EQ(outcome->rebuild_tree, c.rebuild_tree);
    EXPECT_EQ(outcome->topic_cleared, c.topic_cleared);
    EXPECT_EQ(model.Page(2).Attribute, c.to);
    EXPECT_EQ(model.Page(2).Topic, c.topic_after);
    EXPECT_EQ(model.Page(2).Keyword, c.keyword_after);
  }
}

TEST_F(PageAcceptanceTest, RefusedKindChangeChangesNothing) {
  PagePropertiesInput in = Input();
  in.attribute = kContentPage;
  in.title = "Changed";
  std::vector<PageAttribute> asked;
  auto refuse = [&](PageAttribute kind) {
    asked.push_back(kind);
    return false;
  };
  const PageRecord before = model.Page(2);
  FakePrompter prompter;
  EXPECT_FALSE(AcceptPageProperties(model, 2, in, prompter, refuse));
  EXPECT_EQ(asked, std::vector<PageAttribute>{kContentPage});
  EXPECT_EQ(model.Page(2), before);
  EXPECT_FALSE(model.Modified());

  // The same kind asks nothing.
  in.attribute = kTopicPage;
  EXPECT_TRUE(AcceptPageProperties(model, 2, in, prompter, refuse));
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(model.Page(2).Title, "Changed");
}

}  // namespace
}  // namespace qy
