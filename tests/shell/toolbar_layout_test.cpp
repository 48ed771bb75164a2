#include "shell/toolbar_layout.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "core/files.h"
#include "core/ini_file.h"
#include "shell/command_table.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::TempDir;

const ToolbarItemState& StateOf(const std::vector<ToolbarItemState>& items, int number) {
  for (const ToolbarItemState& item : items) {
    if (item.row->number == number) return item;
  }
  ADD_FAILURE() << "no item " << number;
  return items.front();
}

TEST(ToolbarLayoutTest, MissingFileShowsEverything) {
  TempDir dir;
  std::string error = "stale";
  EXPECT_EQ(ToolbarLayout::Read(dir.File("quillory.bar"), &error), ToolbarLayout());
  EXPECT_EQ(error, "");
  auto items = ApplyToolbarLayout(ToolbarLayout());
  ASSERT_FALSE(items.empty());
  for (const ToolbarItemState& item : items) {
    EXPECT_TRUE(item.shown);
    // The layout numbers its images apart from ButtonImageIndex: both agree.
    EXPECT_EQ(item.image, ButtonImageIndex(item.row->number));
  }
}

TEST(ToolbarLayoutTest, HiddenSeparatorAndButtonsKeepImages) {
  auto items = ApplyToolbarLayout(ToolbarLayout::FromFile(
      std::string("[editbar]\r\nEditSp0=0\r\nCut = 0\r\n[ShortCutBar]\r\nJump=yes\r\nEtc=-0\r\n")));
  // 15 is the separator after the select button; "yes" is no number: shown.
  for (auto [number, shown] :
       {std::pair{15, false}, {9, false}, {13, true}, {47, true}, {65, false}}) {
    EXPECT_EQ(StateOf(items, number).shown, shown) << number;
  }
  EXPECT_EQ(StateOf(items, 15).image, -1);
  EXPECT_EQ(StateOf(items, 10).image, 6);  // unchanged by the hidden cut button
  EXPECT_EQ(StateOf(items, 16).image, 10);
}

TEST(ToolbarLayoutTest, RoundTripKeepsOtherLinesAndUnreadableFilesStay) {
  TempDir dir;
  std::string path = dir.File("quillory.bar");
  ASSERT_TRUE(WriteFileAtomic(path, "; layout\r\n[Other]\r\nA=b\r\n").ok);
  ToolbarLayout layout;
  layout.SetShown(5, false);
  layout.SetShown(44, false);
  ASSERT_TRUE(layout.Write(path).ok);
  std::string error;
  ToolbarLayout back = ToolbarLayout::Read(path, &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(back, layout);
  const std::string data = ReadWholeFile(path).value_or("");
  EXPECT_EQ(data.rfind("; layout\r\n[Other]\r\nA=b\r\n", 0), 0u);
  EXPECT_EQ(IniFile::ValueIn(data, "FileBar", "FileSp0"), "0");
  EXPECT_EQ(IniFile::ValueIn(data, "ShortCutBar", "Etc"), "1");

  const std::string folder = dir.File("folder.bar");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  EXPECT_EQ(ToolbarLayout::Read(folder, &error), ToolbarLayout());
  EXPECT_NE(error, "");
  EXPECT_FALSE(layout.Write(folder).ok);
  EXPECT_TRUE(DirectoryExists(folder));
}

}  // namespace
}  // namespace qy
