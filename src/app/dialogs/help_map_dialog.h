// "ヘルプマップファイルを参照": the project's help-map list (HelpMapList, which
// writes every change through to the ".qym" file) and the choice of what to
// import. The window imports once the dialog has closed.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <array>
#include <string>
#include <vector>

#include "core/platform.h"
#include "core/prompter.h"
#include "project/help_map_list.h"

namespace qy::app {

class HelpMapDialog : public QDialog {
  Q_OBJECT

 public:
  HelpMapDialog(HelpMapList& list, Prompter& prompter, FileChooser* chooser,
                QWidget* parent = nullptr);

  // The files to import (native paths as typed or listed) once the dialog
  // closed with OK: the one in the box, or every listed one.
  const std::vector<std::string>& files() const { return files_; }

  QLineEdit* file_box() const { return file_; }
  QListWidget* list() const { return entries_; }
  // このファイルを参照, 追加, 削除, 参照.
  QPushButton* button(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
  // Files dropped on the dialog (native paths).
  void DropFiles(const std::vector<std::string>& paths);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ShowList();
  void Report(const HelpMapList::Update& update);

  HelpMapList& list_;
  Prompter& prompter_;
  FileChooser* chooser_;
  std::vector<std::string> files_;
  QLineEdit* file_ = nullptr;
  QListWidget* entries_ = nullptr;
  std::array<QPushButton*, 4> buttons_{};
};

}  // namespace qy::app
