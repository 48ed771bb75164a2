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

// ---- Key texts.

TEST(KeyTextTest, ParsesAndNormalisesCombinations) {
  const std::pair<const char*, const char*> cases[] = {
      {"Ctrl+Shift+F2", "Shift+Ctrl+F2"},
      {"alt+ctrl+shift+a", "Shift+Ctrl+Alt+A"},
      {" Ctrl + Left ", "Ctrl+Left"},
  };
  for (const auto& [text, normal] : cases) EXPECT_EQ(NormalizeKeyText(text), normal) << text;
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
    EXPECT_EQ(NormalizeKeyText(bad), "") << bad;
  }
}

// Every key offered or given by default is canonical; defaults are unique.
TEST(KeyTextTest, ChoicesAndDefaultsAreCanonical) {
  for (int boxes = 0; boxes < 8; ++boxes) {
    for (const std::string& text : KeyChoices(boxes & 1, boxes & 2, boxes & 4)) {
      EXPECT_LE(text.size(), kMaxKeyTextLength);
      EXPECT_EQ(NormalizeKeyText(text), text);
    }
  }
  std::map<std::string, int> seen;
  for (const CommandRow& row : CommandRows()) {
    if (row.default_key[0] == '\0') continue;
    EXPECT_EQ(NormalizeKeyText(row.default_key), row.default_key) << row.number;
    auto [it, fresh] = seen.emplace(row.default_key, row.number);
    EXPECT_TRUE(fresh) << row.default_key << " on " << it->second << " and " << row.number;
  }
}

// ---- Reading, applying and writing the key file.

TEST(KeySettingsTest, DefaultsApplyOnlyWithoutAKeyFile) {
  auto applied = ApplyKeySettings(std::nullopt);
  EXPECT_EQ(ShortcutOf(applied, 0), "Ctrl+N");
  EXPECT_EQ(ShortcutOf(applied, 3), "");
  // Group headings and the registered-macro slots are not applied here.
  EXPECT_EQ(ShortcutOf(applied, 28), "<not applied>");
  EXPECT_EQ(ShortcutOf(applied, 173), "<not applied>");
  // An existing but empty key file switches every default off.
  for (const AppliedShortcut& a : ApplyKeySettings(std::string())) {
    EXPECT_FALSE(a.key.has_value()) << a.row->number;
  }
}

TEST(KeySettingsTest, KeyFileOverridesAndNotOrEmptyMeanNone) {
  const std::string data =
      ReadWholeFile(std::string(QY_TEST_DATA_DIR) + "/shell/custom.kst").value_or("");
  auto applied = ApplyKeySettings(data);
  EXPECT_EQ(ShortcutOf(applied, 0), "Shift+Ctrl+N");  // section name in another case
  EXPECT_EQ(ShortcutOf(applied, 1), "");              // "Not"
  EXPECT_EQ(ShortcutOf(applied, 2), "");              // empty
  EXPECT_EQ(ShortcutOf(applied, 7), "");              // no entry: no default either
  EXPECT_EQ(ShortcutOf(applied, 171), "F8");
  // The two Edit entries share Ctrl+Z.
  EXPECT_EQ(DuplicateShortcuts(applied), (std::vector<std::pair<int, int>>{{21, 22}}));
  // Registered macros take their key only from the file, and only a usable one.
  EXPECT_EQ(RegisteredMacroShortcut(data, 3)->Text(), "Ctrl+1");
  EXPECT_EQ(RegisteredMacroShortcut(data, 4), std::nullopt);  // Shift+Q
  EXPECT_EQ(RegisteredMacroShortcut(data, 0), std::nullopt);
}

TEST(KeySettingsTest, LoadKeyFileTellsMissingFromUnreadable) {
  TempDir dir;
  std::string error;
  EXPECT_EQ(LoadKeyFile(dir.File("quillory.kst"), &error), std::nullopt);
  EXPECT_EQ(error, "");
  // A folder or a huge file in the key file's place exists but cannot be
  // read: no defaults.
  ASSERT_EQ(::mkdir(dir.File("folder.kst").c_str(), 0700), 0);
  EXPECT_EQ(LoadKeyFile(dir.File("folder.kst"), &error), std::string());
  EXPECT_NE(error, "");
  ASSERT_TRUE(WriteFileAtomic(dir.File("huge.kst"), std::string(2 << 20, ';')).ok);
  EXPECT_EQ(LoadKeyFile(dir.File("huge.kst"), &error), std::string());
  EXPECT_EQ(error, "file too large");
  // Nor is it replaced.
  EXPECT_FALSE(WriteKeyFile(dir.File("folder.kst"), ReadShortcutTexts(std::nullopt)).ok);
  EXPECT_TRUE(DirectoryExists(dir.File("folder.kst")));
}

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
  auto applied = ApplyKeySettings(data);
  EXPECT_EQ(ShortcutOf(applied, 0), "");
  EXPECT_EQ(ShortcutOf(applied, 3), "Alt+S");
  EXPECT_EQ(RegisteredMacroShortcut(data, 2)->Text(), "Ctrl+2");
  EXPECT_EQ(RegisteredMacroShortcut(data, 0)->Text(), "Ctrl+F1");

  // A text with a line break would write a section of its own.
  texts[5] = "Ctrl+Q\r\n[File]";
  std::string error;
  EXPECT_EQ(KeyFileWithTexts("", texts, &error), std::nullopt);
  EXPECT_NE(error, "");
}

// ---- The key page.

TEST(KeyPageTest, SetRefusesAKeyInUseGroupsAndUnusableKeys) {
  KeyPage page;
  page.Load(std::string("[File]\r\nNewPro=ctrl+shift+q\r\nOpenPro=Not\r\n"));
  FakePrompter prompter;
  const struct {
    int number;
    const char* key;
    KeyPage::SetResult result;
  } cases[] = {
      {5, "Shift+Ctrl+Q", KeyPage::SetResult::kInUse},  // a combination, not a spelling
      {3, "Alt+S", KeyPage::SetResult::kSet},
      {3, "Alt+S", KeyPage::SetResult::kInUse},  // also for the command that has it
      {5, "Ctrl+O", KeyPage::SetResult::kSet},   // "Not" is no key
      {28, "Alt+V", KeyPage::SetResult::kNotACommand},
      {6, "Shift+Z", KeyPage::SetResult::kInvalidKey},
      {0, "Not", KeyPage::SetResult::kSet},
  };
  for (const auto& c : cases) EXPECT_EQ(page.Set(c.number, c.key, prompter), c.result) << c.number;
  EXPECT_EQ(page.Shortcut(3), "Alt+S");
  EXPECT_EQ(page.Shortcut(0), "");
  EXPECT_EQ(page.Shortcut(6), "");
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].text, "\r\n'Shift+Ctrl+Q'" + Sjis("キーはすでに使われています。"));
  EXPECT_FALSE(KeyPage::CanSet(212));
  EXPECT_TRUE(KeyPage::CanSet(180));
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
