// Shortcut keys: the key texts ("Shift+Ctrl+S"), the key file (".kst", the
// settings-file format with one section per command section and the
// command ids as keys) and the key page of the options dialog.
//
// The default-key column of the command table applies only while no key
// file exists; once one exists a command without an entry has no shortcut.
// An empty value and the word "Not" mean no shortcut.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/files.h"
#include "core/prompter.h"
#include "shell/command_table.h"

namespace qy {

// A key combination: the modifiers and one key name in its canonical
// spelling ("A".."Z", "0".."9", "F1".."F12", "Ins", "Del", "BkSp", "Esc",
// "Enter", "Tab", "Space", "PgUp", "PgDn", "Home", "End", "Up", "Down",
// "Left", "Right").
struct KeyCombo {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  std::string key;

  // "Shift+", "Ctrl+", "Alt+" in this order, then the key name.
  std::string Text() const;
  bool operator==(const KeyCombo&) const = default;
};

// The longest key text the key page stores.
inline constexpr std::size_t kMaxKeyTextLength = 24;

// True for the texts that mean "no shortcut": empty (blanks aside) and "Not".
bool MeansNoShortcut(std::string_view text);

// The combination a key text stands for. Modifier words may come in any
// order and any letter case; blanks around the parts are ignored. nullopt
// for "no shortcut" and for anything that is not a usable combination:
// unknown key names, repeated modifiers, texts longer than
// kMaxKeyTextLength, and letters, digits, blanks or cursor keys without
// Ctrl or Alt (those would take keys away from typing in the editor).
std::optional<KeyCombo> ParseKeyText(std::string_view text);
// The canonical text of a key text, or "" when it gives no shortcut.
std::string NormalizeKeyText(std::string_view text);

// The key list of the key page for the ticked modifier boxes: without Ctrl
// and Alt "F1".."F12", "Ins", "Del", "BkSp", "Esc"; otherwise "A".."Z",
// "F1".."F12", "Ins", "Del", "BkSp", "Esc", "Up", "Down", "Left", "Right";
// each preceded by the modifier words.
std::vector<std::string> KeyChoices(bool shift, bool ctrl, bool alt);

// The key file's bytes, or nullopt when there is no key file. A key file
// that exists but cannot be read (or is absurdly large) reads as empty,
// since it still switches the defaults off; `error` then tells why.
std::optional<std::string> LoadKeyFile(const std::string& path, std::string* error = nullptr);

// Shortcut text per command number as stored: the key file's value, or the
// default key while there is no key file; "" for numbers without a command
// and for group headings.
using ShortcutTexts = std::array<std::string, kCommandNumberCount>;
ShortcutTexts ReadShortcutTexts(const std::optional<std::string>& key_file);

// What start-up gives a menu item: its row and its shortcut (nullopt: none).
struct AppliedShortcut {
  const CommandRow* row;
  std::optional<KeyCombo> key;
};
// Every command row except group headings and the registered-macro slots,
// in number order, with the shortcut of its menu item. The shortcut-menu
// item of a row (row->popup_item) shares the row's image, not its key.
std::vector<AppliedShortcut> ApplyKeySettings(const std::optional<std::string>& key_file);

// The shortcut of registered macro `slot` (0..19): only ever the key file's
// "Mac%.2d" value in section "Macro", without a default.
std::optional<KeyCombo> RegisteredMacroShortcut(const std::optional<std::string>& key_file,
                                                int slot);

// Pairs of command numbers (lower first) that give the same combination;
// a hand-edited key file can hold such pairs, and then neither key works
// unambiguously.
std::vector<std::pair<int, int>> DuplicateShortcuts(const std::vector<AppliedShortcut>& applied);

// The key file's bytes after writing `texts`: every number with a section
// gets its text under (section, id), group headings the key "Group" with an
// empty value. Other lines of `existing` stay. nullopt (and `error`) when a
// text cannot be written (a line break in it).
std::optional<std::string> KeyFileWithTexts(std::string_view existing, const ShortcutTexts& texts,
                                            std::string* error = nullptr);
// Rewrites the key file at `path` atomically with `texts`.
FileResult WriteKeyFile(const std::string& path, const ShortcutTexts& texts);

// One node of the key page's tree.
struct KeyTreeNode {
  enum class Kind { kRoot, kMenu, kGroup, kCommand };
  Kind kind;
  int parent;           // index of the parent node, -1 for the root
  std::string caption;  // Shift-JIS
  int number;           // command number, -1 for the root and the menus
};

// The tree: root "Quillory", one menu node per section, "2." rows as group
// nodes of their menu, "0." rows under their menu, "1." rows under the last
// group node of their menu. Nodes are in pre-order.
std::vector<KeyTreeNode> BuildKeyTree();

// The key page: a buffer of the 212 shortcut texts, edited while the dialog
// is open and written to the key file on OK.
class KeyPage {
 public:
  enum class SetResult { kSet, kInUse, kNotACommand, kInvalidKey };

  // Fills the buffer from the key file (defaults when there is none).
  void Load(const std::optional<std::string>& key_file);
  const ShortcutTexts& texts() const { return texts_; }
  // The shortcut field for `number` ("" outside the table).
  std::string Shortcut(int number) const;
  // Whether `number` may receive a key: a command row, not a group heading.
  static bool CanSet(int number);

  // Gives `number` the key `key_text`. A key that some command of the buffer
  // already has is refused with an information message; an empty text or
  // "Not" clears the command's key.
  SetResult Set(int number, const std::string& key_text, Prompter& prompter);

  // OK: writes the buffer to the key file.
  FileResult Save(const std::string& path) const { return WriteKeyFile(path, texts_); }

 private:
  ShortcutTexts texts_;
};

}  // namespace qy
