#include "markup/find_history.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/settings_keys.h"
#include "support/fakes.h"

namespace qy {
namespace {

using Entries = std::vector<std::string>;

TEST(FindHistory, NewestFirstWithoutCaseDuplicatesAndAtMostTen) {
  TextHistory history(keys::FindTextFind);
  for (int i = 1; i <= 11; ++i) history.Enter("t" + std::to_string(i));
  ASSERT_EQ(history.entries().size(), 10u);
  EXPECT_EQ(history.entries().back(), "t2");
  history.Enter("T5");  // the same text apart from case moves up
  history.Enter(Sjis("ａｂ"));
  history.Enter(Sjis("ＡＢ"));
  history.Enter("");
  EXPECT_EQ(history.entries().size(), 10u);
  EXPECT_EQ(Entries(history.entries().begin(), history.entries().begin() + 3),
            (Entries{Sjis("ＡＢ"), "T5", "t11"}));
  // 0x83 0x41 and 0x83 0x61: trail bytes that look like "A" and "a".
  TextHistory kana(keys::FindTextFind);
  kana.Enter("\x83\x41");
  kana.Enter("\x83\x61");
  EXPECT_EQ(kana.entries().size(), 2u);
}

TEST(FindHistory, StoredInItsOwnSectionAndReadUpToTheFirstGap) {
  testing::TempDir dir;
  Settings settings(dir.File("q.ini"));
  TextHistory find(keys::FindTextFind);
  TextHistory replace(keys::RepTextRep);
  for (const char* t : {"c", "two\r\nlines", "b", "a"}) find.Enter(t);
  replace.Enter("r");
  ASSERT_TRUE(find.Save(settings));
  ASSERT_TRUE(replace.Save(settings));
  EXPECT_EQ(settings.file().ReadString("RepText", "Rep0"), "r");
  TextHistory loaded(keys::FindTextFind);
  loaded.Load(settings);
  EXPECT_EQ(loaded.entries(), (Entries{"a", "b", "c"}));  // no text with a line break

  settings.file().WriteString("FindText", "Find1", "");
  loaded.Load(settings);
  EXPECT_EQ(loaded.entries(), (Entries{"a"}));
  // Fewer entries than before leave no old ones behind.
  settings.file().WriteString("FindText", "Find1", "b");
  TextHistory one(keys::FindTextFind);
  one.Enter("only");
  ASSERT_TRUE(one.Save(settings));
  loaded.Load(settings);
  EXPECT_EQ(loaded.entries(), (Entries{"only"}));
}

}  // namespace
}  // namespace qy
