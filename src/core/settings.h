// Typed access to the settings file by name. Every key the program uses is
// declared once in settings_keys.h with its section, type and default, so no
// caller repeats a default or a section name.
#pragma once

#include <string>

#include "core/ini_file.h"

namespace qy {

enum class SettingType {
  kBool,                 // "1" / "0"
  kStringBool,           // "True" / "False": on exactly when the text is "True"
  kStringBoolDefaultOn,  // on unless the text is exactly "False" (TooBarFlat)
  kInt,
  kString,
};

// Defaults that depend on the machine (screen size, the program's folder ...)
// are named by a placeholder in `default_value`, resolved by Settings.
// The struct is a plain value: a caller that keeps the same keys in another
// section (a project's own bitmap list) copies a key and points `section` at
// its own name.
struct SettingKey {
  const char* section;
  const char* key;
  SettingType type;
  const char* default_value;
};

// Placeholders for machine-dependent defaults.
inline constexpr char kDefaultHalfScreenWidth[] = "<half screen width>";
inline constexpr char kDefaultHalfScreenHeight[] = "<half screen height>";
// "MS UI Gothic" on systems that have it, else "ＭＳ Ｐゴシック".
inline constexpr char kDefaultUiFont[] = "<ui font>";
// The program's folder in lower case (see LowerCaseFolder).
inline constexpr char kDefaultProgramFolder[] = "<program folder>";

// Machine facts some defaults depend on.
struct SettingsEnvironment {
  int screen_width = 1024;
  int screen_height = 768;
  std::string program_folder;  // with trailing separator
  // Operating-system version as major number followed by the first digit of
  // the minor number (Windows 2000 = 50); 41 or more selects "MS UI Gothic".
  int os_version = 100;
};

// Text encoding: defaults are written in the key table as UTF-8 (source
// files are UTF-8) and DefaultText converts them to Shift-JIS; every text that
// Settings returns or writes is Shift-JIS bytes, exactly as in the file. The
// program folder is a file-system path and is used as it is.
class Settings {
 public:
  Settings(std::string path, SettingsEnvironment env = {});

  IniFile& file() { return file_; }
  const IniFile& file() const { return file_; }
  const SettingsEnvironment& environment() const { return env_; }

  bool GetBool(const SettingKey& key) const;
  int GetInt(const SettingKey& key) const;
  std::string GetString(const SettingKey& key) const;
  // The default of a key, with machine-dependent placeholders resolved.
  std::string DefaultText(const SettingKey& key) const;

  // Writes in the key's own form ("1"/"0" or "True"/"False").
  FileResult SetBool(const SettingKey& key, bool value);
  FileResult SetInt(const SettingKey& key, int value);
  FileResult SetString(const SettingKey& key, const std::string& value);

 private:
  IniFile file_;
  SettingsEnvironment env_;
};

}  // namespace qy
