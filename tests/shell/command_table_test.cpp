#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/codec.h"

namespace qy {
namespace {

// The sections partition the numbers: every number a row has belongs to the
// section that lists it, and the gaps between sections have neither.
TEST(CommandTableTest, SectionsPartitionTheNumbers) {
  std::size_t present = 0;
  for (int n = -5; n < 230; ++n) {
    const bool found = FindCommand(n) != nullptr;
    present += found ? 1 : 0;
    EXPECT_EQ(SectionOfNumber(n).has_value(), found) << n;
  }
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
  EXPECT_EQ(in_sections, present);
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
}

// Lookups ignore letter case and find nothing for names no row has.
TEST(CommandTableTest, LookupsIgnoreCaseAndMissUnknownNames) {
  const CommandRow* topic = FindCommandById(CommandSection::kHelp, "topic");
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(FindCommandById(CommandSection::kHelp, "TOPIC"), topic);
  EXPECT_EQ(FindCommandById(CommandSection::kFile, "Topic"), nullptr);
  EXPECT_EQ(FindCommandById(CommandSection::kEdit, "Group"), nullptr);
  EXPECT_EQ(FindCommandByMenuItem("mnuNothing"), nullptr);
  EXPECT_EQ(FindCommandByMenuItem(""), nullptr);
  EXPECT_EQ(SectionByName("shortcut"), CommandSection::kShortCut);
  EXPECT_EQ(SectionByName("Tools"), std::nullopt);
  // A caption carries its level in front.
  EXPECT_EQ(LeveledCaption(*FindCommand(kCmdConvertGroup)), "2." + Sjis("変換"));
}

}  // namespace
}  // namespace qy
