// The main window's command table: the rows of shell/command_list.h with
// their lookups. Menus, shortcut menus, the key page and the key file are
// all built from these rows.
//
// Texts in the rows are UTF-8 literals; the accessors that hand out captions
// return Shift-JIS.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shell/command_list.h"

namespace qy {

// Sections of the command numbers, in menu order; also the sections of the
// key file.
enum class CommandSection { kFile, kEdit, kView, kProject, kShortCut, kMacro, kHelp };
inline constexpr int kCommandSectionCount = 7;

// Level of a row in the key tree, the digit of its caption prefix.
inline constexpr int kLevelMenuItem = 0;   // "0." an item directly in its menu
inline constexpr int kLevelGroupItem = 1;  // "1." an item in the group above it
inline constexpr int kLevelGroup = 2;      // "2." a group heading (a submenu)

// Numbers run 0..211; numbers outside the sections' ranges have no command.
inline constexpr int kCommandNumberCount = 212;

// Rows 173..192 are the slots of the 20 registered macros; they have no
// fixed menu item (the macro menu makes their items at run time).
inline constexpr int kFirstMacroSlot = kCmdMac00;
inline constexpr int kMacroSlotCount = 20;

// The id of a group heading; such rows have no shortcut.
inline constexpr char kGroupId[] = "Group";

// One menu item lies outside every section: it has a number but no row and
// takes no key.
inline constexpr int kEscSettingNumber = 144;
inline constexpr char kEscSettingMenuItem[] = "mnuShortEscSeting";

// The shortcut menu a command also appears in.
enum class CommandPopup { kNone, kEditor, kTree };

struct CommandRow {
  CommandId number;
  CommandSection section;
  const char* id;            // the key-file key
  int level;                 // kLevelMenuItem, kLevelGroupItem or kLevelGroup
  const char* menu_item;     // "" for group headings and macro slots
  const char* caption;       // UTF-8, without the level prefix
  const char* menu_caption;  // UTF-8 with the access key; "" means `caption`
  const char* hint;          // UTF-8 status-bar hint, "" for none
  const char* default_key;   // "" for none
  CommandPopup popup;
  const char* popup_item;  // the shortcut-menu item sharing the image, or ""
  unsigned flags;          // CommandFlag bits

  bool IsGroup() const { return std::string_view(id) == kGroupId; }
  bool Has(CommandFlag flag) const { return (flags & flag) != 0; }
};

// All rows in number order.
std::span<const CommandRow> CommandRows();
// The rows of one section in number order (contiguous in the table).
std::span<const CommandRow> CommandsInSection(CommandSection section);

// The row of `number`, or null when the number has no command.
const CommandRow* FindCommand(int number);
// The row with `id` in `section` (ids compare without regard to ASCII case,
// as key-file keys do); null for "Group" or an unknown id.
const CommandRow* FindCommandById(CommandSection section, std::string_view id);
// The row whose menu item or shortcut-menu item is `name`; null when none.
const CommandRow* FindCommandByMenuItem(std::string_view name);

// The section that `number` falls in, or nullopt outside every range.
std::optional<CommandSection> SectionOfNumber(int number);
// "File", "Edit", "View", "Project", "ShortCut", "Macro", "Help".
const char* SectionName(CommandSection section);
// The section named `name` (ASCII case ignored), or nullopt.
std::optional<CommandSection> SectionByName(std::string_view name);
// The section's node in the key tree ("ファイルメニュー" ...), Shift-JIS.
std::string SectionMenuCaption(CommandSection section);
// The title of the section's menu in the menu bar ("ファイル(&F)"), UTF-8.
const char* SectionMenuTitle(CommandSection section);

// The caption the key tree shows, Shift-JIS.
std::string CommandCaption(const CommandRow& row);
// The stored form of the caption: the level digit and "." before it.
std::string LeveledCaption(const CommandRow& row);
// The menu's form of the caption, UTF-8.
const char* MenuCaptionUtf8(const CommandRow& row);

// The command `offset` rows after `first` in a run of like commands (the
// nine pictures, the five external help files, the macro slots).
constexpr CommandId CommandAfter(CommandId first, int offset) {
  return static_cast<CommandId>(static_cast<int>(first) + offset);
}

bool IsMacroSlot(int number);
// The row of registered macro `slot` (0..19), null outside that range.
const CommandRow* MacroSlotRow(int slot);

}  // namespace qy
