#include "markup/picture_menu.h"

#include "core/codec.h"
#include "core/settings_keys.h"

namespace qy {

std::vector<PictureMenuEntry> PictureMenuEntries(const Settings& settings,
                                                 const std::string& section) {
  std::vector<PictureMenuEntry> entries;
  for (int i = 1; i <= keys::kBitmapEntries; ++i) {
    std::string title = settings.file().ReadString(section, keys::EtceteraBitmapTitle(i).key, "");
    if (title.empty()) continue;
    std::string hint = Sjis("画像 '") + title + Sjis("' を挿入します。");
    entries.push_back({i, std::move(title), std::move(hint)});
  }
  return entries;
}

bool PictureMenuSeparatorVisible(const std::vector<PictureMenuEntry>& entries) {
  return !entries.empty() && entries.front().index == 1;
}

std::string RegisteredPictureText(const Settings& settings, const std::string& section, int index) {
  if (index < 1 || index > keys::kBitmapEntries) return {};
  const IniFile& ini = settings.file();
  const std::string name = ini.ReadString(section, keys::EtceteraBitmapName(index).key, "");
  if (name.empty()) return {};
  const bool transparent =
      ini.ReadString(section, keys::EtceteraBitmapCheck(index).key, "") == "True";
  return (transparent ? "\\{bmct " : "\\{bmc ") + name + "\\}";
}

bool InsertRegisteredPicture(Editor& editor, PageAttribute page, const Settings& settings,
                             const std::string& section, int index) {
  if (!HasTopicText(page)) return false;
  const std::string text = RegisteredPictureText(settings, section, index);
  if (text.empty()) return false;
  editor.SetSelText(text);
  return true;
}

}  // namespace qy
