#include "shell/options_form.h"

#include <algorithm>

#include "core/codec.h"
#include "core/cp932.h"

namespace qy {

namespace {

// Every key a control of the dialog copies, besides the fonts and colours of
// the scenes and the external help list.
std::vector<SettingKey> PlainKeys() {
  using namespace keys;
  return {kEtceteraHelpCompiler, kEtceteraHelpWorkshop, kEtceteraTextEditor, kEtceteraComLine1,
          kEtceteraComLine2,     kToolHotspotEdit,      kWindowPosOption,    kWindowUserTop,
          kWindowUserLeft,       kWindowSizOption,      kWindowUserHeight,   kWindowUserWidth,
          kWindowBorderSet,      kEtceteraBitmapPath,   kMacroFold,          kDebugHelpShow,
          kDebugShowNote,        kDebugShowWarn,        kDebugDebugAuto,     kDebugAutoNote,
          kDebugAutoWarn,        kDebugDebugSave};
}

bool IsBoolKey(const SettingKey& key) {
  return key.type == SettingType::kBool || key.type == SettingType::kStringBool ||
         key.type == SettingType::kStringBoolDefaultOn;
}

DisplayScene FontScene(const char* caption, SettingKey name, SettingKey size, SettingKey chars,
                       SettingKey style) {
  DisplayScene scene;
  scene.caption = Sjis(caption);
  scene.font_name = name;
  scene.font_size = size;
  scene.font_char = chars;
  scene.font_style = style;
  return scene;
}

}  // namespace

// --- External help list -------------------------------------------------------

void ExternalHelpList::Select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
}

void ExternalHelpList::Load(const Settings& settings) {
  entries_.clear();
  for (int i = 0; i < keys::kExternalHelpEntries; ++i) {
    ExternalHelpEntry entry{settings.GetString(keys::HelpTitle(i)),
                            settings.GetString(keys::HelpFile(i))};
    if (!entry.title.empty() || !entry.file.empty()) entries_.push_back(std::move(entry));
  }
  selected_ = -1;
}

bool ExternalHelpList::Add(const ExternalHelpEntry& entry) {
  if (entry.title.empty() || entry.file.empty()) return false;
  if (static_cast<int>(entries_.size()) >= keys::kExternalHelpEntries) return false;
  entries_.push_back(entry);
  selected_ = static_cast<int>(entries_.size()) - 1;
  return true;
}

bool ExternalHelpList::Change(const ExternalHelpEntry& entry) {
  if (selected_ < 0 || entry.title.empty() || entry.file.empty()) return false;
  entries_[static_cast<std::size_t>(selected_)] = entry;
  return true;
}

bool ExternalHelpList::DeleteSelected() {
  if (selected_ < 0) return false;
  entries_.erase(entries_.begin() + selected_);
  selected_ = std::min(selected_, static_cast<int>(entries_.size()) - 1);
  return true;
}

bool ExternalHelpList::MoveUp() {
  if (selected_ <= 0) return false;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
  return true;
}

bool ExternalHelpList::MoveDown() {
  if (selected_ < 0 || selected_ + 1 >= static_cast<int>(entries_.size())) return false;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
  return true;
}

// --- Scenes -------------------------------------------------------------------

const std::vector<DisplayScene>& DisplayScenes() {
  static const std::vector<DisplayScene> scenes = [] {
    using namespace keys;
    std::vector<DisplayScene> list;
    DisplayScene main;
    main.caption = Sjis("メインウインドウ");
    main.heading = true;
    list.push_back(main);
    DisplayScene topic = FontScene("トピック領域", kWindowTFontName, kWindowTFontSize,
                                   kWindowTFontChar, kWindowTFontStyle);
    topic.color = kWindowTFontColor;
    topic.background = kWindowTWinColor;
    list.push_back(topic);
    list.push_back(FontScene("ページビュー", kWindowPFontName, kWindowPFontSize, kWindowPFontChar,
                             kWindowPFontStyle));
    list.push_back(FontScene("デバックビュー", kWindowDFontName, kWindowDFontSize, kWindowDFontChar,
                             kWindowDFontStyle));
    list.push_back(FontScene("その他１", kWindowEFontName, kWindowEFontSize, kWindowEFontChar,
                             kWindowEFontStyle));
    DisplayScene labels;
    labels.caption = Sjis("その他２");
    labels.color = kWindowBFontColor;
    labels.style = kWindowBFontStyle;
    list.push_back(labels);
    DisplayScene composing;
    composing.caption = Sjis("変換中");
    composing.heading = true;
    list.push_back(composing);
    const char* const kStates[kImeStates] = {"未変換", "未変換注目", "既変換", "既変換注目"};
    for (int i = 0; i < kImeStates; ++i) {
      DisplayScene state;
      state.caption = Sjis(kStates[i]);
      state.color = FontImeFonClr(i);
      state.background = FontImeBakClr(i);
      state.underline = FontImeFonSty(i);
      state.composition = true;
      list.push_back(state);
    }
    return list;
  }();
  return scenes;
}

