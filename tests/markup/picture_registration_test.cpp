#include "markup/picture_registration.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "markup/picture_menu.h"
#include "support/fakes.h"

namespace qy {
namespace {

TEST(PictureRegistration, ReadsKeepsHalfSlotsAndWritesNineSlots) {
  testing::TempDir dir;
  Settings settings(dir.File("q.ini"));
  IniFile& ini = settings.file();
  ini.WriteString("Pics", "BitmapName2", "a.bmp");
  ini.WriteString("Pics", "BitmapTitle2", "A");
  ini.WriteString("Pics", "BitmapCheck2", "true");  // only "True" is transparent
  ini.WriteString("Pics", "BitmapName5", "b.bmp");  // no title: not in the menu, but kept
  ini.WriteString("Pics", "BitmapTitle7", "C");
  ini.WriteString("Pics", "BitmapName7", "c.shg");
  ini.WriteString("Pics", "BitmapCheck7", "True");
  const std::vector<PictureRegistration> read = ReadPictureRegistrations(settings, "Pics");
  const std::vector<PictureRegistration> expected = {
      {"a.bmp", "A", false}, {"b.bmp", "", false}, {"c.shg", "C", true}};
  EXPECT_EQ(read, expected);

  PictureRegistrationList list(read);
  list.Select(2);
  ASSERT_TRUE(list.MoveUp());
  ASSERT_TRUE(list.SetTransparent(0, true));
  list.Select(2);
  ASSERT_TRUE(list.DeleteSelected());  // b.bmp, now last
  ASSERT_TRUE(WritePictureRegistrations(settings, "Pics", list.entries()));
  for (int i = 1; i <= 9; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_EQ(ini.ReadString("Pics", "BitmapName" + n, "?"), i > 2    ? ""
                                                             : i == 1 ? "a.bmp"
                                                                      : "c.shg");
    EXPECT_EQ(ini.ReadString("Pics", "BitmapCheck" + n, "?"), i > 2 ? "" : "True");
  }
  // The menus read what was written.
  EXPECT_EQ(RegisteredPictureText(settings, "Pics", 2), "\\{bmct c.shg\\}");
}

TEST(PictureRegistration, ListNeedsFileAndTitleAndHoldsNine) {
  PictureRegistrationList list({});
  EXPECT_FALSE(list.Add("", "t"));
  EXPECT_FALSE(list.Add("f.bmp", ""));
  for (int i = 0; i < kMaxPictureRegistrations; ++i) {
    ASSERT_TRUE(list.Add("f.bmp", "t" + std::to_string(i)));
  }
  EXPECT_FALSE(list.Add("g.bmp", "full"));
  EXPECT_FALSE(list.SetTransparent(9, true));
}

}  // namespace
}  // namespace qy
