#include "shell/key_settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/ini_file.h"

namespace qy {

namespace {

// Keys that can stand alone or with Shift only: they do not type text.
constexpr const char* kCommandKeys[] = {"Ins", "Del", "BkSp", "Esc"};
// Keys that need Ctrl or Alt: alone they type or move the caret.
constexpr const char* kTypingKeys[] = {"Enter", "Tab", "Space", "PgUp", "PgDn", "Home",
                                       "End",   "Up",  "Down",  "Left", "Right"};

// A key file is a few kilobytes; anything this big is not one.
constexpr off_t kMaxKeyFileSize = 1 << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool NamesEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() && EqualsIgnoreAsciiCase(a, b);
}

// The canonical key name of `name` and whether it may go without Ctrl or
// Alt; nullopt for an unknown name.
std::optional<std::pair<std::string, bool>> CanonicalKey(std::string_view name) {
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      return std::make_pair(std::string(1, c), false);
    }
    return std::nullopt;
  }
  if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (name[1] == '0' || n < 1 || n > 12) return std::nullopt;
    return std::make_pair("F" + std::to_string(n), true);
  }
  for (const char* k : kCommandKeys) {
    if (NamesEqual(name, k)) return std::make_pair(std::string(k), true);
  }
  for (const char* k : kTypingKeys) {
    if (NamesEqual(name, k)) return std::make_pair(std::string(k), false);
  }
  return std::nullopt;
}

std::string ModifierWords(bool shift, bool ctrl, bool alt) {
  std::string words;
  if (shift) words += "Shift+";
  if (ctrl) words += "Ctrl+";
  if (alt) words += "Alt+";
  return words;
}

}  // namespace

std::string KeyCombo::Text() const { return ModifierWords(shift, ctrl, alt) + key; }

bool MeansNoShortcut(std::string_view text) {
  text = Trim(text);
  return text.empty() || NamesEqual(text, "Not");
}

std::optional<KeyCombo> ParseKeyText(std::string_view text) {
  text = Trim(text);
  if (MeansNoShortcut(text) || text.size() > kMaxKeyTextLength) return std::nullopt;
  KeyCombo combo;
  std::size_t start = 0;
  while (true) {
    std::size_t plus = text.find('+', start);
    if (plus == std::string_view::npos) break;
    std::string_view word = Trim(text.substr(start, plus - start));
    bool* flag = nullptr;
    if (NamesEqual(word, "Shift")) flag = &combo.shift;
    if (NamesEqual(word, "Ctrl")) flag = &combo.ctrl;
    if (NamesEqual(word, "Alt")) flag = &combo.alt;
    if (flag == nullptr || *flag) return std::nullopt;
    *flag = true;
    start = plus + 1;
  }
  auto key = CanonicalKey(Trim(text.substr(start)));
  if (!key) return std::nullopt;
  if (!key->second && !combo.ctrl && !combo.alt) return std::nullopt;
  combo.key = key->first;
  return combo;
}

std::string NormalizeKeyText(std::string_view text) {
  auto combo = ParseKeyText(text);
  return combo ? combo->Text() : std::string();
}

std::vector<std::string> KeyChoices(bool shift, bool ctrl, bool alt) {
  std::vector<std::string> names;
  bool with_letters = ctrl || alt;
  if (with_letters) {
    for (char c = 'A'; c <= 'Z'; ++c) names.emplace_back(1, c);
  }
  for (int n = 1; n <= 12; ++n) names.push_back("F" + std::to_string(n));
  for (const char* k : kCommandKeys) names.emplace_back(k);
  if (with_letters) {
    for (const char* k : {"Up", "Down", "Left", "Right"}) names.emplace_back(k);
  }
  std::string words = ModifierWords(shift, ctrl, alt);
  for (std::string& name : names) name = words + name;
  return names;
}

std::optional<std::string> LoadKeyFile(const std::string& path, std::string* error) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return std::nullopt;
    if (error) *error = std::strerror(errno);
    return std::string();
  }
  if (st.st_size > kMaxKeyFileSize) {
    if (error) *error = "file too large";
    return std::string();
  }
  std::string why;
  auto data = ReadWholeFile(path, &why);
  if (!data) {
    if (error) *error = why.empty() ? "cannot read the file" : why;
    return std::string();
  }
  return data;
}

ShortcutTexts ReadShortcutTexts(const std::optional<std::string>& key_file) {
  ShortcutTexts texts;
  for (const CommandRow& row : CommandRows()) {
    if (row.IsGroup()) continue;
    std::string& text = texts[row.number];
    if (!key_file) {
      text = row.default_key;
    } else {
      text = IniFile::ValueIn(*key_file, SectionName(row.section), row.id).value_or("");
    }
  }
  return texts;
}

