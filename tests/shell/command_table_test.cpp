#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/codec.h"

namespace qy {
namespace {

// The rows as the table lists them, one or more per section, compared field
// by field.
struct ExpectedRow {
  int number;
  CommandSection section;
  const char* id;
  const char* menu_item;
  int level;
  const char* caption;
  const char* default_key;
  const char* popup_item;
};

const ExpectedRow kSpotChecks[] = {
    {0, CommandSection::kFile, "NewPro", "mnuFileNewPro", 0, "新規プロジェクト", "Ctrl+N", ""},
    {8, CommandSection::kFile, "HelpWiz", "mnuFileHelpForm", 0, "ヘルプファイル作成ウィザード",
     "Shift+F2", ""},
    {11, CommandSection::kFile, "End", "mnuFileEnd", 0, "Quilloryの終了", "", ""},
    {21, CommandSection::kEdit, "Undo", "mnuEditUnDo", 0, "元に戻す", "Ctrl+Z", "mnuPnsUndo"},
    {28, CommandSection::kEdit, "Group", "", 2, "変換", "", ""},
    {33, CommandSection::kEdit, "Hiri", "mnuEditChangeHira", 1, "仮名に変換", "", ""},
    {41, CommandSection::kEdit, "Top", "munEditTopicTop", 0, "トピックの先頭", "", ""},
    {42, CommandSection::kEdit, "Bottom", "mnuEditTopicLast", 0, "トピックの最後", "", ""},
    {51, CommandSection::kView, "Group", "", 2, "ツールバー", "", ""},
    {63, CommandSection::kView, "Keybar", "mnuViewKeyBar", 1, "表示する", "", ""},
    {69, CommandSection::kView, "ViewId", "mnuViewTreeConId", 1, "コンテキストＩＤ", "", ""},
    {77, CommandSection::kView, "EdtErr", "mnuViewMidFileErr", 1, "ERRファイルを開く", "", ""},
    {81, CommandSection::kView, "ShowSHG", "mnuViewSHG", 0, "ホットスポットエディタ",
     "Shift+Ctrl+S", ""},
    {82, CommandSection::kView, "Option", "mnuViewOption", 0, "オプション", "", ""},
    {91, CommandSection::kProject, "NewPage", "mnuProGroupNew", 0, "新規ページ", "Ctrl+G",
     "mnuPopNewGroup"},
    {99, CommandSection::kProject, "Topic", "mnuAttrTopic", 1, "トピック属性", "Ctrl+Alt+T", ""},
    {107, CommandSection::kProject, "PageBack", "mnuProTopGroup", 0, "前のページ", "Ctrl+Left", ""},
    {109, CommandSection::kProject, "PageHis", "mnuProHisLst", 0, "ページ移動略歴", "Ctrl+M",
     "mnuPumGrpHis"},
    {112, CommandSection::kProject, "Property", "mnuProProperty", 0, "プロジェクトのプロパティ",
     "Shift+Ctrl+P", ""},
    {121, CommandSection::kShortCut, "Group", "", 2, "画像ファイル", "", ""},
    {122, CommandSection::kShortCut, "BmpIn", "mnuShortBmpIn", 1, "画像ファイルの挿入", "Shift+F5",
     "mnuPnsBmpIn"},
    {132, CommandSection::kShortCut, "BmpSet", "mnuShortBmpSeting", 1, "画像ファイルの登録", "",
     ""},
    {145, CommandSection::kShortCut, "JumpLink", "mnuShortJump", 0, "ジャンプ", "Ctrl+J",
     "mnuPnsJump"},
    {153, CommandSection::kShortCut, "Bold", "mnuShortFontB", 0, "太字", "", "mnuPnsFontB"},
    {158, CommandSection::kShortCut, "Etc", "mnuShortEtc", 0, "その他のショートカット", "Ctrl+E",
     "mnuEtcShort"},
    {171, CommandSection::kMacro, "MacRun", "mnuMacRun", 0, "QYマクロを指定して実行", "F5",
     "mnuPnsEscIn"},
    {172, CommandSection::kMacro, "MacLast", "mnuMacLastRun", 0, "直前に実行したQYマクロ", "", ""},
    {193, CommandSection::kMacro, "MacReg", "mnuMacReg", 0, "QYマクロをメニューに登録", "", ""},
    {201, CommandSection::kHelp, "Topic", "mnuHelpTopic", 0, "トピックの検索", "F1", ""},
    {205, CommandSection::kHelp, "Help0", "mnuHelpOutN0", 0, "外部ヘルプ１", "", ""},
    {211, CommandSection::kHelp, "About", "mnuHelpVersion", 0, "バージョン情報", "", ""},
};

TEST(CommandTableTest, RowsMatchTheTable) {
  for (const ExpectedRow& e : kSpotChecks) {
    SCOPED_TRACE(e.number);
    const CommandRow* row = FindCommand(e.number);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->number, e.number);
    EXPECT_EQ(row->section, e.section);
    EXPECT_STREQ(row->id, e.id);
    EXPECT_STREQ(row->menu_item, e.menu_item);
    EXPECT_EQ(row->level, e.level);
    EXPECT_STREQ(row->caption, e.caption);
    EXPECT_STREQ(row->default_key, e.default_key);
    EXPECT_STREQ(row->popup_item, e.popup_item);
  }
}

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
  EXPECT_EQ(CommandRows().size(), 148u);
  EXPECT_EQ(FindCommand(kEscSettingNumber), nullptr);
  EXPECT_EQ(FindCommandByMenuItem(kEscSettingMenuItem), nullptr);

