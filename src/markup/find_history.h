// The histories of typed search texts: at most ten entries, newest first,
// kept in the settings sections FindText ("Find0".."Find9", shared by both
// find tools) and RepText ("Rep0".."Rep9").
#pragma once

#include <string>
#include <vector>

#include "core/files.h"
#include "core/settings.h"

namespace qy {

class TextHistory {
 public:
  static constexpr int kMaxEntries = 10;
  // The settings key of entry i (0 newest), e.g. keys::FindTextFind.
  using KeyOf = SettingKey (*)(int);

  explicit TextHistory(KeyOf key_of) : key_of_(key_of) {}

  const std::vector<std::string>& entries() const { return entries_; }

  // Puts `text` at the top. An entry that is the same text apart from
  // letter case gives way to it; the eleventh entry falls off. An empty
  // text is not entered.
  void Enter(const std::string& text);

  // Replaces the entries with the stored ones, stopping at the first empty
  // value.
  void Load(const Settings& settings);
  // Writes all ten keys (empty beyond the last entry).
  FileResult Save(Settings& settings) const;

 private:
  KeyOf key_of_;
  std::vector<std::string> entries_;
};

}  // namespace qy
