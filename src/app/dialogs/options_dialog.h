// "オプション設定": nine tabs over OptionsForm, KeyPage and ToolbarLayout.
// Every control writes into the form as it changes; OK and "適用(&A)" run the
// form's write, then the key and toolbar files, then let the window apply
// what it shows.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <functional>
#include <map>

#include "app/dialogs/options_key_pages.h"
#include "core/platform.h"
#include "shell/options_form.h"

namespace qy::app {

enum class OptionsTab {
  kGeneral,
  kWindow,
  kFonts,
  kFolders,
  kExternalHelp,
  kKeys,
  kToolbar,
  kDebug,
  kOther
};

struct OptionsHooks {
  FileChooser* chooser = nullptr;
  // A colour value (red + 256 green + 65536 blue, or a system colour) to
  // start from; nothing when cancelled.
  std::function<std::optional<int>(int)> choose_color;
  std::function<std::optional<QFont>(const QFont&)> choose_font;
  std::function<QRect()> main_geometry;  // "現在の位置" and "現在のサイズ"
  std::function<bool(const std::string&)> change_macro_folder;
  std::function<void()> default_pictures_cleared;
  std::function<void()> clear_recent_files;
  // After a write: the window applies fonts, colours, keys, toolbars ...
  std::function<void()> applied;
  std::function<void(int)> show_help;
  std::string key_file_path;
  std::string toolbar_file_path;
};

class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  OptionsDialog(Settings& settings, Prompter& prompter, OptionsHooks hooks,
                OptionsTab start = OptionsTab::kGeneral, QWidget* parent = nullptr);

  // "適用(&A)": true when the write went ahead (no folder change cancelled).
  bool Apply();

  // The controls, for tests and screenshots.
  QTabWidget* tabs() const { return tabs_; }
  OptionsForm& form() { return form_; }
  QCheckBox* Check(const SettingKey& key) const;
  QLineEdit* Edit(const SettingKey& key) const;
  QPushButton* apply_button() const { return apply_; }
  QPushButton* other_defaults() const { return other_defaults_; }
  QTreeWidget* scenes() const { return scenes_; }
  QLabel* sample() const { return sample_; }
  QTreeWidget* help_list() const { return help_list_; }
  QLineEdit* help_title() const { return help_title_; }
  QLineEdit* help_file() const { return help_file_; }
  QPushButton* help_button(int index) const;  // 追加, 変更, 削除, 上, 下
  KeySettingPage* key_page() const { return key_page_; }
  ToolbarPage* toolbar_page() const { return toolbar_page_; }

 public slots:
  void accept() override;

 private:
  QWidget* BuildGeneralTab();
  QWidget* BuildWindowTab();
  QWidget* BuildFontsTab();
  QWidget* BuildFoldersTab();
  QWidget* BuildExternalHelpTab();
  QWidget* BuildDebugTab();
  QWidget* BuildOtherTab();
  QCheckBox* BindCheck(const char* caption, const SettingKey& key, QWidget* parent);
  QLineEdit* BindEdit(const SettingKey& key, QWidget* parent);
  QSpinBox* BindSpin(const SettingKey& key, QWidget* parent);
  QButtonGroup* BindChoice(const SettingKey& key, const std::vector<QAbstractButton*>& buttons);
  void ShowDebugStates();
  void ShowScene();
  void ShowHelpList();
  void ReloadControls();
  const DisplayScene* SelectedScene() const;

  Settings& settings_;
  Prompter& prompter_;
  OptionsHooks hooks_;
  OptionsForm form_;
  KeyPage keys_;
  ToolbarLayout toolbar_layout_;

  QTabWidget* tabs_ = nullptr;
  QPushButton* apply_ = nullptr;
  std::map<std::string, QCheckBox*> checks_;
  std::map<std::string, QLineEdit*> edits_;
  std::vector<std::function<void()>> reloaders_;  // refill bound controls from the form
  QTreeWidget* scenes_ = nullptr;
  QPushButton* font_button_ = nullptr;
  QPushButton* color_button_ = nullptr;
  QPushButton* back_button_ = nullptr;
  QPushButton* scene_default_ = nullptr;
  QComboBox* scene_style_ = nullptr;
  QCheckBox* scene_underline_ = nullptr;
  QLabel* sample_ = nullptr;
  QTreeWidget* help_list_ = nullptr;
  QLineEdit* help_title_ = nullptr;
  QLineEdit* help_file_ = nullptr;
  std::vector<QPushButton*> help_buttons_;
  QPushButton* other_defaults_ = nullptr;
  KeySettingPage* key_page_ = nullptr;
  ToolbarPage* toolbar_page_ = nullptr;
  bool showing_ = false;
};

}  // namespace qy::app
