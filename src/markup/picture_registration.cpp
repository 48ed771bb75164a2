#include "markup/picture_registration.h"

#include <algorithm>
#include <utility>

#include "core/settings_keys.h"

namespace qy {

std::vector<PictureRegistration> ReadPictureRegistrations(const Settings& settings,
                                                          const std::string& section) {
  std::vector<PictureRegistration> entries;
  const IniFile& ini = settings.file();
  for (int i = 1; i <= keys::kBitmapEntries; ++i) {
    PictureRegistration entry;
    entry.file = ini.ReadString(section, keys::EtceteraBitmapName(i).key, "");
    entry.title = ini.ReadString(section, keys::EtceteraBitmapTitle(i).key, "");
    // A slot with only one of the two is kept, so that saving loses nothing.
    if (entry.file.empty() && entry.title.empty()) continue;
    entry.transparent = ini.ReadString(section, keys::EtceteraBitmapCheck(i).key, "") == "True";
    entries.push_back(std::move(entry));
  }
  return entries;
}

FileResult WritePictureRegistrations(Settings& settings, const std::string& section,
                                     const std::vector<PictureRegistration>& entries) {
  IniFile& ini = settings.file();
  for (int i = 1; i <= keys::kBitmapEntries; ++i) {
    const auto n = static_cast<std::size_t>(i - 1);
    const bool used = n < entries.size();
    const std::pair<SettingKey, std::string> values[] = {
        {keys::EtceteraBitmapName(i), used ? entries[n].file : ""},
        {keys::EtceteraBitmapTitle(i), used ? entries[n].title : ""},
        {keys::EtceteraBitmapCheck(i), used ? (entries[n].transparent ? "True" : "False") : ""}};
    for (const auto& [key, value] : values) {
      if (FileResult r = ini.WriteString(section, key.key, value); !r) return r;
    }
  }
  return FileResult::Ok();
}

PictureRegistrationList::PictureRegistrationList(std::vector<PictureRegistration> entries)
    : entries_(std::move(entries)) {
  if (static_cast<int>(entries_.size()) > kMaxPictureRegistrations) {
    entries_.resize(kMaxPictureRegistrations);
  }
}

void PictureRegistrationList::Select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
}

bool PictureRegistrationList::Add(const std::string& file, const std::string& title) {
  if (file.empty() || title.empty()) return false;
  if (static_cast<int>(entries_.size()) >= kMaxPictureRegistrations) return false;
  entries_.push_back({file, title, false});
  selected_ = static_cast<int>(entries_.size()) - 1;
  return true;
}

bool PictureRegistrationList::Rename(const std::string& title) {
  if (selected_ < 0 || title.empty()) return false;
  entries_[static_cast<std::size_t>(selected_)].title = title;
  return true;
}

bool PictureRegistrationList::SetTransparent(int index, bool transparent) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
  entries_[static_cast<std::size_t>(index)].transparent = transparent;
  return true;
}

bool PictureRegistrationList::DeleteSelected() {
  if (selected_ < 0) return false;
  entries_.erase(entries_.begin() + selected_);
  selected_ = std::min(selected_, static_cast<int>(entries_.size()) - 1);
  return true;
}

bool PictureRegistrationList::MoveUp() {
  if (selected_ <= 0) return false;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
  return true;
}

bool PictureRegistrationList::MoveDown() {
  if (selected_ < 0 || selected_ + 1 >= static_cast<int>(entries_.size())) return false;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
  return true;
}

}  // namespace qy
