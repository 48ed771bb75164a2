#include "export/search_index.h"

#include <gtest/gtest.h>

namespace qy::help_export {
namespace {

TEST(SearchIndex, FindsJapaneseByBigramsAndRanks) {
  SearchIndex index;
  index.AddPage("a.html", "家計簿", "家計簿を作成します。家計簿の保存。");
  index.AddPage("b.html", "入力", "収入と支出。ＥＮＴＥＲキー");
  index.AddPage("c.html", "計算", "家計の簿記");  // holds both bigram halves, not the word
  struct Case {
    const char* query;
    std::vector<int> hits;
  } cases[] = {
      {"家計簿", {0}},                      // "家計" and "計簿" both only in a
      {"家計", {0, 2}},                     // a has it three times: first
      {"enter", {1}},                       // full-width text, half-width query
      {"Ｅnter キー", {1}},                 // two runs, both needed
      {"簿", {0, 2}},                       // one character
      {"存在しない", {}},   {"、。 ", {}},  // only separators
  };
  for (const Case& c : cases) EXPECT_EQ(index.Search(c.query), c.hits) << c.query;
}

TEST(SearchIndex, ScriptIsAsciiAndCannotEndTheScriptElement) {
  SearchIndex index;
  index.AddPage("x.html", "</script>\"\\", "𠮷野");
  const std::string script = index.Script();
  for (char c : script) ASSERT_LT(static_cast<unsigned char>(c), 0x80);
  EXPECT_EQ(script.find("</script"), std::string::npos);
  EXPECT_NE(script.find("\\u003c/script\\u003e\\u0022\\u005c"), std::string::npos);
  EXPECT_NE(script.find("\"\\ud842\\udfb7\\u91ce\":\"0:1\""), std::string::npos);  // surrogates
}

}  // namespace
}  // namespace qy::help_export
