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
  EXPECT_EQ(history.entries().front(), "t11");
  EXPECT_EQ(history.entries().back(), "t2");

  history.Enter("T5");  // the same text apart from case moves up
  EXPECT_EQ(history.entries().size(), 10u);
  EXPECT_EQ(history.entries()[0], "T5");
  EXPECT_EQ(std::count(history.entries().begin(), history.entries().end(), "t5"), 0);
  EXPECT_EQ(history.entries()[1], "t11");

  history.Enter(Sjis("ａｂ"));
  history.Enter(Sjis("ＡＢ"));
  EXPECT_EQ(history.entries()[0], Sjis("ＡＢ"));
  EXPECT_EQ(history.entries()[1], "T5");
  history.Enter("");
  EXPECT_EQ(history.entries()[0], Sjis("ＡＢ"));
}

TEST(FindHistory, TrailBytesAreNotFoldedWhenComparing) {
  // 0x83 0x41 and 0x83 0x61 are two katakana whose trail bytes look like
  // "A" and "a".
  TextHistory history(keys::FindTextFind);
  history.Enter("\x83\x41");
  history.Enter("\x83\x61");
  EXPECT_EQ(history.entries().size(), 2u);
}

TEST(FindHistory, StoredInItsOwnSectionAndReadUpToTheFirstGap) {
  testing::TempDir dir;
  Settings settings(dir.File("q.ini"));
  TextHistory find(keys::FindTextFind);
  TextHistory replace(keys::RepTextRep);
  for (const char* t : {"c", "b", "a"}) find.Enter(t);
  replace.Enter("r");
  ASSERT_TRUE(find.Save(settings));
  ASSERT_TRUE(replace.Save(settings));
  EXPECT_EQ(settings.file().ReadString("FindText", "Find0"), "a");
  EXPECT_EQ(settings.file().ReadString("FindText", "Find2"), "c");
  EXPECT_EQ(settings.file().ReadString("RepText", "Rep0"), "r");

  TextHistory loaded(keys::FindTextFind);
  loaded.Load(settings);
  EXPECT_EQ(loaded.entries(), (Entries{"a", "b", "c"}));

  settings.file().WriteString("FindText", "Find1", "");
  loaded.Load(settings);
  EXPECT_EQ(loaded.entries(), (Entries{"a"}));

  // Fewer entries than before leave no old ones behind.
  TextHistory one(keys::FindTextFind);
  one.Enter("only");
  ASSERT_TRUE(one.Save(settings));
  loaded.Load(settings);
  EXPECT_EQ(loaded.entries(), (Entries{"only"}));
}

TEST(FindHistory, TextWithALineBreakIsNotStored) {
  testing::TempDir dir;
  Settings settings(dir.File("q.ini"));
  TextHistory history(keys::FindTextFind);
  history.Enter("x");
  history.Enter("two\r\nlines");
  history.Enter("y");
  ASSERT_TRUE(history.Save(settings));
  TextHistory loaded(keys::FindTextFind);
  loaded.Load(settings);
  EXPECT_EQ(loaded.entries(), (Entries{"y", "x"}));
}

}  // namespace
}  // namespace qy