// --- Form ---------------------------------------------------------------------

OptionsForm::OptionsForm(Settings& settings) : settings_(settings), keys_(PlainKeys()) {
  const std::vector<SettingKey>& others = OtherBoxes();
  keys_.insert(keys_.end(), others.begin(), others.end());
  for (const DisplayScene& scene : DisplayScenes()) {
    for (const std::optional<SettingKey>& key :
         {scene.font_name, scene.font_size, scene.font_char, scene.font_style, scene.color,
          scene.background, scene.style, scene.underline}) {
      if (key) keys_.push_back(*key);
    }
  }
  for (const SettingKey& key : keys_) {
    if (IsBoolKey(key)) {
      values_[Id(key)] = settings_.GetBool(key) ? "1" : "0";
    } else if (key.type == SettingType::kInt) {
      values_[Id(key)] = std::to_string(settings_.GetInt(key));
    } else {
      values_[Id(key)] = settings_.GetString(key);
    }
  }
  // The editor's left margin is on by default, but the box shows what the
  // settings file says, and a file without the key says nothing.
  if (!settings_.file().HasKey(keys::kOptionTLeftSpace.section, keys::kOptionTLeftSpace.key)) {
    SetBool(keys::kOptionTLeftSpace, false);
  }
  help_.Load(settings_);
}

std::string OptionsForm::Id(const SettingKey& key) {
  return std::string(key.section) + "/" + key.key;
}

bool OptionsForm::Bool(const SettingKey& key) const { return Text(key) == "1"; }

int OptionsForm::Int(const SettingKey& key) const {
  const std::string& text = Text(key);
  try {
    return text.empty() ? 0 : std::stoi(text);
  } catch (const std::exception&) {
    return 0;
  }
}

const std::string& OptionsForm::Text(const SettingKey& key) const {
  static const std::string kNone;
  auto it = values_.find(Id(key));
  return it == values_.end() ? kNone : it->second;
}

void OptionsForm::SetBool(const SettingKey& key, bool value) {
  values_[Id(key)] = value ? "1" : "0";
}
void OptionsForm::SetInt(const SettingKey& key, int value) {
  values_[Id(key)] = std::to_string(value);
}
void OptionsForm::SetText(const SettingKey& key, const std::string& value) {
  values_[Id(key)] = value;
}

const std::vector<SettingKey>& OptionsForm::OtherBoxes() {
  using namespace keys;
  static const std::vector<SettingKey> boxes = {
      kOptionTooBarFlat, kOptionDelConfirm, kOptionTLeftSpace,  kOptionTTopSpace, kOptionMakeSave,
      kOptionTreeView,   kOptionPageProp,   kOptionContextList, kOptionToolTips,  kOptionComVerChk,
      kOptionPagePrev,   kOptionNoLowLayer, kOptionAttrConfirm};
  return boxes;
}

void OptionsForm::SetOtherDefaults() {
  using namespace keys;
  for (const SettingKey& key :
       {kOptionTooBarFlat, kOptionDelConfirm, kOptionAttrConfirm, kOptionTLeftSpace,
        kOptionTreeView, kOptionToolTips, kOptionPagePrev, kOptionNoLowLayer}) {
    SetBool(key, true);
  }
  for (const SettingKey& key :
       {kOptionTTopSpace, kOptionMakeSave, kOptionPageProp, kOptionContextList, kOptionComVerChk}) {
    SetBool(key, false);
  }
}

