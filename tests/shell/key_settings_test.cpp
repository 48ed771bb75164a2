#include "shell/key_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <optional>
#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "core/ini_file.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::FakePrompter;
using testing::TempDir;

std::string ShortcutOf(const std::vector<AppliedShortcut>& applied, int number) {
  for (const AppliedShortcut& a : applied) {
    if (a.row->number == number) return a.key ? a.key->Text() : "";
  }
  return "<not applied>";
}

std::string CustomKeyFile() {
  auto data = ReadWholeFile(std::string(QY_TEST_DATA_DIR) + "/shell/custom.kst");
  EXPECT_TRUE(data.has_value());
  return data.value_or("");
}

// ---- Key texts.

TEST(KeyTextTest, ParsesAndNormalisesCombinations) {
  EXPECT_EQ(NormalizeKeyText("Ctrl+Shift+F2"), "Shift+Ctrl+F2");
  EXPECT_EQ(NormalizeKeyText("alt+ctrl+shift+a"), "Shift+Ctrl+Alt+A");
  EXPECT_EQ(NormalizeKeyText(" Ctrl + Left "), "Ctrl+Left");
  EXPECT_EQ(NormalizeKeyText("Shift+del"), "Shift+Del");

  auto combo = ParseKeyText("Shift+Ctrl+S");
  ASSERT_TRUE(combo.has_value());
  EXPECT_TRUE(combo->shift);
  EXPECT_TRUE(combo->ctrl);
  EXPECT_FALSE(combo->alt);
  EXPECT_EQ(combo->key, "S");
}

TEST(KeyTextTest, NoShortcutAndInvalidTexts) {
  for (const char* none : {"", "   ", "Not", "not"}) {
    EXPECT_TRUE(MeansNoShortcut(none)) << none;
    EXPECT_EQ(ParseKeyText(none), std::nullopt) << none;
  }
  EXPECT_FALSE(MeansNoShortcut("Nothing"));
  for (const char* bad :
       {"Nothing", "Ctrl+", "+N", "Ctrl+N+", "Ctrl+Ctrl+N", "Hyper+N", "Ctrl+F13", "F0", "F01",
        "Ctrl+NN", "Ctrl+!", "Ctrl+Shift+Alt+Shift+A", "Shift+Ctrl+Alt+PgDnPgDnPgDn",
        // keys that would take typing or caret moves away
        "N", "Shift+A", "7", "Space", "Shift+Left", "Enter", "Home"}) {
    EXPECT_EQ(ParseKeyText(bad), std::nullopt) << bad;
    EXPECT_EQ(NormalizeKeyText(bad), "") << bad;
  }
}

TEST(KeyTextTest, KeyChoicesFollowTheModifierBoxes) {
  // Letters only with a modifier that keeps them from typing.
  EXPECT_LT(KeyChoices(true, false, false).size(), KeyChoices(false, true, false).size());
  for (bool shift : {false, true}) {
    for (bool ctrl : {false, true}) {
      for (bool alt : {false, true}) {
        for (const std::string& text : KeyChoices(shift, ctrl, alt)) {
          EXPECT_LE(text.size(), kMaxKeyTextLength);
          EXPECT_EQ(NormalizeKeyText(text), text);
        }
      }
    }
  }
}

TEST(KeyTextTest, EveryDefaultKeyIsCanonicalAndUnique) {
  std::map<std::string, int> seen;
  for (const CommandRow& row : CommandRows()) {
    if (row.default_key[0] == '\0') continue;
    EXPECT_EQ(NormalizeKeyText(row.default_key), row.default_key) << row.number;
    auto [it, fresh] = seen.emplace(row.default_key, row.number);
    EXPECT_TRUE(fresh) << row.default_key << " on " << it->second << " and " << row.number;
  }
}

// ---- Reading and applying the key file.

TEST(KeySettingsTest, DefaultsApplyOnlyWithoutAKeyFile) {
  auto applied = ApplyKeySettings(std::nullopt);
  EXPECT_EQ(ShortcutOf(applied, 0), "Ctrl+N");
  EXPECT_EQ(ShortcutOf(applied, 3), "");
  // Group headings and the registered-macro slots are not applied here.
  EXPECT_EQ(ShortcutOf(applied, 28), "<not applied>");
  EXPECT_EQ(ShortcutOf(applied, 173), "<not applied>");
  EXPECT_TRUE(DuplicateShortcuts(applied).empty());

  // An existing but empty key file switches every default off.
  for (const AppliedShortcut& a : ApplyKeySettings(std::string())) {
    EXPECT_FALSE(a.key.has_value()) << a.row->number;
  }
}

