// "QYマクロを指定して実行": picks a macro of the macro folder. Closes with
// the chosen file; running it is the MacroRunner's.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>
#include <string>

#include "app/dialogs/macro_file_panel.h"

namespace qy::app {

class MacroRunDialog : public QDialog {
  Q_OBJECT

 public:
  // `edit` opens a file in the text editor, `show_help` the program's help.
  MacroRunDialog(const std::string& native_folder, std::function<void(const std::string&)> edit,
                 std::function<void(int)> show_help, QWidget* parent = nullptr);

  // The chosen file's full path once the dialog closed with OK.
  const std::string& chosen() const { return chosen_; }
  MacroFilePanel* panel() const { return panel_; }
  QPushButton* ok_button() const { return ok_; }

 public slots:
  void accept() override;

 private:
  MacroFilePanel* panel_ = nullptr;
  QPushButton* ok_ = nullptr;
  std::string chosen_;
};

}  // namespace qy::app
