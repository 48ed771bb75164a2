// The macro folder's ".p2s" files with the selected one's full path, title
// line and text: the shared left half of the macro run and registration
// dialogs.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>
#include <string>

namespace qy::app {

class MacroFilePanel : public QWidget {
  Q_OBJECT

 public:
  MacroFilePanel(std::string native_folder, QWidget* parent = nullptr);

  // The selected file's name (native, without folder); "" when none is.
  std::string SelectedFile() const;
  std::string SelectedPath() const;
  // The selected file's title line ("" without one), Shift-JIS.
  const std::string& SelectedTitle() const { return title_; }
  QListWidget* list() const { return files_; }
  QLabel* path_label() const { return path_; }
  QLabel* title_label() const { return title_label_; }
  QPlainTextEdit* preview() const { return preview_; }

 signals:
  void selectionChanged();
  void fileActivated();

 private:
  void ShowSelected();

  std::string folder_;
  std::string title_;
  QListWidget* files_ = nullptr;
  QLabel* path_ = nullptr;
  QLabel* title_label_ = nullptr;
  QPlainTextEdit* preview_ = nullptr;
};

}  // namespace qy::app
