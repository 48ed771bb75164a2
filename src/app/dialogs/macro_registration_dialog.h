// "QYマクロの登録": the up to 20 macros of the macro menu. The left half
// shows the folder's macros, the right half the registered list; OK writes
// the list to the settings file.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <vector>

#include "app/dialogs/macro_file_panel.h"
#include "app/dialogs/registration_edits.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "macro/macro_registration_list.h"

namespace qy::app {

class MacroRegistrationDialog : public QDialog {
  Q_OBJECT

 public:
  MacroRegistrationDialog(Settings& settings, Prompter& prompter,
                          std::function<void(const std::string&)> edit, QWidget* parent = nullptr);

  // Asks for a new title ("登録名の変更"); null asks with an input box.
  AskTitle ask_title;

  MacroFilePanel* panel() const { return panel_; }
  QLineEdit* title_box() const { return title_; }
  QListWidget* registered() const { return registered_; }
  // 追加, 変更, 削除, 上, 下, 編集.
  QPushButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

 public slots:
  void accept() override;

 private:
  void ShowList();

  Settings& settings_;
  Prompter& prompter_;
  MacroRegistrationList list_;
  MacroFilePanel* panel_ = nullptr;
  QLineEdit* title_ = nullptr;
  QListWidget* registered_ = nullptr;
  std::vector<QPushButton*> buttons_;
};

}  // namespace qy::app
