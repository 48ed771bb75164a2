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

bool PictureRegistrationList::SetTransparent(int index, bool transparent) {
  if (!InRange(index)) return false;
  entries_[static_cast<std::size_t>(index)].transparent = transparent;
  return true;
}

}  // namespace qy
