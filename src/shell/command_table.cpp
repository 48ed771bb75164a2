#include "shell/command_table.h"

#include <array>

#include "core/codec.h"
#include "core/cp932.h"

namespace qy {

namespace {

constexpr CommandRow kRows[] = {
#define QY_COMMAND_ROW(name, number, section, key, level, menu_item, caption, menu_caption, hint, \
                       default_key, popup, popup_item, flags)                                     \
  {name,         CommandSection::k##section,                                                      \
   key,          level,                                                                           \
   menu_item,    caption,                                                                         \
   menu_caption, hint,                                                                            \
   default_key,  CommandPopup::k##popup,                                                          \
   popup_item,   flags},
    QY_COMMANDS(QY_COMMAND_ROW)
#undef QY_COMMAND_ROW
};

struct SectionInfo {
  const char* name;
  const char* menu_caption;  // UTF-8, the key tree's node
  const char* menu_title;    // UTF-8, the menu bar's entry
};

constexpr std::array<SectionInfo, kCommandSectionCount> kSections = {{
    {"File", "ファイルメニュー", "ファイル(&F)"},
    {"Edit", "編集メニュー", "編集(&E)"},
    {"View", "表示メニュー", "表示(&V)"},
    {"Project", "プロジェクトメニュー", "プロジェクト(&P)"},
    {"ShortCut", "ショートカットメニュー", "ショートカット(&S)"},
    {"Macro", "QYマクロメニュー", "QYマクロ(&M)"},
    {"Help", "ヘルプメニュー", "ヘルプ(&H)"},
}};

// Number ranges of the sections; ShortCut has two.
struct NumberRange {
  int first;
  int last;
  CommandSection section;
};

constexpr NumberRange kRanges[] = {
    {0, 12, CommandSection::kFile},        {21, 42, CommandSection::kEdit},
    {51, 82, CommandSection::kView},       {91, 112, CommandSection::kProject},
    {121, 132, CommandSection::kShortCut}, {145, 158, CommandSection::kShortCut},
    {171, 193, CommandSection::kMacro},    {201, 211, CommandSection::kHelp},
};

// The rows are kept in number order with every number of every range
// present, so a number's row is found by counting the numbers below it.
constexpr int RowIndexOf(int number) {
  int index = 0;
  for (const NumberRange& r : kRanges) {
    if (number < r.first) return -1;
    if (number <= r.last) return index + number - r.first;
    index += r.last - r.first + 1;
  }
  return -1;
}

constexpr bool RowsMatchRanges() {
  int count = 0;
  for (const NumberRange& r : kRanges) count += r.last - r.first + 1;
  if (count != static_cast<int>(std::size(kRows))) return false;
  for (const NumberRange& r : kRanges) {
    for (int n = r.first; n <= r.last; ++n) {
      const CommandRow& row = kRows[RowIndexOf(n)];
      if (row.number != n || row.section != r.section) return false;
    }
  }
  return true;
}
static_assert(RowsMatchRanges(), "command rows must fill the section ranges in order");

// A shortcut-menu item needs its menu, and the other way round.
constexpr bool PopupsNamed() {
  for (const CommandRow& row : kRows) {
    const bool named = row.popup_item[0] != '\0';
    if (named != (row.popup != CommandPopup::kNone)) return false;
  }
  return true;
}
static_assert(PopupsNamed(), "a command's shortcut menu and its item go together");

bool NamesEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() && EqualsIgnoreAsciiCase(a, b);
}

}  // namespace

std::span<const CommandRow> CommandRows() { return kRows; }

std::span<const CommandRow> CommandsInSection(CommandSection section) {
  std::size_t begin = 0;
  while (begin < std::size(kRows) && kRows[begin].section != section) ++begin;
  std::size_t end = begin;
  while (end < std::size(kRows) && kRows[end].section == section) ++end;
  return std::span<const CommandRow>(kRows).subspan(begin, end - begin);
}

const CommandRow* FindCommand(int number) {
  int index = RowIndexOf(number);
  return index < 0 ? nullptr : &kRows[index];
}

const CommandRow* FindCommandById(CommandSection section, std::string_view id) {
  if (NamesEqual(id, kGroupId)) return nullptr;
  for (const CommandRow& row : CommandsInSection(section)) {
    if (NamesEqual(row.id, id)) return &row;
  }
  return nullptr;
}

const CommandRow* FindCommandByMenuItem(std::string_view name) {
  if (name.empty()) return nullptr;
  for (const CommandRow& row : kRows) {
    if (name == row.menu_item || name == row.popup_item) return &row;
  }
  return nullptr;
}

std::optional<CommandSection> SectionOfNumber(int number) {
  for (const NumberRange& r : kRanges) {
    if (number >= r.first && number <= r.last) return r.section;
  }
  return std::nullopt;
}

const char* SectionName(CommandSection section) {
  return kSections[static_cast<int>(section)].name;
}

std::optional<CommandSection> SectionByName(std::string_view name) {
  for (int i = 0; i < kCommandSectionCount; ++i) {
    if (NamesEqual(kSections[i].name, name)) return static_cast<CommandSection>(i);
  }
  return std::nullopt;
}

std::string SectionMenuCaption(CommandSection section) {
  return Sjis(kSections[static_cast<int>(section)].menu_caption);
}

const char* SectionMenuTitle(CommandSection section) {
  return kSections[static_cast<int>(section)].menu_title;
}

std::string CommandCaption(const CommandRow& row) { return Sjis(row.caption); }

std::string LeveledCaption(const CommandRow& row) {
  std::string text(1, static_cast<char>('0' + row.level));
  text += '.';
  return text + CommandCaption(row);
}

const char* MenuCaptionUtf8(const CommandRow& row) {
  return row.menu_caption[0] != '\0' ? row.menu_caption : row.caption;
}

bool IsMacroSlot(int number) {
  return number >= kFirstMacroSlot && number < kFirstMacroSlot + kMacroSlotCount;
}

const CommandRow* MacroSlotRow(int slot) {
  if (slot < 0 || slot >= kMacroSlotCount) return nullptr;
  return FindCommand(kFirstMacroSlot + slot);
}

}  // namespace qy
