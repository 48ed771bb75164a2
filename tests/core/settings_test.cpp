#include "core/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <tuple>
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
  env.program_folder = "/Opt/Quillory/";  // does not exist
  env.os_version = 50;
  return env;
}

// A key declared twice would read and write the same line under two names;
// a default in the wrong form would be read as another value.
TEST(SettingKeysTest, EveryKeyIsDeclaredOnceWithAUsableDefault) {
  Settings settings("/nonexistent/quillory.ini", TestEnvironment());
  std::set<std::pair<std::string, std::string>> seen;
  for (const SettingKey& key : keys::AllSettingKeys()) {
    const std::string where = std::string(key.section) + "/" + key.key;
    EXPECT_GT(std::strlen(key.key), 0u) << where;
    EXPECT_TRUE(seen.insert({AsciiLower(key.section), AsciiLower(key.key)}).second) << where;
    const std::string def = settings.DefaultText(key);
    const bool usable = key.type == SettingType::kBool ? def == "0" || def == "1"
                        : key.type == SettingType::kInt
                            ? std::to_string(settings.GetInt(key)) == def
                        : key.type == SettingType::kString ? true
                                                           : def == "True" || def == "False";
    EXPECT_TRUE(usable) << where << " = " << def;
  }
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

// DelConfirm is on only for exactly "True", TooBarFlat off only for exactly
// "False"; numeric keys are on for any number but 0 and keep their default
// for text that is no number.
TEST_F(SettingsTest, BoolsReadAndWriteInTheirKeysOwnForm) {
  // clang-format off
  const std::tuple<SettingKey, const char*, bool> reads[] = {
      {keys::kOptionDelConfirm, "True", true}, {keys::kOptionDelConfirm, "true", false},
      {keys::kOptionTooBarFlat, "\"False\"", false}, {keys::kOptionTooBarFlat, "0", true},
      {keys::kWindowPageView, "2", true}, {keys::kWindowStatusBar, "0", false},
      {keys::kWindowDebugView, "yes", true}};
  // clang-format on
  for (const auto& [key, stored, on] : reads) {
    Put("[" + std::string(key.section) + "]\r\n" + key.key + "=" + stored + "\r\n");
    EXPECT_EQ(settings_.GetBool(key), on) << key.key << "=" << stored;
  }
  // clang-format off
  const std::tuple<SettingKey, bool, const char*> writes[] = {
      {keys::kWindowPageView, false, "0"}, {keys::kOptionDelConfirm, false, "False"},
      {keys::kOptionTooBarFlat, true, "True"}};
  // clang-format on
  for (const auto& [key, on, stored] : writes) {
    ASSERT_TRUE(settings_.SetBool(key, on).ok);
    EXPECT_EQ(Raw(key), stored);
  }
}

// Numbers outside a family's range name no key and are never written.
TEST_F(SettingsTest, FamiliesGuardTheirRange) {
  for (SettingKey bad :
       {keys::MacroMenu(20), keys::MacroMenu(-1), keys::RecentFile(0), keys::RecentFile(6),
        keys::EtceteraBitmapName(0), keys::FontImeFonClr(4)}) {
    EXPECT_STREQ(bad.key, "");
    EXPECT_FALSE(settings_.SetString(bad, "x").ok);
  }
  EXPECT_FALSE(FileExists(path_));
}

TEST_F(SettingsTest, FolderDefaultsAreWrittenWhenEmpty) {
  Put("[Etcetera]\r\nBitmapPath=\r\n[Macro]\r\nFold=/keep/Me/\r\n");
  ASSERT_TRUE(ApplyFolderDefaults(settings_).ok);
  EXPECT_EQ(Raw(keys::kEtceteraBitmapPath), "/opt/quillory/");
  EXPECT_EQ(Raw(keys::kMacroFold), "/keep/Me/");
  Put("");
  ASSERT_TRUE(ApplyFolderDefaults(settings_).ok);
  EXPECT_EQ(Raw(keys::kMacroFold), "/opt/quillory/");
  // A settings file that cannot be written reports the failure.
  Settings broken(dir_.path(), TestEnvironment());
  EXPECT_FALSE(ApplyFolderDefaults(broken).ok);
}

}  // namespace
}  // namespace qy
