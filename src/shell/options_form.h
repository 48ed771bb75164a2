// The options dialog ("オプション設定") without its widgets: the values of
// its controls as read from the settings file, the few rules that do more
// than copy a value (the external help list, the default boxes of the last
// tab, the scenes of the font-and-colour tab, the folder changes), and the
// write of OK and Apply.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/prompter.h"
#include "core/settings.h"
#include "core/settings_keys.h"

namespace qy {

inline constexpr int kOptionsHelpContext = 36;

// One entry of the Help menu's external help files.
struct ExternalHelpEntry {
  std::string title;
  std::string file;
  bool operator==(const ExternalHelpEntry&) const = default;
};

// "外部ヘルプファイル リスト(&L) :": at most five entries. Refusals are silent.
class ExternalHelpList {
 public:
  const std::vector<ExternalHelpEntry>& entries() const { return entries_; }
  int selected() const { return selected_; }
  void Select(int index);
  void Load(const Settings& settings);
  // Appends and selects; needs both texts and room for one more.
  bool Add(const ExternalHelpEntry& entry);
  bool Change(const ExternalHelpEntry& entry);
  bool DeleteSelected();
  bool MoveUp();
  bool MoveDown();

 private:
  std::vector<ExternalHelpEntry> entries_;
  int selected_ = -1;
};

// A scene of the font-and-colour tab. Headings only group the scenes.
struct DisplayScene {
  std::string caption;  // Shift-JIS
  bool heading = false;
  // The keys the scene edits; a missing one means the control does not
  // apply (its button is disabled).
  std::optional<SettingKey> font_name, font_size, font_char, font_style;
  std::optional<SettingKey> color, background;
  std::optional<SettingKey> style;      // the "スタイル" choice
  std::optional<SettingKey> underline;  // the "下線(&U)" box
  bool composition = false;             // its sample is "へんかんちゅう" / "変換中"
};
// The scene list in tree order: heading "メインウインドウ" and its five
// scenes, heading "変換中" and the four composition states.
const std::vector<DisplayScene>& DisplayScenes();

class OptionsForm {
 public:
  explicit OptionsForm(Settings& settings);

  // Values by key, as the controls show them.
  bool Bool(const SettingKey& key) const;
  int Int(const SettingKey& key) const;
  const std::string& Text(const SettingKey& key) const;
  void SetBool(const SettingKey& key, bool value);
  void SetInt(const SettingKey& key, int value);
  void SetText(const SettingKey& key, const std::string& value);

  ExternalHelpList& help_list() { return help_; }

  // The boxes of the "その他" tab, in the order the tab shows them, and
  // "デフォルトの設定(&S)" (nothing written before OK or Apply).
  static const std::vector<SettingKey>& OtherBoxes();
  void SetOtherDefaults();
  // The sub-boxes of "ヘルプファイルを作成後に開く(&O)" and of
  // "デバッグビューのオート処理(&C)" are enabled while their box is ticked.
  bool ShowSubBoxesEnabled() const { return Bool(keys::kDebugHelpShow); }
  bool AutoSubBoxesEnabled() const { return Bool(keys::kDebugDebugAuto); }

  // "デフォルト(&D)" of the font-and-colour tab for one scene.
  void RestoreSceneDefaults(const DisplayScene& scene);

  // OK and Apply. `change_macro_folder` is asked when the macro folder box
  // differs from Macro/Fold and answers whether the write may go on;
  // `default_pictures_cleared` runs when the default picture folder changed.
  // Returns false when the user cancelled a folder change: then nothing was
  // written.
  bool Write(Prompter& prompter, const std::function<bool(const std::string&)>& change_macro_folder,
             const std::function<void()>& default_pictures_cleared);

 private:
  static std::string Id(const SettingKey& key);
  bool ChangeBitmapFolder(Prompter& prompter, bool* cancelled);

  Settings& settings_;
  std::map<std::string, std::string> values_;
  std::vector<SettingKey> keys_;  // every key the controls edit
  ExternalHelpList help_;
};

}  // namespace qy
