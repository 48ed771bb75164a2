#include "core/settings_keys.h"

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "core/program_folder.h"

namespace qy::keys {

namespace {

// One numbered family: its keys occupy [first, first + count) of the table
// and number `base` is the first of them.
struct Family {
  std::size_t first = 0;
  int base = 0;
  int count = 0;
};

constexpr char kBlue[] = "16711680";
constexpr char kWhite[] = "16777215";

// The whole table, built once. Family key names live in `names`, a deque so
// that the pointers handed out in SettingKey stay valid.
class Registry {
 public:
  Registry() {
#define QY_LIST_SETTING_KEY(name, section, key, type, def) all_.push_back(name);
    QY_SETTING_KEYS(QY_LIST_SETTING_KEY)
#undef QY_LIST_SETTING_KEY
    bitmap_name = Add("Etcetera", "BitmapName%d", 1, kBitmapEntries, SettingType::kString);
    bitmap_title = Add("Etcetera", "BitmapTitle%d", 1, kBitmapEntries, SettingType::kString);
    bitmap_check =
        Add("Etcetera", "BitmapCheck%d", 1, kBitmapEntries, SettingType::kStringBool, "False");
    macro_menu = Add("Macro", "Menu%.2d", 0, kMacroMenuEntries, SettingType::kString);
    link = Add("Option", "Link%d", 0, kLinkHistoryEntries, SettingType::kString);
    ime_fon_clr = Add("Font", "ImeFonClr%d", 0, kImeStates, SettingType::kInt);
    ime_bak_clr = Add("Font", "ImeBakClr%d", 0, kImeStates, SettingType::kInt);
    ime_fon_sty = Add("Font", "ImeFonSty%d", 0, kImeStates, SettingType::kBool);
    for (int i = 0; i < kImeStates; ++i) {
      bool even = i % 2 == 0;
      all_[ime_fon_clr.first + i].default_value = even ? kBlue : kWhite;
      all_[ime_bak_clr.first + i].default_value = even ? kWhite : kBlue;
      all_[ime_fon_sty.first + i].default_value = even ? "1" : "0";
    }
    help_title = Add("Help", "Title%d", 0, kExternalHelpEntries, SettingType::kString);
    help_file = Add("Help", "File%d", 0, kExternalHelpEntries, SettingType::kString);
    recent = Add("Recent Files", "RecentFile%d", 1, kRecentFileEntries, SettingType::kString);
    find = Add("FindText", "Find%d", 0, kFindHistoryEntries, SettingType::kString);
    rep = Add("RepText", "Rep%d", 0, kFindHistoryEntries, SettingType::kString);
    toolbar_places = all_.size();
    for (int n = 0; n < kToolbarSections; ++n) {
      const char* section = ToolbarVisible(n).section;
      all_.push_back({section, "DockedTo", SettingType::kString, "Top"});
      for (const char* name : {"DockRow", "DockPos", "FloatLeft", "FloatTop"}) {
        all_.push_back({section, name, SettingType::kInt, "0"});
      }
    }
  }

  std::span<const SettingKey> all() const { return all_; }

  SettingKey Get(const Family& f, const char* section, int i) const {
    if (i < f.base || i >= f.base + f.count) return {section, "", SettingType::kString, ""};
    return all_[f.first + static_cast<std::size_t>(i - f.base)];
  }

  Family bitmap_name, bitmap_title, bitmap_check, macro_menu, link, ime_fon_clr, ime_bak_clr,
      ime_fon_sty, help_title, help_file, recent, find, rep;
  std::size_t toolbar_places = 0;  // five keys per toolbar from here

 private:
  Family Add(const char* section, const char* pattern, int base, int count, SettingType type,
             const char* def = "") {
    Family f{all_.size(), base, count};
    for (int i = base; i < base + count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, pattern, i);
      names_.emplace_back(name);
      all_.push_back({section, names_.back().c_str(), type, def});
    }
    return f;
  }

  std::deque<std::string> names_;
  std::vector<SettingKey> all_;
};

const Registry& Table() {
  static const Registry registry;
  return registry;
}

}  // namespace

SettingKey EtceteraBitmapName(int i) { return Table().Get(Table().bitmap_name, "Etcetera", i); }
SettingKey EtceteraBitmapTitle(int i) { return Table().Get(Table().bitmap_title, "Etcetera", i); }
SettingKey EtceteraBitmapCheck(int i) { return Table().Get(Table().bitmap_check, "Etcetera", i); }
SettingKey MacroMenu(int n) { return Table().Get(Table().macro_menu, "Macro", n); }
SettingKey OptionLink(int i) { return Table().Get(Table().link, "Option", i); }
SettingKey FontImeFonClr(int i) { return Table().Get(Table().ime_fon_clr, "Font", i); }
SettingKey FontImeBakClr(int i) { return Table().Get(Table().ime_bak_clr, "Font", i); }
SettingKey FontImeFonSty(int i) { return Table().Get(Table().ime_fon_sty, "Font", i); }
SettingKey HelpTitle(int i) { return Table().Get(Table().help_title, "Help", i); }
SettingKey HelpFile(int i) { return Table().Get(Table().help_file, "Help", i); }
SettingKey RecentFile(int i) { return Table().Get(Table().recent, "Recent Files", i); }
SettingKey FindTextFind(int i) { return Table().Get(Table().find, "FindText", i); }
SettingKey RepTextRep(int i) { return Table().Get(Table().rep, "RepText", i); }

const SettingKey& ToolbarVisible(int n) {
  static constexpr const SettingKey* kVisible[kToolbarSections] = {
      &kTbrWinFileVisible, &kTbrWinEditVisible,  &kTbrWinPropVisible,
      &kTbrPageVisible,    &kTbrWinShortVisible, &kTbrKeyWordVisible};
  return *kVisible[n >= 0 && n < kToolbarSections ? n : 0];
}

ToolbarPlaceKeys ToolbarPlace(int n) {
  if (n < 0 || n >= kToolbarSections) n = 0;
  const SettingKey* k = &Table().all()[Table().toolbar_places + 5 * static_cast<std::size_t>(n)];
  return {k[0], k[1], k[2], k[3], k[4]};
}

std::span<const SettingKey> AllSettingKeys() { return Table().all(); }

}  // namespace qy::keys

namespace qy {

FileResult ApplyFolderDefaults(Settings& settings) {
  FileResult result;
  if (settings.environment().program_folder.empty()) return result;
  for (const SettingKey& key : {keys::kEtceteraBitmapPath, keys::kMacroFold}) {
    if (!settings.file().ReadString(key.section, key.key).empty()) continue;
    FileResult r = settings.SetString(key, LowerCaseFolder(settings.environment().program_folder));
    if (!r && result) result = r;
  }
  return result;
}

}  // namespace qy
