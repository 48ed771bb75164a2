#include "project/new_page_wizard.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <vector>

#include "core/codec.h"
#include "core/settings_keys.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::MakePages;
using testing::MakeTopicPages;
using S = WizardScreen;

class WizardTest : public testing::PageOpsTest {
 protected:
  // Picks choice `c` on a choice screen and goes on.
  static void Choose(NewPageWizard& w, int c) {
    ASSERT_EQ(w.Input(), WizardInput::kChoices);
    w.SetChoice(c);
    ASSERT_EQ(w.Next(), WizardStep::kMoved);
  }
  static void Type(NewPageWizard& w, const std::string& text) {
    ASSERT_EQ(w.Input(), WizardInput::kTextBox);
    ASSERT_TRUE(w.SetText(text));
    ASSERT_EQ(w.Next(), WizardStep::kMoved);
  }
  // Runs a script of steps: "tTEXT" types TEXT, "cN" takes choice N, "n" goes
  // on from a screen without a choice or text, "f" finishes, "b" goes back.
  static void Do(NewPageWizard& w, const std::string& script) {
    std::istringstream in(script);
    for (std::string step; in >> step;) {
      SCOPED_TRACE(step);
      if (step[0] == 't') Type(w, step.substr(1));
      if (step[0] == 'c') Choose(w, step[1] - '0');
      if (step[0] == 'n' || step[0] == 'f') {
        ASSERT_EQ(w.Next(), step[0] == 'n' ? WizardStep::kMoved : WizardStep::kFinished);
      }
      if (step[0] == 'b') w.Back();
    }
  }
  void RegisterMacros() {
    settings.SetInt(keys::kMacroCount, 3);
    settings.SetString(keys::MacroMenu(0), "\"\"a.p2s\",\"First\"\"");
    settings.SetString(keys::MacroMenu(1), "\"\"b.p2s\",\"Second, too\"\"");
    settings.SetString(keys::MacroMenu(2), "");
  }
};

TEST_F(WizardTest, TopicWithEverythingAutomatic) {
  MakeTopicPages(model, 3);
  model.MutablePage(2).Context = "OTHER";  // HLP000002 is free again
  NewPageWizard w(model, commands, prompter, settings);
  EXPECT_EQ(w.Next(), WizardStep::kStayed) << "an empty title is not taken";
  Do(w, "tIntro c0 c0 c0 c0 c0 n");
  EXPECT_EQ(model.PageCount(), 3) << "nothing is made before the finish";

  testing::TreeShape before = testing::ShapeOf(model, BuildPageTree(model));
  ASSERT_EQ(w.Next(), WizardStep::kFinished);
  const NewPageWizardResult& r = w.result();
  EXPECT_TRUE(r.page_created);
  EXPECT_EQ(r.macro_index, -1);
  ASSERT_EQ(model.PageCount(), 4);
  EXPECT_EQ(model.CurrentPage(), 2);
  PageRecord expected;
  expected.Title = expected.Keyword = "Intro";
  expected.Context = "HLP000002";
  expected.ContextID = 4;
  EXPECT_EQ(model.Page(2), expected);
  EXPECT_TRUE(prompter.shown.empty());
  testing::ExpectTreeFollows(before, model, r.page);
}

TEST_F(WizardTest, PopupWithOwnContextIdKeywordsAndMacro) {
  RegisterMacros();
  MakeTopicPages(model, 2);
  model.MutablePage(1).AKeyword = "above";
  NewPageWizard w(model, commands, prompter, settings);
  ASSERT_EQ(w.MacroList().size(), 3u) << "the empty registration ends the list";
  EXPECT_EQ(w.MacroList()[2], "Second, too");
  Do(w, "tPop c1 c1 tPOP_CTX c1");
  Do(w, "t500 c2 tk1;k2 c2");
  EXPECT_EQ(w.values().akeyword, "above") << "copied from the page current at the start";
  w.SetMacroSelection(2);
  Do(w, "n f");
  EXPECT_EQ(w.result().macro_index, 1);
  PageRecord expected;
  expected.Context = "POP_CTX";
  expected.ContextID = 500;
  expected.Title = "Pop";
  expected.Keyword = "k1;k2";
  expected.AKeyword = "above";
  expected.Attribute = kPopupPage;
  EXPECT_EQ(model.Page(2), expected);

  // A typed A-keyword, with no keyword.
  NewPageWizard typed(model, commands, prompter, settings);
  Do(typed, "tT c0 c0 c0 c1 c1 tak n f");
  EXPECT_EQ(model.Page(3).Keyword + "|" + model.Page(3).AKeyword, "|ak");
}

TEST_F(WizardTest, DuplicateContextAndIdKeepTheScreen) {
  MakeTopicPages(model, 3);
  NewPageWizard w(model, commands, prompter, settings);
  Do(w, "tT c0 c1");
  ASSERT_TRUE(w.SetText("hlp000002"));
  EXPECT_EQ(w.Next(), WizardStep::kStayed);
  EXPECT_EQ(w.screen(), S::kContext);
  Do(w, "tFREE c1");

  EXPECT_FALSE(w.SetText("12a"));
  EXPECT_FALSE(w.SetText("1234567890"));
  EXPECT_TRUE(w.SetText("3"));
  EXPECT_EQ(w.Next(), WizardStep::kStayed);
  EXPECT_EQ(w.screen(), S::kId);
  ASSERT_EQ(prompter.shown.size(), 2u) << "both refusals are explained";
  Type(w, "000000004");
  EXPECT_EQ(w.values().context_id, 4);
  EXPECT_EQ(w.values().context, "FREE");
}

