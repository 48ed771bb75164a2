// The Windows profile (INI) file format: "[Section]" lines followed by
// "key=value" lines, Shift-JIS, CR LF. Section and key names compare without
// regard to ASCII case. Every call opens, reads (or rewrites) and closes the
// file; nothing is cached, so a value written by one part of the program is
// seen by every other part at its next read.
#pragma once

#include <string>
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

 private:
  std::string path_;
};

}  // namespace qy
