#include "core/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::TempDir;

SettingsEnvironment TestEnvironment() {
  SettingsEnvironment env;
  env.screen_width = 1365;
  env.screen_height = 767;
  env.program_folder = "/Opt/Quillory/";  // does not exist
  env.os_version = 50;
  return env;
}

bool ParsesAsInt(const std::string& text) {
  if (text.empty()) return false;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

TEST(SettingKeysTest, EveryKeyIsDeclaredOnceWithAUsableDefault) {
  Settings settings("/nonexistent/quillory.ini", TestEnvironment());
  std::set<std::pair<std::string, std::string>> seen;
  for (const SettingKey& key : keys::AllSettingKeys()) {
    ASSERT_NE(key.section, nullptr);
    ASSERT_NE(key.key, nullptr);
    ASSERT_NE(key.default_value, nullptr);
    std::string where = std::string(key.section) + "/" + key.key;
    EXPECT_GT(std::strlen(key.key), 0u) << where;
    EXPECT_TRUE(seen.insert({AsciiLower(key.section), AsciiLower(key.key)}).second)
        << "declared twice: " << where;
    std::string def = settings.DefaultText(key);
    switch (key.type) {
      case SettingType::kBool:
        EXPECT_TRUE(def == "0" || def == "1") << where << " = " << def;
        break;
      case SettingType::kInt:
        EXPECT_TRUE(ParsesAsInt(def)) << where << " = " << def;
        break;
      case SettingType::kStringBool:
      case SettingType::kStringBoolDefaultOn:
        EXPECT_TRUE(def == "True" || def == "False") << where << " = " << def;
        break;
      case SettingType::kString:
        break;
    }
  }
}

TEST(SettingKeysTest, FamiliesAreNumberedAsStoredAndGuardTheirRange) {
  EXPECT_STREQ(keys::MacroMenu(0).key, "Menu00");
  EXPECT_STREQ(keys::MacroMenu(19).key, "Menu19");
  EXPECT_STREQ(keys::RecentFile(1).key, "RecentFile1");
  // The name's storage is stable between calls.
  EXPECT_EQ(keys::MacroMenu(3).key, keys::MacroMenu(3).key);

  TempDir dir;
  Settings settings(dir.File("q.ini"));
  for (SettingKey bad :
       {keys::MacroMenu(20), keys::MacroMenu(-1), keys::RecentFile(0), keys::RecentFile(6),
        keys::EtceteraBitmapName(0), keys::FontImeFonClr(4)}) {
    EXPECT_STREQ(bad.key, "");
    EXPECT_EQ(settings.GetString(bad), "");
    EXPECT_FALSE(settings.SetString(bad, "x").ok);
  }
  EXPECT_FALSE(FileExists(dir.File("q.ini")));
}

class SettingsTest : public ::testing::Test {
 protected:
  void Put(const std::string& text) { ASSERT_TRUE(WriteFileAtomic(path_, text).ok); }
  std::string Raw(const SettingKey& key) {
    return settings_.file().ReadString(key.section, key.key, "<none>");
  }

  TempDir dir_;
  std::string path_ = dir_.File("quillory.ini");
  Settings settings_{path_, TestEnvironment()};
};

TEST_F(SettingsTest, StringBoolRules) {
  // DelConfirm is on only for exactly "True"; TooBarFlat is off only for
  // exactly "False".
  EXPECT_TRUE(settings_.GetBool(keys::kOptionDelConfirm));
  EXPECT_TRUE(settings_.GetBool(keys::kOptionTooBarFlat));
  EXPECT_FALSE(settings_.GetBool(keys::kOptionMakeSave));
  struct Case {
    const char* stored;
    bool del_confirm;
    bool toolbar_flat;
  } cases[] = {
      {"True", true, true},     {"False", false, false},  {"true", false, true},
      {"false", false, true},   {"1", false, true},       {"0", false, true},
      {"", false, true},        {"\"True\"", true, true}, {"\"False\"", false, false},
      {"  True  ", true, true}, {"TRUE", false, true},
  };
  for (const Case& c : cases) {
    Put(std::string("[Option]\r\nDelConfirm=") + c.stored + "\r\nTooBarFlat=" + c.stored + "\r\n");
    EXPECT_EQ(settings_.GetBool(keys::kOptionDelConfirm), c.del_confirm) << c.stored;
    EXPECT_EQ(settings_.GetBool(keys::kOptionTooBarFlat), c.toolbar_flat) << c.stored;
  }
}

TEST_F(SettingsTest, NumericBoolsAndInts) {
  Put("[Window]\r\nPageView=2\r\nStatusBar=0\r\nDebugView=yes\r\nBorderLine=\r\nLeft=-30\r\n");
  EXPECT_TRUE(settings_.GetBool(keys::kWindowPageView));
  EXPECT_FALSE(settings_.GetBool(keys::kWindowStatusBar));
  // Not a number: the default.
  EXPECT_TRUE(settings_.GetBool(keys::kWindowDebugView));
  EXPECT_FALSE(settings_.GetBool(keys::kWindowWindowStyle));
  EXPECT_EQ(settings_.GetInt(keys::kWindowBorderLine), 220);
  EXPECT_EQ(settings_.GetInt(keys::kWindowLeft), -30);
  // A present but empty string is empty, not the default.
  Put("[Etcetera]\r\nHelpCompiler=\r\n");
  EXPECT_EQ(settings_.GetString(keys::kEtceteraHelpCompiler), "");
  EXPECT_EQ(settings_.GetString(keys::kEtceteraTextEditor), "Notepad.exe");
}

TEST_F(SettingsTest, SetWritesEachKeyInItsOwnForm) {
  ASSERT_TRUE(settings_.SetBool(keys::kWindowPageView, false).ok);
  ASSERT_TRUE(settings_.SetBool(keys::kOptionDelConfirm, false).ok);
  ASSERT_TRUE(settings_.SetBool(keys::kOptionTooBarFlat, true).ok);
  ASSERT_TRUE(settings_.SetInt(keys::kWindowBorderLine, 300).ok);
  ASSERT_TRUE(settings_.SetString(keys::MacroMenu(0), "\"\"a.p2s\",\"T\"\"").ok);
  EXPECT_EQ(Raw(keys::kWindowPageView), "0");
  EXPECT_EQ(Raw(keys::kOptionDelConfirm), "False");
  EXPECT_EQ(Raw(keys::kOptionTooBarFlat), "True");
  EXPECT_EQ(Raw(keys::kWindowBorderLine), "300");
  EXPECT_FALSE(settings_.GetBool(keys::kWindowPageView));
  EXPECT_FALSE(settings_.GetBool(keys::kOptionDelConfirm));
  EXPECT_EQ(settings_.GetInt(keys::kWindowBorderLine), 300);
  EXPECT_EQ(settings_.GetString(keys::MacroMenu(0)), "\"a.p2s\",\"T\"");
  EXPECT_EQ(ReadWholeFile(path_).value_or("").substr(0, 8), "[Window]");
}

TEST_F(SettingsTest, MachineDependentDefaults) {
  EXPECT_EQ(settings_.GetInt(keys::kWindowWidth), 682);
  EXPECT_EQ(settings_.GetInt(keys::kWindowHeight), 383);
  EXPECT_EQ(settings_.GetInt(keys::kWindowUserWidth), 682);
  EXPECT_EQ(settings_.GetInt(keys::kWindowUserHeight), 383);
  EXPECT_EQ(settings_.GetInt(keys::kPreviewWidth), 682);
  EXPECT_EQ(settings_.GetInt(keys::kPreviewLeft), 6);
  EXPECT_EQ(settings_.GetString(keys::kWindowPFontName), "MS UI Gothic");
  EXPECT_EQ(settings_.GetString(keys::kEtceteraBitmapPath), "/opt/quillory/");
  EXPECT_EQ(settings_.GetString(keys::kMacroFold), "/opt/quillory/");

  SettingsEnvironment old = TestEnvironment();
  old.os_version = 40;
  Settings old_settings(path_, old);
  for (const SettingKey& k : {keys::kWindowPFontName, keys::kWindowDFontName,
                              keys::kWindowEFontName, keys::kWindowTFontName}) {
    EXPECT_EQ(old_settings.GetString(k), Sjis("ＭＳ Ｐゴシック")) << k.key;
  }
  old.os_version = 41;
  EXPECT_EQ(Settings(path_, old).GetString(keys::kWindowDFontName), "MS UI Gothic");
  // Japanese defaults come out as Shift-JIS bytes.
  EXPECT_EQ(settings_.GetString(keys::kWindowTFontName),
            "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
}

TEST_F(SettingsTest, FolderDefaultsAreWrittenWhenEmpty) {
  Put("[Etcetera]\r\nBitmapPath=\r\n[Macro]\r\nFold=/keep/Me/\r\n");
  ASSERT_TRUE(ApplyFolderDefaults(settings_).ok);
  EXPECT_EQ(Raw(keys::kEtceteraBitmapPath), "/opt/quillory/");
  EXPECT_EQ(Raw(keys::kMacroFold), "/keep/Me/");

  Put("");
  ASSERT_TRUE(ApplyFolderDefaults(settings_).ok);
  EXPECT_EQ(Raw(keys::kEtceteraBitmapPath), "/opt/quillory/");
  EXPECT_EQ(Raw(keys::kMacroFold), "/opt/quillory/");

  // A folder whose lower-case spelling is another folder keeps its case.
  std::string mixed = dir_.File("Prog/");
  ASSERT_EQ(::mkdir(mixed.c_str(), 0755), 0);
  SettingsEnvironment env = TestEnvironment();
  env.program_folder = mixed;
  Settings real(dir_.File("other.ini"), env);
  ASSERT_TRUE(ApplyFolderDefaults(real).ok);
  std::string expected = DirectoryExists(dir_.File("prog/")) ? AsciiLower(mixed) : mixed;
  EXPECT_EQ(real.file().ReadString("Macro", "Fold"), expected);

  // A settings file that cannot be written reports the failure.
  Settings broken(dir_.path(), TestEnvironment());
  EXPECT_FALSE(ApplyFolderDefaults(broken).ok);
}

}  // namespace
}  // namespace qy
