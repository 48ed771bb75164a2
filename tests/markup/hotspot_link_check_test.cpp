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

std::vector<std::string> Targets(const std::string& text) {
  std::vector<std::string> out;
  for (const LinkReference& r : FindLinkReferences(text, "Guide.hlp")) out.push_back(r.context);
  return out;
}

using Strings = std::vector<std::string>;

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

TEST(LinkReferences, HandWrittenVariants) {
  EXPECT_EQ(Targets("{\\uldb a}{\\v %CTX}{\\ul b}{\\v *P1>win}"), (Strings{"CTX", "P1"}));
  EXPECT_EQ(Targets("{\\uldb a}{\\v X@guide.HLP>main} {\\uldb b}{\\v Y@other.hlp}"),
            (Strings{"X"}));
  EXPECT_EQ(Targets("{\\v\\f1 CTX}"), Strings{"CTX"});
  EXPECT_EQ(Targets("{\\v !KLink(\"a\")}{\\v% !ExecFile(\"x\")}"), Strings{});
  EXPECT_EQ(Targets("{\\viewkind CTX}{\\v0 NOT}"), Strings{});
  EXPECT_EQ(Targets("jumpid(`Guide.hlp', `Q1') PopupId(\"other.hlp\", \"Q2\") JI(a)"),
            (Strings{"Q1", "a"}));
  EXPECT_EQ(Targets("MyJumpID(Z) x_PopupID(Z)"), Strings{});
  EXPECT_EQ(Targets("{\\v \\{not a target\\}}"), Strings{"\\{not a target\\}"});
  // Unfinished forms name nothing.
  EXPECT_EQ(Targets("{\\v CTX"), Strings{});
  EXPECT_EQ(Targets("JumpID(CTX"), Strings{});
}

TEST(LinkReferences, DoubleByteTextAroundTargets) {
  // ソ ends in 0x5C: "ソv" must not read as a "\v" control word.
  EXPECT_EQ(Targets("{" + Sjis("ソ") + "v X}"), Strings{});
  // Trail bytes that look like letters do not glue onto a macro name.
  EXPECT_EQ(Targets(Sjis("ア") + "JumpID(HLP1)"), Strings{"HLP1"});
  const std::vector<LinkReference> refs =
      FindLinkReferences(Sjis("一行目") + "\r\n{\\uldb " + Sjis("表") + "}{\\v HLP2}", "g.hlp");
  ASSERT_EQ(refs.size(), 1u);
  EXPECT_EQ(refs[0].line, 2);
  EXPECT_EQ(refs[0].context, "HLP2");
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
  EXPECT_EQ(result.problems[0].page, 3);
  EXPECT_EQ(result.problems[0].kind, LinkProblemKind::kUnreachedPopup);  // a self link only
  EXPECT_EQ(result.problems[1].page, 5);
  EXPECT_EQ(result.problems[1].kind, LinkProblemKind::kMissingContext);
  EXPECT_EQ(result.problems[1].context, "HLP000099");
  EXPECT_EQ(result.problems[1].line, 1);
  EXPECT_EQ(result.problems[2].kind, LinkProblemKind::kNotATopic);
  EXPECT_EQ(result.problems[2].context, "HLP000004");
  EXPECT_EQ(result.problems[2].line, 2);
  EXPECT_TRUE(result.problems[3].in_macro_field);
  EXPECT_EQ(result.problems[3].context, "HLP000098");
  EXPECT_EQ(result.problems[4].page, 6);
  EXPECT_EQ(result.problems[4].context, "HLP000097");
  // Page 5 is reached (contexts compare ignoring case); page 7 only through the contents.
  EXPECT_EQ(result.unlinked_topics, std::vector<int>{7});
}

}  // namespace
}  // namespace qy