TEST(KeySettingsTest, KeyFileOverridesAndNotOrEmptyMeanNone) {
  std::string data = CustomKeyFile();
  auto applied = ApplyKeySettings(data);
  EXPECT_EQ(ShortcutOf(applied, 0), "Shift+Ctrl+N");  // section name in another case
  EXPECT_EQ(ShortcutOf(applied, 1), "");              // "Not"
  EXPECT_EQ(ShortcutOf(applied, 2), "");              // empty
  EXPECT_EQ(ShortcutOf(applied, 7), "");              // no entry: no default either
  EXPECT_EQ(ShortcutOf(applied, 171), "F8");

  auto texts = ReadShortcutTexts(data);
  EXPECT_EQ(texts[0], "ctrl+shift+n");
  EXPECT_EQ(texts[1], "Not");
  EXPECT_EQ(texts[176], "Ctrl+1");
  EXPECT_EQ(texts[28], "");

  // The two Edit entries share Ctrl+Z.
  auto pairs = DuplicateShortcuts(applied);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0], std::make_pair(21, 22));
}

TEST(KeySettingsTest, RegisteredMacrosTakeTheirKeyOnlyFromTheKeyFile) {
  std::string data = CustomKeyFile();
  EXPECT_EQ(RegisteredMacroShortcut(data, 3)->Text(), "Ctrl+1");
  EXPECT_EQ(RegisteredMacroShortcut(data, 4), std::nullopt);  // Shift+Q is not usable
  EXPECT_EQ(RegisteredMacroShortcut(data, 0), std::nullopt);
  EXPECT_EQ(RegisteredMacroShortcut(std::nullopt, 0), std::nullopt);
  EXPECT_EQ(RegisteredMacroShortcut(data, 20), std::nullopt);
}

TEST(KeySettingsTest, LoadKeyFileTellsMissingFromUnreadable) {
  TempDir dir;
  std::string error;
  EXPECT_EQ(LoadKeyFile(dir.File("quillory.kst"), &error), std::nullopt);
  EXPECT_EQ(error, "");

  // A folder in the key file's place exists but cannot be read: no defaults.
  ASSERT_EQ(::mkdir(dir.File("folder.kst").c_str(), 0700), 0);
  auto folder = LoadKeyFile(dir.File("folder.kst"), &error);
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(*folder, "");
  EXPECT_NE(error, "");

  error.clear();
  ASSERT_TRUE(WriteFileAtomic(dir.File("huge.kst"), std::string(2 << 20, ';')).ok);
  auto huge = LoadKeyFile(dir.File("huge.kst"), &error);
  ASSERT_TRUE(huge.has_value());
  EXPECT_EQ(*huge, "");
  EXPECT_EQ(error, "file too large");
}

// ---- Writing.

TEST(KeySettingsTest, WrittenFileReadsBackAndKeepsOtherLines) {
  TempDir dir;
  std::string path = dir.File("quillory.kst");
  ASSERT_TRUE(WriteFileAtomic(path, "; kept\r\n[Other]\r\nX=1\r\n").ok);

  ShortcutTexts texts = ReadShortcutTexts(std::nullopt);
  texts[3] = "Alt+S";
  texts[0] = "";
  texts[175] = "Ctrl+2";
  ASSERT_TRUE(WriteKeyFile(path, texts).ok);

  auto data = LoadKeyFile(path);
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->rfind("; kept\r\n[Other]\r\nX=1\r\n", 0), 0u);
  EXPECT_EQ(ReadShortcutTexts(data), texts);
  // Group headings are written once per section, empty.
  EXPECT_EQ(IniFile::ValueIn(*data, "Edit", "Group"), "");
  EXPECT_EQ(IniFile::ValueIn(*data, "File", "Group"), std::nullopt);
  // 25 command ids and one "Group" for the section's heading.
  EXPECT_EQ(IniFile::KeysIn(*data, "ShortCut").size(), 26u);

  auto applied = ApplyKeySettings(data);
  EXPECT_EQ(ShortcutOf(applied, 0), "");
  EXPECT_EQ(ShortcutOf(applied, 3), "Alt+S");
  EXPECT_EQ(ShortcutOf(applied, 1), "Ctrl+O");
  EXPECT_EQ(RegisteredMacroShortcut(data, 2)->Text(), "Ctrl+2");
  EXPECT_EQ(RegisteredMacroShortcut(data, 0)->Text(), "Ctrl+F1");
}

TEST(KeySettingsTest, UnreadableKeyFileIsNotReplaced) {
  TempDir dir;
  std::string path = dir.File("quillory.kst");
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  EXPECT_FALSE(WriteKeyFile(path, ReadShortcutTexts(std::nullopt)).ok);
  EXPECT_TRUE(DirectoryExists(path));
}

TEST(KeySettingsTest, TextWithLineBreakIsRefused) {
  ShortcutTexts texts;
  texts[5] = "Ctrl+Q\r\n[File]";
  std::string error;
  EXPECT_EQ(KeyFileWithTexts("", texts, &error), std::nullopt);
  EXPECT_NE(error, "");
}

// ---- The key page.