  const std::vector<std::pair<CommandSection, std::size_t>> sizes = {
      {CommandSection::kFile, 12},    {CommandSection::kEdit, 22},     {CommandSection::kView, 32},
      {CommandSection::kProject, 22}, {CommandSection::kShortCut, 26}, {CommandSection::kMacro, 23},
      {CommandSection::kHelp, 11}};
  for (auto [section, size] : sizes) {
    auto rows = CommandsInSection(section);
    EXPECT_EQ(rows.size(), size) << SectionName(section);
    for (const CommandRow& row : rows) EXPECT_EQ(row.section, section);
  }
  auto shortcut = CommandsInSection(CommandSection::kShortCut);
  EXPECT_EQ(shortcut.front().number, 121);
  EXPECT_EQ(shortcut[12].number, 145);
  EXPECT_EQ(shortcut.back().number, 158);
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
    EXPECT_EQ(row->section, CommandSection::kMacro);
    EXPECT_STREQ(row->id, id);
    EXPECT_EQ(row->caption, std::string("QYマクロ") + (id + 3));
    std::string key = slot < 12 ? "Ctrl+F" + std::to_string(slot + 1) : "";
    EXPECT_EQ(row->default_key, key);
  }
  EXPECT_EQ(MacroSlotRow(-1), nullptr);
  EXPECT_EQ(MacroSlotRow(20), nullptr);
}

TEST(CommandTableTest, LookupByIdMenuItemAndSection) {
  const CommandRow* topic = FindCommandById(CommandSection::kProject, "Topic");
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(topic->number, 99);
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
  EXPECT_EQ(SectionOfNumber(150), CommandSection::kShortCut);
  EXPECT_EQ(SectionOfNumber(140), std::nullopt);
  EXPECT_EQ(SectionMenuCaption(CommandSection::kMacro), Sjis("QYマクロメニュー"));
}

TEST(CommandTableTest, CaptionsAreShiftJisWithTheLevelPrefix) {
  EXPECT_EQ(LeveledCaption(*FindCommand(28)), "2." + Sjis("変換"));
  EXPECT_EQ(LeveledCaption(*FindCommand(29)), "1." + Sjis("大文字に変換"));
  EXPECT_EQ(LeveledCaption(*FindCommand(0)), "0." + Sjis("新規プロジェクト"));
  EXPECT_EQ(CommandCaption(*FindCommand(72)), Sjis("テキストエディタで..."));
}

}  // namespace
}  // namespace qy
