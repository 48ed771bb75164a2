#include "markup/find_history.h"

#include <algorithm>

#include "core/ini_file.h"
#include "markup/find_text_match.h"

namespace qy {

void TextHistory::Enter(const std::string& text) {
  if (text.empty()) return;
  const std::string upper = UpperCase(text);
  std::erase_if(entries_, [&](const std::string& e) {
    return e.size() == upper.size() && UpperCase(e) == upper;
  });
  entries_.insert(entries_.begin(), text);
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

void TextHistory::Load(const Settings& settings) {
  entries_.clear();
  for (int i = 0; i < kMaxEntries; ++i) {
    const SettingKey key = key_of_(i);
    std::string value = settings.file().ReadString(key.section, key.key, "");
    if (value.empty()) break;
    entries_.push_back(std::move(value));
  }
}

FileResult TextHistory::Save(Settings& settings) const {
  // All ten keys in one rewrite of the file. A text with a line break can
  // not stand in a profile file and is left out.
  const std::string& path = settings.file().path();
  std::string data;
  if (FileExists(path)) {
    std::string error;
    auto bytes = ReadWholeFile(path, &error);
    if (!bytes) return FileResult::Fail(error);
    data = std::move(*bytes);
  }
  int slot = 0;
  for (const std::string& entry : entries_) {
    const SettingKey key = key_of_(slot);
    if (auto next = IniFile::WithValue(data, key.section, key.key, entry)) {
      data = std::move(*next);
      ++slot;
    }
  }
  for (; slot < kMaxEntries; ++slot) {
    const SettingKey key = key_of_(slot);
    if (auto next = IniFile::WithValue(data, key.section, key.key, "")) data = std::move(*next);
  }
  return WriteFileAtomic(path, data);
}

}  // namespace qy
