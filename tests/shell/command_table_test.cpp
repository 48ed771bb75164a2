#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qy {
namespace {

// The sections partition the numbers: every number a row has belongs to the
// section that lists it, and the gaps between sections have neither.
TEST(CommandTableTest, SectionsPartitionTheNumbers) {
  std::size_t present = 0;
  for (int n = -5; n < 230; ++n) {
    present += FindCommand(n) != nullptr;
    EXPECT_EQ(SectionOfNumber(n).has_value(), FindCommand(n) != nullptr) << n;
  }
  EXPECT_EQ(FindCommand(kEscSettingNumber), nullptr);
  std::size_t in_sections = 0;
  for (int s = 0; s < kCommandSectionCount; ++s) {
    for (const CommandRow& row : CommandsInSection(static_cast<CommandSection>(s))) {
      EXPECT_EQ(SectionOfNumber(row.number), static_cast<CommandSection>(s)) << row.number;
      ++in_sections;
    }
  }
  EXPECT_EQ(in_sections, present);
}

// Ids are unique per section and menu items overall; a group heading is a
// submenu that carries at most its separator, and its items follow it.
TEST(CommandTableTest, RowsAreConsistent) {
  std::set<std::string> menu_items;
  for (int s = 0; s < kCommandSectionCount; ++s) {
    std::set<std::string> ids;
    bool group_open = false;
    for (const CommandRow& row : CommandsInSection(static_cast<CommandSection>(s))) {
      SCOPED_TRACE(row.number);
      if (row.IsGroup()) {
        EXPECT_EQ(row.level, kLevelGroup);
        EXPECT_EQ(std::string(row.menu_item) + row.default_key, "");
        group_open = true;
        continue;
      }
      EXPECT_NE(row.level, kLevelGroup);
      EXPECT_TRUE(group_open || row.level != kLevelGroupItem);
      EXPECT_TRUE(ids.insert(row.id).second) << "duplicate id " << row.id;
      EXPECT_EQ(IsMacroSlot(row.number), std::string(row.menu_item).empty());
      EXPECT_TRUE(IsMacroSlot(row.number) || menu_items.insert(row.menu_item).second);
    }
  }
}

// Lookups ignore letter case and find nothing for names no row has.
TEST(CommandTableTest, LookupsIgnoreCaseAndMissUnknownNames) {
  const CommandRow* topic = FindCommandById(CommandSection::kHelp, "topic");
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(FindCommandById(CommandSection::kHelp, "TOPIC"), topic);
  EXPECT_EQ(FindCommandById(CommandSection::kFile, "Topic"), nullptr);
  EXPECT_EQ(FindCommandByMenuItem(kEscSettingMenuItem), nullptr);
  EXPECT_EQ(SectionByName("shortcut"), CommandSection::kShortCut);
  EXPECT_EQ(SectionByName("Tools"), std::nullopt);
}

}  // namespace
}  // namespace qy