TEST_F(WizardTest, BookLevelIsCheckedAgainstTheNearestBookAtOrBeforeTheCurrentPage) {
  MakePages(model, "T B1 T B2 T");
  model.SetCurrentPage(3);
  NewPageWizard w(model, commands, prompter, settings);
  Do(w, "tBook c2");
  w.SetLevel(3);
  EXPECT_EQ(w.Next(), WizardStep::kStayed);
  w.SetLevel(2);
  EXPECT_TRUE(w.NextEnabled());

  // The current page itself counts when it is a book.
  model.SetCurrentPage(4);
  w.SetLevel(3);
  EXPECT_TRUE(w.NextEnabled());
}

// A level-1 book made after the current page: deeper books behind it are
// relevelled with one message; books exactly one level deeper than the
// running level sit where they belong, and the walk ends at the next level-1
// book. {layout, current page, page named in the message, kinds after}.
TEST_F(WizardTest, BookInFrontOfDeeperBooksRelevelsThem) {
  const std::tuple<const char*, int, const char*, std::vector<PageAttribute>> cases[] = {
      {"B1 B2 T B3 B4 T", 3, "Page 4", {11, 12, 0, 11, 12, 13, 0}},
      {"B1 T B2 B3 T B1 B2", 2, nullptr, {11, 0, 11, 12, 13, 0, 11, 12}},
  };
  for (const auto& [layout, current, named, kinds] : cases) {
    MakePages(model, layout);
    model.SetCurrentPage(current);
    prompter.shown.clear();
    NewPageWizard w(model, commands, prompter, settings);
    Do(w, "tChapter c2");
    w.SetLevel(1);
    Do(w, "n");
    testing::TreeShape before = testing::ShapeOf(model, BuildPageTree(model));
    ASSERT_EQ(w.Next(), WizardStep::kFinished);
    ASSERT_EQ(prompter.shown.size(), named ? 1u : 0u) << layout;
    EXPECT_TRUE(!named || prompter.shown[0].text.find(named) != std::string::npos);
    EXPECT_EQ(model.Page(current + 1).Title, "Chapter");
    std::vector<PageAttribute> after;
    for (const PageRecord& page : model.Pages()) after.push_back(page.Attribute);
    EXPECT_EQ(after, kinds) << layout;
    testing::ExpectTreeFollows(before, model, w.result().page);
  }
}

// A macro chosen before switching to a book, where the macro screen never
// shows, is dropped.
TEST_F(WizardTest, AMacroChosenBeforeSwitchingToABookIsDropped) {
  RegisterMacros();
  MakeTopicPages(model, 1);
  NewPageWizard w(model, commands, prompter, settings);
  Do(w, "tT c0 c0 c0 c0 c0");
  w.SetMacroSelection(1);
  Do(w, "n b b b b b b c2 n f");
  EXPECT_EQ(w.result().macro_index, -1);
  EXPECT_EQ(model.Page(2).Attribute, BookAttribute(1));
}

TEST_F(WizardTest, ALevelOrContextGivenUpDoesNotReachThePage) {
  MakeTopicPages(model, 1);
  NewPageWizard w(model, commands, prompter, settings);
  // A level-1 book, then back; a typed context, then back to automatic.
  Do(w, "tU c2 n b b c0 c1 tTYPED b");
  ASSERT_EQ(w.screen(), S::kContextChoice);
  Do(w, "c0 c0 c0 c0 n b");
  EXPECT_EQ(w.screen(), S::kMacro);
  Do(w, "n f");
  const PageRecord& page = model.Page(2);
  EXPECT_EQ(page.Title, "U");
  EXPECT_EQ(page.Attribute, kTopicPage);
  EXPECT_EQ(page.Context, "HLP000002");
}

TEST_F(WizardTest, FullTableRefusesButStillClosesWithTheMacro) {
  RegisterMacros();
  MakeTopicPages(model, kMaxPages);
  NewPageWizard w(model, commands, prompter, settings);
  Do(w, "tT c0 c0 c0 c0 c0");
  w.SetMacroSelection(1);
  Do(w, "n f");
  EXPECT_FALSE(w.result().page_created);
  EXPECT_EQ(w.result().macro_index, 0);
  EXPECT_EQ(model.PageCount(), kMaxPages);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].kind, "warning");
}

TEST(CommaTextTest, SplitsQuotedAndPlainItems) {
  EXPECT_EQ(SplitCommaText("\"a.p2s\",\"My title\""),
            (std::vector<std::string>{"a.p2s", "My title"}));
  EXPECT_EQ(SplitCommaText("a.p2s,\"say \"\"hi\"\"\""),
            (std::vector<std::string>{"a.p2s", "say \"hi\""}));
  EXPECT_EQ(SplitCommaText("x y"), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(SplitCommaText("x,"), (std::vector<std::string>{"x", ""}));
  EXPECT_TRUE(SplitCommaText("").empty());
  EXPECT_EQ(SplitCommaText("\"open"), (std::vector<std::string>{"open"}));
  const std::string sjis_title = Sjis("表示");  // trail byte 0x5C is no separator
  EXPECT_EQ(SplitCommaText("\"f\",\"" + sjis_title + "\"")[1], sjis_title);
}

}  // namespace
}  // namespace qy