void OptionsForm::RestoreSceneDefaults(const DisplayScene& scene) {
  for (const std::optional<SettingKey>& key :
       {scene.font_name, scene.font_size, scene.font_char, scene.font_style, scene.color,
        scene.background, scene.style, scene.underline}) {
    if (!key) continue;
    // The key table holds each scene's default, with the machine's UI font
    // and colours resolved by the settings.
    const std::string text = settings_.DefaultText(*key);
    if (IsBoolKey(*key)) {
      SetBool(*key, text == "1" || text == "True");
    } else {
      SetText(*key, text);
    }
  }
}

bool OptionsForm::ChangeBitmapFolder(Prompter& prompter, bool* cancelled) {
  const std::string& folder = Text(keys::kEtceteraBitmapPath);
  if (EqualsIgnoreAsciiCase(folder, settings_.GetString(keys::kEtceteraBitmapPath))) return false;
  const std::string question =
      Sjis("デフォルトの画像ファイル収納フォルダの設定が変更されています。") + "\r\n\r\n" +
      Sjis("収納フォルダを変更すると「デフォルトの画像ファイルメニュー」の登録内容がすべて") +
      "\r\n" +
      Sjis("クリアされます。デフォルトの画像ファイル収納フォルダを変更してよろしいですか？");
  if (prompter.Ask(question, Buttons::kOkCancel, Beep::kExclamation) != Answer::kOk) {
    *cancelled = true;
    return false;
  }
  return true;
}

bool OptionsForm::Write(Prompter& prompter,
                        const std::function<bool(const std::string&)>& change_macro_folder,
                        const std::function<void()>& default_pictures_cleared) {
  bool cancelled = false;
  const bool new_bitmap_folder = ChangeBitmapFolder(prompter, &cancelled);
  if (cancelled) return false;
  const std::string& macro_folder = Text(keys::kMacroFold);
  if (macro_folder != settings_.GetString(keys::kMacroFold) && change_macro_folder &&
      !change_macro_folder(macro_folder)) {
    return false;
  }

  if (new_bitmap_folder) {
    const std::string& folder = Text(keys::kEtceteraBitmapPath);
    settings_.SetString(keys::kEtceteraBitmapPath, folder);
    prompter.Information(Sjis("収納フォルダを ") + folder + Sjis(" に設定しました。") + "\r\n\r\n" +
                         Sjis("「デフォルトの画像ファイルメニュー」の登録内容はクリアされます。"));
    for (int i = 1; i <= keys::kBitmapEntries; ++i) {
      settings_.SetString(keys::EtceteraBitmapName(i), "");
      settings_.SetString(keys::EtceteraBitmapTitle(i), "");
      settings_.SetString(keys::EtceteraBitmapCheck(i), "");
    }
    if (default_pictures_cleared) default_pictures_cleared();
  }
  FileResult failed;
  auto note = [&failed](FileResult result) {
    if (!result && failed) failed = std::move(result);
  };
  for (const SettingKey& key : keys_) {
    // The two folders went through their questions above; a case-only
    // change of the picture folder keeps the stored spelling.
    if (Id(key) == Id(keys::kEtceteraBitmapPath) || Id(key) == Id(keys::kMacroFold)) continue;
    if (IsBoolKey(key)) {
      note(settings_.SetBool(key, Bool(key)));
    } else if (key.type == SettingType::kInt) {
      note(settings_.SetInt(key, Int(key)));
    } else {
      note(settings_.SetString(key, Text(key)));
    }
  }
  const std::vector<ExternalHelpEntry>& entries = help_.entries();
  for (int i = 0; i < keys::kExternalHelpEntries; ++i) {
    const bool used = i < static_cast<int>(entries.size());
    note(settings_.SetString(keys::HelpTitle(i),
                             used ? entries[static_cast<std::size_t>(i)].title : ""));
    note(settings_.SetString(keys::HelpFile(i),
                             used ? entries[static_cast<std::size_t>(i)].file : ""));
  }
  // A settings file that can not be written is said once; the dialog keeps
  // its values so that nothing typed is lost.
  if (!failed) {
    prompter.Error("\r\n" + Sjis("設定ファイルに書き込めませんでした。") + "\r\n\r\n" +
                   Sjis("理由 : ") + failed.error);
  }
  return true;
}

}  // namespace qy
