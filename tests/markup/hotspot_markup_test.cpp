#include "markup/hotspot_markup.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"

namespace qy {
namespace {

HotspotOptions Opts(bool color, int index, bool underline, bool bold = false, bool italic = false) {
  return {color, index, underline, bold, italic};
}

LinkTarget Same(const std::string& context) { return {context, false, "", ""}; }
LinkTarget Other(const std::string& context) { return {context, true, "guide.hlp", "sub"}; }

TEST(HotspotMarkup, LinkMarkupPerModeFormAndOptions) {
  const auto kJ = LinkMode::kJump, kP = LinkMode::kPopup;
  const auto kN = HotspotForm::kNormal, kB = HotspotForm::kButton;
  const HotspotOptions none{}, all = Opts(true, 5, false, true, true);
  const std::string hyo = Sjis("表示");  // 表 ends in the backslash code
  struct Case {
    LinkMode mode;
    HotspotForm form;
    std::string text;
    HotspotOptions opts;
    LinkTarget target;
    std::string markup;
  } cases[] = {
      {kJ, kN, "Next", none, Same("HLP000002"), "{\\uldb Next}{\\v HLP000002}"},
      {kJ, kN, "Next", Opts(true, 6, false, true), Same("HLP000002"),
       "{\\uldb\\b\\cf6 Next}{\\v% !JumpID(HLP000002)}"},
      // Bold and italic without colour keep the blank before the text.
      {kJ, kN, "Next", Opts(false, 3, false, false, true), Same("HLP000002"),
       "{\\uldb\\i Next}{\\v HLP000002}"},
      // Nothing selected: the markup goes in with empty hotspot text.
      {kJ, kN, "", none, Same("HLP000002"), "{\\uldb }{\\v HLP000002}"},
      {kJ, kN, hyo, none, Same("HLP000003"), "{\\uldb " + hyo + "}{\\v HLP000003}"},
      {kJ, kN, "Go", none, Other("CTX"), "{\\uldb Go}{\\v !JumpID(guide.hlp>sub, CTX)}"},
      {kJ, kN, "Go", Opts(true, 2, true), Other("CTX"),
       "{\\uldb\\cf2 Go}{\\v* !JumpID(guide.hlp>sub, CTX)}"},
      {kP, kN, "word", Opts(false, 1, true, true), Same("HLP000009"),
       "{\\ul\\b word}{\\v HLP000009}"},
      // A popup ignores the other-window choice.
      {kP, kN, "w", none, Other("X"), "{\\ul w}{\\v X}"},
      // Buttons ignore the options.
      {kJ, kB, "Next", all, Same("HLP000002"), "\\{Button Next,JumpID(HLP000002)\\}"},
      {kJ, kB, "Next", all, Other("HLP000002"),
       "\\{button Next, JumpID(guide.hlp>sub, HLP000002)\\}"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LinkMarkup(c.mode, c.form, c.text, c.opts, c.target), c.markup) << c.markup;
  }
  EXPECT_FALSE(LinkMarkup(LinkMode::kPagePick, kN, "x", all, Same("A")));
}

TEST(HotspotMarkup, ColourIndexStaysInTheTable) {
  EXPECT_EQ(ColorWords(Opts(true, 0, true)), "\\cf1 ");
  EXPECT_EQ(ColorWords(Opts(true, 99, true)), "\\cf16 ");
  EXPECT_EQ(ColorWords(Opts(false, 99, true)), " ");
}

std::string KLink(KeywordLinkMode mode, HotspotForm form, const std::string& s,
                  const std::string& k, const HotspotOptions& o) {
  return KeywordLinkMarkup(mode, form, s, k, o).value_or("<none>");
}

TEST(HotspotMarkup, KeywordLinks) {
  constexpr auto kK = KeywordLinkMode::kKLink, kA = KeywordLinkMode::kALink,
                 kH = KeywordLinkMode::kHyperlink;
  constexpr auto kN = HotspotForm::kNormal, kB = HotspotForm::kButton;
  const HotspotOptions none{};
  const std::tuple<KeywordLinkMode, HotspotForm, const char*, HotspotOptions, std::string> cases[] =
      {
          {kK, kN, "Index", none, "{\\uldb s}{\\v !KLink(\"Index\")}"},
          {kA, kN, "Idx", Opts(true, 6, false, true), "{\\uldb\\b\\cf6 s}{\\v% !ALink(\"Idx\")}"},
          {kH, kN, "a.exe", Opts(true, 2, true), "{\\uldb\\cf2 s}{\\v* !ExecFile(\"a.exe\")}"},
          {kK, kB, "Index", Opts(true, 6, false, true), "\\{button s,KLink(\"Index\")\\}"},
          {kK, kN, "", none, "{\\uldb s}{\\v !KLink(\"\")}"},  // K and A links may be empty
      };
  for (const auto& [mode, form, keyword, options, markup] : cases) {
    EXPECT_EQ(KLink(mode, form, "s", keyword, options), markup);
  }
  EXPECT_FALSE(KeywordLinkMarkup(kH, kB, "run", "", none));  // a hyperlink needs a target
}

TEST(HotspotMarkup, HelpFileName) {
  EXPECT_EQ(HelpFileName("C:\\help\\Guide.qyp"), "Guide.hlp");
  EXPECT_EQ(HelpFileName("/work/my.project.qyp"), "my.project.hlp");
}

}  // namespace
}  // namespace qy
