// "画像ファイルの登録": the up to nine pictures of the picture menus. The
// left half shows the picture folder's files with the full path and a
// preview, the right half the registered list, whose check marks insert a
// picture as transparent; OK writes the list to the settings file.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/registration_edits.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "markup/picture_dialog.h"
#include "markup/picture_registration.h"

namespace qy::app {

class PictureRegistrationDialog : public QDialog {
  Q_OBJECT

 public:
  // `folder`: the native picture folder; `section`: the project's picture
  // section.
  PictureRegistrationDialog(Settings& settings, std::string section, std::string folder,
                            PicturePreviewer& previewer, Prompter& prompter, QWidget* parent);

  // Asks for a new title ("登録名の変更"); null asks with an input box.
  AskTitle ask_title;

  const PictureRegistrationList& list() const { return list_; }
  QListWidget* files() const { return files_; }
  QLabel* path_label() const { return path_; }
  QLabel* preview() const { return preview_; }
  QLineEdit* title_box() const { return title_; }
  QListWidget* registered() const { return registered_; }
  // 追加, 変更, 削除, 上, 下.
  QPushButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

 public slots:
  void accept() override;

 private:
  void ShowFile(const QString& name);
  void ShowList();

  Settings& settings_;
  std::string section_;
  std::string folder_;
  PicturePreviewer& previewer_;
  Prompter& prompter_;
  PictureRegistrationList list_;
  QListWidget* files_ = nullptr;
  QLabel* path_ = nullptr;
  QLabel* preview_ = nullptr;
  QLineEdit* title_ = nullptr;
  QListWidget* registered_ = nullptr;
  std::vector<QPushButton*> buttons_;
};

// The command after the folder check: true when the list was written (the
// menus are to be rebuilt).
bool RunPictureRegistrationDialog(Settings& settings, const std::string& section,
                                  const std::string& folder, ProcessRunner& runner,
                                  const std::string& hotspot_editor, Prompter& prompter,
                                  QWidget* parent);

}  // namespace qy::app
