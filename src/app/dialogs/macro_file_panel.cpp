#include "app/dialogs/macro_file_panel.h"

#include <QFontMetrics>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "core/codec.h"
#include "core/native_path.h"
#include "macro/macro_registration_list.h"

namespace qy::app {

MacroFilePanel::MacroFilePanel(std::string native_folder, QWidget* parent)
    : QWidget(parent), folder_(std::move(native_folder)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  files_ = new QListWidget(this);
  for (const std::string& name : MacroFiles(folder_)) {
    auto* item = new QListWidgetItem(ToQt(PathToSjis(name)), files_);
    item->setData(Qt::UserRole, QString::fromStdString(name));
  }
  path_ = new QLabel(this);
  path_->setMinimumWidth(200);
  title_label_ = new QLabel(this);
  preview_ = new QPlainTextEdit(this);
  preview_->setReadOnly(true);
  preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(files_, 2);
  layout->addWidget(path_);
  layout->addWidget(title_label_);
  layout->addWidget(preview_, 3);
  connect(files_, &QListWidget::currentRowChanged, this, &MacroFilePanel::ShowSelected);
  connect(files_, &QListWidget::itemDoubleClicked, this, &MacroFilePanel::fileActivated);
  ShowSelected();
}

std::string MacroFilePanel::SelectedFile() const {
  const QListWidgetItem* item = files_->currentItem();
  return item ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

std::string MacroFilePanel::SelectedPath() const {
  const std::string file = SelectedFile();
  return file.empty() ? file : MacroPath(folder_, file);
}

void MacroFilePanel::ShowSelected() {
  const std::string path = SelectedPath();
  const MacroPreview preview = path.empty() ? MacroPreview{} : ReadMacroPreview(path);
  title_ = preview.title;
  // A long path is cut in the middle so that both ends stay readable.
  const QString full = ToQt(PathToSjis(path));
  path_->setText(
      ToQt(Sjis("フルパス : ")) +
      path_->fontMetrics().elidedText(full, Qt::ElideMiddle, std::max(path_->width(), 400) - 80));
  path_->setToolTip(full);
  title_label_->setText(title_.empty() ? QString() : ToQt(Sjis("QYマクロタイトル： ") + title_));
  preview_->setPlainText(ToQt(preview.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  emit selectionChanged();
}

}  // namespace qy::app
