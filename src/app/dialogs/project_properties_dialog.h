// "プロジェクトのプロパティ": six tabs over ProjectPropertiesForm. The form
// and its parts (window styles, [CONFIG], the word list) hold the rules; OK
// hands the form to ApplyProjectProperties, and a refusal keeps the dialog.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <functional>

#include "app/dialogs/window_styles_page.h"
#include "build/project_properties.h"
#include "core/platform.h"

namespace qy::app {

struct ProjectPropertiesHooks {
  std::function<void()> rebuild_bitmap_menu;
  std::function<void(int)> show_help;
  WindowStylesPage::ColorChooser choose_color;
  FileChooser* chooser = nullptr;  // the bitmap folder's "..."
};

class ProjectPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  ProjectPropertiesDialog(ProjectModel& project, Settings& settings, Prompter& prompter,
                          ProjectPropertiesHooks hooks, QWidget* parent = nullptr);

  const ProjectPropertiesForm& form() const { return form_; }

  // The controls, for tests and screenshots.
  QTabWidget* tabs() const { return tabs_; }
  QLineEdit* help_title() const { return help_title_; }
  QComboBox* font_size() const { return font_size_; }
  WindowStylesPage* windows() const { return windows_; }
  QCheckBox* config_direct() const { return config_direct_; }
  QCheckBox* default_folder() const { return default_folder_; }
  QLineEdit* bitmap_folder() const { return bitmap_folder_; }
  QCheckBox* contents_include() const { return include_box_; }
  QLineEdit* include_file() const { return include_file_; }
  QLineEdit* word_entry() const { return word_entry_; }
  QListWidget* word_list() const { return words_; }
  QPushButton* word_button(int index) const;  // 追加, 変更, 削除, 上, 下

 public slots:
  void accept() override;

 private:
  QWidget* BuildInformationTab();
  QWidget* BuildGeneralTab();
  QWidget* BuildConfigTab();
  QWidget* BuildSpecialTab();
  QWidget* BuildWordsTab();
  void ShowConfig();
  void ShowSpecial();
  void ShowWords();
  void StoreTexts();

  ProjectModel& project_;
  Settings& settings_;
  Prompter& prompter_;
  ProjectPropertiesHooks hooks_;
  ProjectPropertiesForm form_;

  QTabWidget* tabs_ = nullptr;
  QLineEdit* help_title_ = nullptr;
  QLineEdit* copyright_ = nullptr;
  QComboBox* font_name_ = nullptr;
  QComboBox* font_size_ = nullptr;
  QCheckBox* compress_ = nullptr;
  WindowStylesPage* windows_ = nullptr;
  QCheckBox* config_direct_ = nullptr;
  QCheckBox* browse_ = nullptr;
  QCheckBox* exit_ = nullptr;
  QPlainTextEdit* config_memo_ = nullptr;
  QLineEdit* main_style_ = nullptr;
  QCheckBox* include_box_ = nullptr;
  QLabel* include_label_ = nullptr;
  QLineEdit* include_file_ = nullptr;
  QCheckBox* default_folder_ = nullptr;
  QLabel* folder_label_ = nullptr;
  QLineEdit* bitmap_folder_ = nullptr;
  QPushButton* browse_folder_ = nullptr;
  QLineEdit* word_entry_ = nullptr;
  QListWidget* words_ = nullptr;
  std::vector<QPushButton*> word_buttons_;
};

}  // namespace qy::app
