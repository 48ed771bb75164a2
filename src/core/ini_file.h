// The Windows profile (INI) file format: "[Section]" lines followed by
// "key=value" lines, Shift-JIS, CR LF. Section and key names compare without
// regard to ASCII case. Every call opens, reads (or rewrites) and closes the
// file; nothing is cached, so a value written by one part of the program is
// seen by every other part at its next read.
//
// Reading follows the profile functions: blanks around names and values are
// dropped, lines starting with ";" are comments, lines before the first
// section belong to no section, and when a section or a key appears twice the
// first one counts (writes change the first one, too). Line ends may be CR LF,
// CR or LF; lines written anew end with CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"

namespace qy {

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }

  // The value, or `fallback` when the file, the section or the key is
  // missing. One enclosing pair of double quotes is removed from the value.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback = "") const;
  // Decimal integer (leading blanks and a sign allowed); `fallback` when
  // missing or not a number.
  int ReadInt(const std::string& section, const std::string& key, int fallback) const;
  // "1"/"0" style: any integer other than 0 is true.
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
  bool HasKey(const std::string& section, const std::string& key) const;
  // The value as ReadString gives it, or nullopt when the key is missing.
  std::optional<std::string> ReadValue(const std::string& section, const std::string& key) const;
  // Keys of a section in file order (empty when missing).
  std::vector<std::string> ReadKeys(const std::string& section) const;
  std::vector<std::string> ReadSections() const;

  // Writes one key, keeping every other line of the file as it was, and
  // replaces the file atomically. Creates the file and the section as needed.
  FileResult WriteString(const std::string& section, const std::string& key,
                         const std::string& value);
  FileResult WriteInt(const std::string& section, const std::string& key, int value);
  FileResult WriteBool(const std::string& section, const std::string& key, bool value);
  FileResult DeleteKey(const std::string& section, const std::string& key);
  FileResult DeleteSection(const std::string& section);

  // The same rules applied to a file's bytes in memory; the file operations
  // above are built on these.
  static std::optional<std::string> ValueIn(std::string_view data, std::string_view section,
                                            std::string_view key);
  static std::vector<std::string> KeysIn(std::string_view data, std::string_view section);
  static std::vector<std::string> SectionsIn(std::string_view data);
  // The bytes with the key set; nullopt (and `error` set) for a name or value
  // that cannot be written: an empty name, a line break, a key with "=" or
  // starting with ";" or "[".
  static std::optional<std::string> WithValue(std::string_view data, std::string_view section,
                                              std::string_view key, std::string_view value,
                                              std::string* error = nullptr);
  static std::string WithoutKey(std::string_view data, std::string_view section,
                                std::string_view key);
  static std::string WithoutSection(std::string_view data, std::string_view section);

 private:
  std::string path_;
};

// The items of a comma-separated list such as ""file","title"" as it reads
// from the settings file (after the outer quotes went): quoted items may hold
// commas and blanks, "" inside quotes is one quote character.
std::vector<std::string> SplitCommaText(const std::string& text);

}  // namespace qy