TEST(KeyPageTest, TreeFollowsTheLevels) {
  auto nodes = BuildKeyTree();
  ASSERT_FALSE(nodes.empty());
  EXPECT_EQ(nodes[0].kind, KeyTreeNode::Kind::kRoot);

  auto index_of = [&](int number) {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (nodes[i].number == number) return static_cast<int>(i);
    }
    return -1;
  };
  int edit_menu = nodes[index_of(21)].parent;
  EXPECT_EQ(nodes[edit_menu].caption, Sjis("編集メニュー"));
  int convert = index_of(28);
  EXPECT_EQ(nodes[convert].kind, KeyTreeNode::Kind::kGroup);
  EXPECT_EQ(nodes[convert].caption, Sjis("変換"));
  EXPECT_EQ(nodes[convert].parent, edit_menu);
  EXPECT_EQ(nodes[index_of(34)].parent, convert);
  EXPECT_EQ(nodes[index_of(35)].parent, edit_menu);
  // "表示する" belongs to the keyword-bar group, the status bar to the menu.
  EXPECT_EQ(nodes[index_of(63)].parent, index_of(58));
  EXPECT_EQ(nodes[nodes[index_of(64)].parent].caption, Sjis("表示メニュー"));
  EXPECT_EQ(nodes[nodes[index_of(173)].parent].caption, Sjis("QYマクロメニュー"));
}

TEST(KeyPageTest, SetRefusesAKeyInUse) {
  KeyPage page;
  page.Load(std::nullopt);
  FakePrompter prompter;
  EXPECT_EQ(page.Set(3, "Ctrl+N", prompter), KeyPage::SetResult::kInUse);
  ASSERT_EQ(prompter.Texts().size(), 1u);
  EXPECT_EQ(prompter.shown[0].kind, "info");
  EXPECT_EQ(prompter.shown[0].text, "\r\n'Ctrl+N'" + Sjis("キーはすでに使われています。"));
  EXPECT_EQ(page.Shortcut(3), "");

  EXPECT_EQ(page.Set(3, "Alt+S", prompter), KeyPage::SetResult::kSet);
  EXPECT_EQ(page.Shortcut(3), "Alt+S");
  // Now in use by command 3, also for the command that has it.
  EXPECT_EQ(page.Set(3, "Alt+S", prompter), KeyPage::SetResult::kInUse);
  EXPECT_EQ(page.Set(4, "Alt+S", prompter), KeyPage::SetResult::kInUse);
  EXPECT_EQ(prompter.shown.size(), 3u);
}

TEST(KeyPageTest, InUseComparesCombinationsNotSpellings) {
  KeyPage page;
  page.Load(std::string("[File]\r\nNewPro=ctrl+shift+q\r\nOpenPro=Not\r\n"));
  FakePrompter prompter;
  EXPECT_EQ(page.Set(5, "Shift+Ctrl+Q", prompter), KeyPage::SetResult::kInUse);
  // "Not" in the buffer is no key, so nothing collides with it.
  EXPECT_EQ(page.Set(5, "Ctrl+O", prompter), KeyPage::SetResult::kSet);
  EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST(KeyPageTest, GroupsAndUnknownNumbersTakeNoKey) {
  KeyPage page;
  page.Load(std::nullopt);
  FakePrompter prompter;
  EXPECT_FALSE(KeyPage::CanSet(28));
  EXPECT_FALSE(KeyPage::CanSet(144));
  EXPECT_FALSE(KeyPage::CanSet(212));
  EXPECT_TRUE(KeyPage::CanSet(180));
  EXPECT_EQ(page.Set(28, "Alt+V", prompter), KeyPage::SetResult::kNotACommand);
  EXPECT_EQ(page.Set(144, "Alt+V", prompter), KeyPage::SetResult::kNotACommand);
  EXPECT_EQ(page.Set(-1, "Alt+V", prompter), KeyPage::SetResult::kNotACommand);
  EXPECT_EQ(page.Set(5, "Shift+Z", prompter), KeyPage::SetResult::kInvalidKey);
  EXPECT_EQ(page.Shortcut(28), "");
  EXPECT_EQ(page.Shortcut(5), "");
  EXPECT_EQ(page.Shortcut(999), "");
  EXPECT_TRUE(prompter.shown.empty());

  EXPECT_EQ(page.Set(0, "Not", prompter), KeyPage::SetResult::kSet);
  EXPECT_EQ(page.Shortcut(0), "");
}

TEST(KeyPageTest, SaveMakesTheDefaultsExplicit) {
  TempDir dir;
  std::string path = dir.File("quillory.kst");
  KeyPage page;
  page.Load(LoadKeyFile(path));
  FakePrompter prompter;
  ASSERT_EQ(page.Set(7, "Alt+F2", prompter), KeyPage::SetResult::kSet);
  ASSERT_TRUE(page.Save(path).ok);

  auto data = LoadKeyFile(path);
  ASSERT_TRUE(data.has_value());
  auto applied = ApplyKeySettings(data);
  EXPECT_EQ(ShortcutOf(applied, 0), "Ctrl+N");
  EXPECT_EQ(ShortcutOf(applied, 7), "Alt+F2");
  // Registered macros get their default keys once the file holds them.
  EXPECT_EQ(RegisteredMacroShortcut(data, 11)->Text(), "Ctrl+F12");

  // Removing an entry from the file leaves that command without a key.
  ASSERT_TRUE(WriteFileAtomic(path, IniFile::WithoutKey(*data, "File", "NewPro")).ok);
  EXPECT_EQ(ShortcutOf(ApplyKeySettings(LoadKeyFile(path)), 0), "");
}

}  // namespace
}  // namespace qy
