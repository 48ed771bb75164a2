#include "markup/hotspot_link_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codec.h"
#include "markup/hotspot_markup.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using qy::testing::MakePages;

using Strings = std::vector<std::string>;

Strings Targets(const std::string& text) {
  Strings out;
  for (const LinkReference& r : FindLinkReferences(text, "Guide.hlp")) out.push_back(r.context);
  return out;
}

TEST(LinkReferences, EveryFormTheLinkCommandsWrite) {
  const LinkTarget same{"C1", false, "", ""};
  const LinkTarget other{"C2", true, "Guide.hlp", "sub"};
  HotspotOptions coloured{true, 6, false, true, false};
  for (LinkMode mode : {LinkMode::kJump, LinkMode::kPopup}) {
    for (HotspotForm form : {HotspotForm::kNormal, HotspotForm::kButton}) {
      for (const HotspotOptions& o : {HotspotOptions{}, coloured}) {
        const std::string a = *LinkMarkup(mode, form, "S", o, same);
        EXPECT_EQ(Targets(a), Strings{"C1"}) << a;
        if (mode == LinkMode::kJump) {
          const std::string b = *LinkMarkup(mode, form, "S", o, other);
          EXPECT_EQ(Targets(b), Strings{"C2"}) << b;
        }
      }
    }
  }
}

TEST(LinkReferences, HandWrittenFormsAndCharacterStarts) {
  // ソ and 表 end in 0x5C, ボ is 83 7B and ニ 83 6A: a "\", "{" or "j" that
  // is a trail byte starts nothing.
  const std::pair<std::string, std::string> cases[] = {
      {"{\\uldb a}{\\v %CTX}{\\ul b}{\\v *P1>win}", "CTX:1 P1:1"},
      {"{\\uldb a}{\\v X@guide.HLP>main} {\\uldb b}{\\v Y@other.hlp}", "X:1"},
      {"{\\v\\f1 CTX}", "CTX:1"},
      {"{\\v !KLink(\"a\")}{\\v% !ExecFile(\"x\")}", ""},
      {"{\\viewkind CTX}{\\v0 NOT}", ""},
      {"jumpid(`Guide.hlp', `Q1') PopupId(\"other.hlp\", \"Q2\") JI(a)", "Q1:1 a:1"},
      {"{\\v \\{not a target\\}}", "\\{not a target\\}:1"},
      {"{\\v !JI(`Guide.hlp', `A1')}\r\n\\{x,PI(\"\", B2)\\}", "A1:1 B2:2"},
      // Part of a longer word, unfinished, or behind a trail byte.
      {"MyJumpID(Z) x_PopupID(Z) xji(A) _pi(B) 2JI(C) popupi(D)", ""},
      {"{\\v CTX", ""},
      {"JumpID(CTX", ""},
      {"\x83\x6ai(A) " + Sjis("ボ") + "\\v B} {" + Sjis("ソ") + "v X}", ""},
      {Sjis("表") + "JumpID(A)\r\n" + Sjis("ソ") + "{\\v B}", "A:1 B:2"},
      {Sjis("ア") + "JumpID(HLP1)", "HLP1:1"},
      {Sjis("一行目") + "\r\n{\\uldb " + Sjis("表") + "}{\\v HLP2}", "HLP2:2"},
  };
  for (const auto& [text, expected] : cases) {
    std::string got;
    for (const LinkReference& r : FindLinkReferences(text, "Guide.hlp")) {
      got += (got.empty() ? "" : " ") + r.context + ":" + std::to_string(r.line);
    }
    EXPECT_EQ(got, expected) << text;
  }
}

TEST(LinkCheck, MissingTargetsNonTopicsAndUnreachedPopups) {
  ProjectModel model;
  MakePages(model, "T P P B1 T C T");
  model.SetProjectFileName("/x/Guide.qyp");
  model.MutablePage(1).Topic = "{\\uldb a}{\\v hlp000005}\r\n{\\ul b}{\\v HLP000002}";
  model.MutablePage(3).Topic = "{\\ul self}{\\v HLP000003}";
  model.MutablePage(5).Topic = "\\{Button x,JumpID(HLP000099)\\}\r\n{\\uldb y}{\\v HLP000004}";
  model.MutablePage(5).Macro = "PopupID(HLP000098)";
  model.MutablePage(6).Topic = "JumpID(Guide.hlp, HLP000097)";

  const LinkCheckResult result = CheckLinks(model);
  ASSERT_EQ(result.problems.size(), 5u);
  EXPECT_EQ(result.problems[0].kind, LinkProblemKind::kUnreachedPopup);  // a self link only
  EXPECT_EQ(result.problems[1].kind, LinkProblemKind::kMissingContext);
  EXPECT_EQ(result.problems[2].kind, LinkProblemKind::kNotATopic);
  EXPECT_EQ(result.problems[2].line, 2);
  EXPECT_TRUE(result.problems[3].in_macro_field);
  EXPECT_EQ(result.problems[4].context, "HLP000097");
  // Page 5 is reached (contexts compare ignoring case); page 7 only through the contents.
  EXPECT_EQ(result.unlinked_topics, std::vector<int>{7});
}

}  // namespace
}  // namespace qy
