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
  ToolbarLayout layout = ToolbarLayout::Read(dir.File("quillory.bar"), &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(layout, ToolbarLayout());
  auto items = ApplyToolbarLayout(layout);
  ASSERT_FALSE(items.empty());
  for (const ToolbarItemState& item : items) {
    EXPECT_TRUE(item.shown);
    // The layout numbers its images apart from ButtonImageIndex: both agree.
    EXPECT_EQ(item.image, ButtonImageIndex(item.row->number));
  }
}

TEST(ToolbarLayoutTest, HiddenSeparatorAndButtonsKeepImages) {
  ToolbarLayout layout = ToolbarLayout::FromFile(std::string(
      "[editbar]\r\nEditSp0=0\r\nCut = 0\r\n[ShortCutBar]\r\nJump=yes\r\nPopup=2\r\nEtc=-0\r\n"));
  auto items = ApplyToolbarLayout(layout);
  EXPECT_FALSE(StateOf(items, 15).shown);  // separator after the select button
  EXPECT_FALSE(StateOf(items, 9).shown);
  EXPECT_TRUE(StateOf(items, 13).shown);
  EXPECT_TRUE(StateOf(items, 47).shown);  // not a number: shown
  EXPECT_TRUE(StateOf(items, 48).shown);
  EXPECT_FALSE(StateOf(items, 65).shown);
  EXPECT_EQ(StateOf(items, 15).image, -1);
  EXPECT_EQ(StateOf(items, 10).image, 6);  // unchanged by the hidden cut button
  EXPECT_EQ(StateOf(items, 16).image, 10);
}

TEST(ToolbarLayoutTest, RoundTripKeepsOtherLines) {
  TempDir dir;
  std::string path = dir.File("quillory.bar");
  ASSERT_TRUE(WriteFileAtomic(path, "; layout\r\n[Other]\r\nA=b\r\n").ok);
  ToolbarLayout layout;
  layout.SetShown(5, false);
  layout.SetShown(44, false);
  layout.SetShown(1, false);  // a toolbar node has no key and stays shown
  EXPECT_TRUE(layout.Shown(1));
  ASSERT_TRUE(layout.Write(path).ok);

  std::string error;
  ToolbarLayout back = ToolbarLayout::Read(path, &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(back, layout);
  EXPECT_FALSE(back.Shown(5));
  EXPECT_FALSE(back.Shown(44));
  EXPECT_TRUE(back.Shown(6));

  auto data = ReadWholeFile(path);
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->rfind("; layout\r\n[Other]\r\nA=b\r\n", 0), 0u);
  EXPECT_EQ(IniFile::ValueIn(*data, "FileBar", "FileSp0"), "0");
  EXPECT_EQ(IniFile::ValueIn(*data, "ShortCutBar", "Etc"), "1");
}

TEST(ToolbarLayoutTest, UnreadableFileIsReportedAndKept) {
  TempDir dir;
  std::string path = dir.File("quillory.bar");
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  std::string error;
  EXPECT_EQ(ToolbarLayout::Read(path, &error), ToolbarLayout());
  EXPECT_NE(error, "");
  EXPECT_FALSE(ToolbarLayout().Write(path).ok);
  EXPECT_TRUE(DirectoryExists(path));
}

TEST(ToolbarLayoutTest, TreeHasATickBoxPerItem) {
  ToolbarLayout layout;
  layout.SetShown(39, false);
  auto nodes = BuildToolbarTree(layout);
  ASSERT_FALSE(nodes.empty());
  EXPECT_EQ(nodes[0].kind, ToolbarTreeNode::Kind::kRoot);
  int page_bar = -1;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].number == 35) page_bar = static_cast<int>(i);
  }
  ASSERT_GE(page_bar, 0);
  EXPECT_EQ(nodes[page_bar].kind, ToolbarTreeNode::Kind::kToolbar);
  EXPECT_EQ(nodes[page_bar].parent, 0);
  for (const ToolbarTreeNode& node : nodes) {
    if (node.kind != ToolbarTreeNode::Kind::kItem) continue;
    EXPECT_EQ(node.checked, node.number != 39) << node.number;
    if (node.number >= 36 && node.number <= 42) {
      EXPECT_EQ(node.parent, page_bar);
    }
  }
}

}  // namespace
}  // namespace qy
