// The picture dialog: the picture folder's files, the position and the two
// insert buttons, the full path of the clicked file and its preview. Every
// rule is in markup/picture_dialog.h.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <optional>
#include <string>

#include "core/editor.h"
#include "core/platform.h"
#include "markup/picture_dialog.h"

namespace qy::app {

class PictureInsertDialog : public QDialog {
  Q_OBJECT

 public:
  // `folder`: the native picture folder.
  PictureInsertDialog(std::string folder, PicturePreviewer& previewer, QWidget* parent);

  // True for "透明(&S)"; nullopt when cancelled.
  std::optional<bool> transparent() const { return transparent_; }
  PicturePosition position() const;
  // The chosen file without folder (native), "" when none.
  std::string chosen_file() const;

  QListWidget* files() const { return files_; }
  QButtonGroup* positions() const { return positions_; }
  QLabel* path_label() const { return path_; }
  QLabel* preview() const { return preview_; }
  QPushButton* normal_button() const { return normal_; }
  QPushButton* transparent_button() const { return transparent_button_; }

 private:
  void ShowFile(const QString& name);
  void Choose(bool transparent);

  std::string folder_;
  PicturePreviewer& previewer_;
  std::optional<bool> transparent_;
  QListWidget* files_ = nullptr;
  QButtonGroup* positions_ = nullptr;
  QLabel* path_ = nullptr;
  QLabel* preview_ = nullptr;
  QPushButton* normal_ = nullptr;
  QPushButton* transparent_button_ = nullptr;
};

// The command after the folder check: shows the dialog over `parent` and
// inserts the reference as one edit; converted previews are removed when
// it closes.
void RunPictureInsertDialog(Editor& editor, const std::string& folder, ProcessRunner& runner,
                            const std::string& hotspot_editor, QWidget* parent);

}  // namespace qy::app
