#include "app/dialogs/picture_insert_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/picture_file_view.h"
#include "app/qt_text.h"
#include "core/native_path.h"

namespace qy::app {

PictureInsertDialog::PictureInsertDialog(std::string folder, PicturePreviewer& previewer,
                                         QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), previewer_(previewer) {
  setWindowTitle(QStringLiteral("画像ファイルの挿入"));
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
  files_ = new QListWidget(this);
  for (const std::string& name : ListPictureFiles(folder_)) {
    files_->addItem(QString::fromStdString(name));
  }
  connect(files_, &QListWidget::currentTextChanged, this, &PictureInsertDialog::ShowFile);
  connect(files_, &QListWidget::itemDoubleClicked, this, [this] { Choose(false); });

  auto* position_box = new QGroupBox(QStringLiteral("位置"), this);
  auto* position_layout = new QHBoxLayout(position_box);
  positions_ = new QButtonGroup(this);
  const QString captions[] = {QStringLiteral("左端(&L)"), QStringLiteral("現在位置(&N)"),
                              QStringLiteral("右端(&R)")};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(captions[i], position_box);
    positions_->addButton(radio, i);
    position_layout->addWidget(radio);
  }
  positions_->button(static_cast<int>(PicturePosition::kCurrent))->setChecked(true);

  auto* path_box = new QGroupBox(this);
  auto* path_layout = new QVBoxLayout(path_box);
  path_ = new QLabel(path_box);
  preview_ = new QLabel(path_box);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setMinimumSize(200, 150);
  path_layout->addWidget(path_);
  path_layout->addWidget(preview_, 1);

  normal_ = new QPushButton(QStringLiteral("通常(&N)"), this);
  transparent_button_ = new QPushButton(QStringLiteral("透明(&S)"), this);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  normal_->setDefault(true);
  connect(normal_, &QPushButton::clicked, this, [this] { Choose(false); });
  connect(transparent_button_, &QPushButton::clicked, this, [this] { Choose(true); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(files_, 1);
  left->addWidget(position_box);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(normal_);
  buttons->addWidget(transparent_button_);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addWidget(path_box, 1);
  layout->addLayout(buttons);
  resize(640, 360);
}

PicturePosition PictureInsertDialog::position() const {
  return static_cast<PicturePosition>(positions_->checkedId());
}

std::string PictureInsertDialog::chosen_file() const {
  const QListWidgetItem* item = files_->currentItem();
  return item ? item->text().toStdString() : std::string();
}

void PictureInsertDialog::ShowFile(const QString& name) {
  if (name.isEmpty()) return;
  ShowPictureFile(folder_ + name.toStdString(), previewer_, *path_, *preview_);
}

void PictureInsertDialog::Choose(bool transparent) {
  transparent_ = transparent;
  accept();
}

void RunPictureInsertDialog(Editor& editor, const std::string& folder, ProcessRunner& runner,
                            const std::string& hotspot_editor, QWidget* parent) {
  PicturePreviewer previewer(runner, hotspot_editor);
  PictureInsertDialog dialog(folder, previewer, parent);
  dialog.exec();
  previewer.RemoveConvertedPictures();
  if (dialog.transparent()) {
    InsertPicture(editor, dialog.position(), *dialog.transparent(), dialog.chosen_file());
  }
}

}  // namespace qy::app
