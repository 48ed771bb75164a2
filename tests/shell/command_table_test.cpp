#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/codec.h"

namespace qy {
namespace {

TEST(CommandTableTest, NumbersAreExactlyTheSectionRanges) {
  const std::vector<std::pair<int, int>> ranges = {{0, 11},    {21, 42},   {51, 82},   {91, 112},
                                                   {121, 132}, {145, 158}, {171, 193}, {201, 211}};
  std::set<int> expected;
  for (auto [first, last] : ranges) {
    for (int n = first; n <= last; ++n) expected.insert(n);
  }
  std::set<int> present;
  for (int n = -5; n < 230; ++n) {
    if (FindCommand(n) != nullptr) present.insert(n);
    EXPECT_EQ(SectionOfNumber(n).has_value(), expected.count(n) == 1) << n;
  }
  EXPECT_EQ(present, expected);
  EXPECT_EQ(FindCommand(kEscSettingNumber), nullptr);
  EXPECT_EQ(FindCommandByMenuItem(kEscSettingMenuItem), nullptr);
  std::size_t in_sections = 0;
  for (int s = 0; s < kCommandSectionCount; ++s) {
    const auto section = static_cast<CommandSection>(s);
    for (const CommandRow& row : CommandsInSection(section)) {
      EXPECT_EQ(SectionOfNumber(row.number), section) << row.number;
      ++in_sections;
    }
  }
  EXPECT_EQ(in_sections, expected.size());
}

TEST(CommandTableTest, IdsMenuItemsAndLevelsAreConsistent) {
  std::set<std::string> menu_items;
  for (int s = 0; s < kCommandSectionCount; ++s) {
    std::set<std::string> ids;
    bool group_open = false;
    for (const CommandRow& row : CommandsInSection(static_cast<CommandSection>(s))) {
      SCOPED_TRACE(row.number);
      if (row.IsGroup()) {
        EXPECT_EQ(row.level, kLevelGroup);
        EXPECT_STREQ(row.menu_item, "");
        EXPECT_STREQ(row.default_key, "");
        group_open = true;
        continue;
      }
      EXPECT_NE(row.level, kLevelGroup);
      // An item of a group needs a group heading above it in its menu.
      if (row.level == kLevelGroupItem) {
        EXPECT_TRUE(group_open);
      }
      EXPECT_TRUE(ids.insert(row.id).second) << "duplicate id " << row.id;
      if (IsMacroSlot(row.number)) {
        EXPECT_STREQ(row.menu_item, "");
      } else {
        EXPECT_NE(std::string(row.menu_item), "");
        EXPECT_TRUE(menu_items.insert(row.menu_item).second) << row.menu_item;
      }
    }
  }
}

// Flags that change what a command does only make sense on a command; a
// group heading is a submenu and carries at most its separator.
TEST(CommandTableTest, GroupHeadingsCarryNoCommandState) {
  for (const CommandRow& row : CommandRows()) {
    SCOPED_TRACE(row.id);
    if (!row.IsGroup()) continue;
    EXPECT_EQ(row.flags & ~unsigned{kSeparatorBefore}, 0u) << row.number;
    EXPECT_EQ(row.popup, CommandPopup::kNone) << row.number;
    EXPECT_STREQ(row.hint, "") << row.number;
  }
  EXPECT_TRUE(FindCommand(kCmdNewFind)->Has(kNotWhilePageOut));
  EXPECT_FALSE(FindCommand(kCmdCopyPage)->Has(kNotWhilePageOut));
  EXPECT_STREQ(MenuCaptionUtf8(*FindCommand(kCmdBmp1)), "画像ファイル１");
  EXPECT_STREQ(MenuCaptionUtf8(*FindCommand(kCmdNewPro)), "新規プロジェクト(&N)");
}

TEST(CommandTableTest, MacroSlotsAreTwentyNumberedRows) {
  int slots = 0;
  for (const CommandRow& row : CommandRows()) slots += IsMacroSlot(row.number) ? 1 : 0;
  EXPECT_EQ(slots, kMacroSlotCount);
  EXPECT_FALSE(IsMacroSlot(172));
  EXPECT_FALSE(IsMacroSlot(193));
  for (int slot = 0; slot < kMacroSlotCount; ++slot) {
    const CommandRow* row = MacroSlotRow(slot);
    ASSERT_NE(row, nullptr);
    char id[8];
    std::snprintf(id, sizeof id, "Mac%02d", slot);
    EXPECT_EQ(row->number, 173 + slot);
    EXPECT_STREQ(row->id, id);
    EXPECT_EQ(row->default_key, slot < 12 ? "Ctrl+F" + std::to_string(slot + 1) : "");
  }
  EXPECT_EQ(MacroSlotRow(-1), nullptr);
  EXPECT_EQ(MacroSlotRow(20), nullptr);
}

TEST(CommandTableTest, LookupByIdMenuItemAndSection) {
  EXPECT_EQ(FindCommandById(CommandSection::kProject, "Topic")->number, 99);
  EXPECT_EQ(FindCommandById(CommandSection::kHelp, "topic")->number, 201);
  EXPECT_EQ(FindCommandById(CommandSection::kFile, "Topic"), nullptr);
  EXPECT_EQ(FindCommandById(CommandSection::kEdit, "Group"), nullptr);
  EXPECT_EQ(FindCommandById(CommandSection::kMacro, "Mac19")->number, 192);

  EXPECT_EQ(FindCommandByMenuItem("mnuFileMakeHelp")->number, 7);
  EXPECT_EQ(FindCommandByMenuItem("mnuPnsFindConLink")->number, 40);
  EXPECT_EQ(FindCommandByMenuItem("mnuNothing"), nullptr);
  EXPECT_EQ(FindCommandByMenuItem(""), nullptr);

  EXPECT_EQ(SectionByName("shortcut"), CommandSection::kShortCut);
  EXPECT_EQ(SectionByName("Tools"), std::nullopt);
  EXPECT_STREQ(SectionName(CommandSection::kShortCut), "ShortCut");
  EXPECT_EQ(SectionMenuCaption(CommandSection::kMacro), Sjis("QYマクロメニュー"));

  EXPECT_EQ(LeveledCaption(*FindCommand(28)), "2." + Sjis("変換"));
  EXPECT_EQ(LeveledCaption(*FindCommand(29)), "1." + Sjis("大文字に変換"));
  EXPECT_EQ(LeveledCaption(*FindCommand(0)), "0." + Sjis("新規プロジェクト"));
  EXPECT_EQ(CommandCaption(*FindCommand(72)), Sjis("テキストエディタで..."));
}

}  // namespace
}  // namespace qy
