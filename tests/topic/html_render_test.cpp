#include "topic/html_render.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "topic/parser.h"

namespace qy::topic {
namespace {

TEST(HtmlRender, MarkupBecomesHtml) {
  // Each markup and a part its HTML must hold.
  const std::pair<const char*, const char*> cases[] = {
      {"{\\uldb 次}{\\v HLP000002}", "<a class=\"qy-jump\" href=\"HLP000002.html\">次</a>"},
      {"{\\ul p}{\\v HLP000003}", "<a class=\"qy-popup\" href=\"HLP000003.html\">p</a>"},
      {"{\\uldb\\cf6 c}{\\v% !JumpID(HLP000004)}",
       "<a class=\"qy-macro qy-no-colour qy-no-ul\" href=\"HLP000004.html\" "
       "data-macro=\"JumpID(HLP000004)\"><span style=\"color:#ff0000;\">c</span></a>"},
      {"{\\uldb x}{\\v a b<c@f.hlp>w}",
       "href=\"a%20b%3Cc.html\" data-file=\"f.hlp\" data-window=\"w\""},
      {"\\{bmr a&b.bmp\\}", "<img class=\"qy-bmr\" src=\"pics/a&amp;b.bmp\" alt=\"a&amp;b.bmp\">"},
      {"\\keepn T\\par\\pard body", "<div class=\"qy-nsr\">\n<p>T</p>\n</div>\n<p>body</p>"},
      {"\\pard\\box\\brdrdb\\shading5000 b\\par",
       "border-top:3px double;border-bottom:3px double;border-left:3px double;"
       "border-right:3px double;background:#808080;"},
      {"\\qc\\li300\\sl-240 z\\par", "text-align:center;margin-left:15pt;line-height:12pt;"},
      {"{\\f7\\fs40\\b <&>}",
       "font-family:'Arial';font-size:20pt;font-weight:bold;\">&lt;&amp;&gt;"},
      {"a\\line b\\tab c", "a<br>b<span class=\"qy-tab\">\t</span>c"},
  };
  RenderOptions options;
  options.picture_folder = "pics/";
  for (const auto& [markup, wanted] : cases) {
    const Document doc = ParseDocument(Sjis(markup));
    const std::string html = RenderHtml(doc, doc.topics.front(), options);
    EXPECT_NE(html.find(wanted), std::string::npos) << markup << "\n" << html;
    // Hidden targets never show as text.
    EXPECT_EQ(html.find(">HLP"), std::string::npos) << html;
  }
}

TEST(HtmlRender, TextKeepsOnlyWhatIsShown) {
  const Document doc = ParseDocument(
      Sjis("{\\uldb 次へ}{\\v HLP000002}\\par a\\line b\\tab c\\{bmc x.bmp\\}{\\v hidden}\\par"));
  EXPECT_EQ(RenderText(doc.topics.front()), "次へ\na\nb\tc[x.bmp]\n");
}

}  // namespace
}  // namespace qy::topic
