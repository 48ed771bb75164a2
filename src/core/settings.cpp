#include "core/settings.h"

#include <cstring>
#include <exception>
#include <optional>
#include <string>

#include "core/codec.h"
#include "core/program_folder.h"

namespace qy {

namespace {

bool Is(const char* text, const char* placeholder) { return std::strcmp(text, placeholder) == 0; }

// Whole-text decimal, as the defaults of the table are written.
std::optional<int> ParseDefaultInt(const std::string& text) {
  if (text.empty()) return std::nullopt;
  std::size_t used = 0;
  try {
    int v = std::stoi(text, &used);
    if (used == text.size()) return v;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

}  // namespace

Settings::Settings(std::string path, SettingsEnvironment env)
    : file_(std::move(path)), env_(std::move(env)) {}

std::string Settings::DefaultText(const SettingKey& key) const {
  const char* def = key.default_value ? key.default_value : "";
  if (Is(def, kDefaultHalfScreenWidth)) return std::to_string(env_.screen_width / 2);
  if (Is(def, kDefaultHalfScreenHeight)) return std::to_string(env_.screen_height / 2);
  if (Is(def, kDefaultUiFont))
    return Sjis(env_.os_version >= 41 ? "MS UI Gothic" : "ＭＳ Ｐゴシック");
  if (Is(def, kDefaultProgramFolder)) return LowerCaseFolder(env_.program_folder);
  return Sjis(def);
}

bool Settings::GetBool(const SettingKey& key) const {
  switch (key.type) {
    case SettingType::kBool:
    case SettingType::kInt:
      return GetInt(key) != 0;
    case SettingType::kStringBoolDefaultOn:
      return GetString(key) != "False";
    case SettingType::kStringBool:
    case SettingType::kString:
      break;
  }
  return GetString(key) == "True";
}

int Settings::GetInt(const SettingKey& key) const {
  int fallback = ParseDefaultInt(DefaultText(key)).value_or(0);
  return file_.ReadInt(key.section, key.key, fallback);
}

std::string Settings::GetString(const SettingKey& key) const {
  auto value = file_.ReadValue(key.section, key.key);
  return value ? *value : DefaultText(key);
}

FileResult Settings::SetBool(const SettingKey& key, bool value) {
  switch (key.type) {
    case SettingType::kBool:
    case SettingType::kInt:
      return file_.WriteBool(key.section, key.key, value);
    case SettingType::kStringBool:
    case SettingType::kStringBoolDefaultOn:
    case SettingType::kString:
      break;
  }
  return file_.WriteString(key.section, key.key, value ? "True" : "False");
}

FileResult Settings::SetInt(const SettingKey& key, int value) {
  return file_.WriteInt(key.section, key.key, value);
}

FileResult Settings::SetString(const SettingKey& key, const std::string& value) {
  return file_.WriteString(key.section, key.key, value);
}

}  // namespace qy