std::vector<AppliedShortcut> ApplyKeySettings(const std::optional<std::string>& key_file) {
  ShortcutTexts texts = ReadShortcutTexts(key_file);
  std::vector<AppliedShortcut> applied;
  for (const CommandRow& row : CommandRows()) {
    if (row.IsGroup() || IsMacroSlot(row.number)) continue;
    applied.push_back({&row, ParseKeyText(texts[row.number])});
  }
  return applied;
}

std::optional<KeyCombo> RegisteredMacroShortcut(const std::optional<std::string>& key_file,
                                                int slot) {
  const CommandRow* row = MacroSlotRow(slot);
  if (!key_file || row == nullptr) return std::nullopt;
  auto text = IniFile::ValueIn(*key_file, SectionName(row->section), row->id);
  return text ? ParseKeyText(*text) : std::nullopt;
}

std::vector<std::pair<int, int>> DuplicateShortcuts(const std::vector<AppliedShortcut>& applied) {
  std::vector<std::pair<int, int>> pairs;
  for (std::size_t i = 0; i < applied.size(); ++i) {
    if (!applied[i].key) continue;
    for (std::size_t j = i + 1; j < applied.size(); ++j) {
      if (applied[j].key == applied[i].key) {
        pairs.emplace_back(applied[i].row->number, applied[j].row->number);
      }
    }
  }
  return pairs;
}

std::optional<std::string> KeyFileWithTexts(std::string_view existing, const ShortcutTexts& texts,
                                            std::string* error) {
  std::string data(existing);
  for (int number = 0; number < kCommandNumberCount; ++number) {
    const CommandRow* row = FindCommand(number);
    if (row == nullptr) continue;
    std::string value = row->IsGroup() ? std::string() : texts[number];
    auto next = IniFile::WithValue(data, SectionName(row->section), row->id, value, error);
    if (!next) return std::nullopt;
    data = std::move(*next);
  }
  return data;
}

FileResult WriteKeyFile(const std::string& path, const ShortcutTexts& texts) {
  std::string error;
  auto existing = LoadKeyFile(path, &error);
  // A key file that exists but could not be read is not replaced: its
  // other lines would be lost.
  if (!error.empty()) return FileResult::Fail(error);
  auto data = KeyFileWithTexts(existing.value_or(""), texts, &error);
  if (!data) return FileResult::Fail(error);
  return WriteFileAtomic(path, *data);
}

std::vector<KeyTreeNode> BuildKeyTree() {
  std::vector<KeyTreeNode> nodes;
  nodes.push_back({KeyTreeNode::Kind::kRoot, -1, "Quillory", -1});
  for (int s = 0; s < kCommandSectionCount; ++s) {
    auto section = static_cast<CommandSection>(s);
    int menu = static_cast<int>(nodes.size());
    nodes.push_back({KeyTreeNode::Kind::kMenu, 0, SectionMenuCaption(section), -1});
    int group = menu;
    for (const CommandRow& row : CommandsInSection(section)) {
      if (row.level == kLevelGroup) {
        group = static_cast<int>(nodes.size());
        nodes.push_back({KeyTreeNode::Kind::kGroup, menu, CommandCaption(row), row.number});
      } else {
        int parent = row.level == kLevelGroupItem ? group : menu;
        nodes.push_back({KeyTreeNode::Kind::kCommand, parent, CommandCaption(row), row.number});
      }
    }
  }
  return nodes;
}

void KeyPage::Load(const std::optional<std::string>& key_file) {
  texts_ = ReadShortcutTexts(key_file);
}

std::string KeyPage::Shortcut(int number) const {
  if (number < 0 || number >= kCommandNumberCount) return std::string();
  return texts_[number];
}

bool KeyPage::CanSet(int number) {
  const CommandRow* row = FindCommand(number);
  return row != nullptr && !row->IsGroup();
}

KeyPage::SetResult KeyPage::Set(int number, const std::string& key_text, Prompter& prompter) {
  if (!CanSet(number)) return SetResult::kNotACommand;
  if (MeansNoShortcut(key_text)) {
    texts_[number].clear();
    return SetResult::kSet;
  }
  auto combo = ParseKeyText(key_text);
  if (!combo) return SetResult::kInvalidKey;
  for (const std::string& text : texts_) {
    if (ParseKeyText(text) == combo) {
      prompter.Information(std::string(kCrLf) + "'" + key_text +
                           Sjis("'キーはすでに使われています。"));
      return SetResult::kInUse;
    }
  }
  texts_[number] = combo->Text();
  return SetResult::kSet;
}

}  // namespace qy
