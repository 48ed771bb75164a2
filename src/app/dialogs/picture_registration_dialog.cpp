#include "app/dialogs/picture_registration_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/dialogs/picture_file_view.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/native_path.h"
#include "macro/macro_run_settings.h"

namespace qy::app {

PictureRegistrationDialog::PictureRegistrationDialog(Settings& settings, std::string section,
                                                     std::string folder,
                                                     PicturePreviewer& previewer,
                                                     Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      section_(std::move(section)),
      folder_(std::move(folder)),
      previewer_(previewer),
      prompter_(prompter),
      list_(ReadPictureRegistrations(settings, section_)) {
  setWindowTitle(QStringLiteral("画像ファイルの登録"));
  setObjectName("TfrmMenuSet");
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';

  files_ = new QListWidget(this);
  for (const std::string& name : ListPictureFiles(folder_)) {
    files_->addItem(QString::fromStdString(name));
  }
  auto* path_box = new QGroupBox(this);
  auto* path_layout = new QVBoxLayout(path_box);
  path_ = new QLabel(path_box);
  preview_ = new QLabel(path_box);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setMinimumSize(200, 120);
  path_layout->addWidget(path_);
  path_layout->addWidget(preview_, 1);
  auto* left = new QVBoxLayout;
  left->addWidget(files_, 1);
  left->addWidget(path_box, 1);

  title_ = NewFieldEdit(this);
  auto* title_caption = new QLabel(QStringLiteral("画像タイトル(&T) :"), this);
  title_caption->setBuddy(title_);
  registered_ = new QListWidget(this);
  registered_->setToolTip(QStringLiteral("チェックした画像は透明で挿入します。"));
  auto* right = new QGridLayout;
  right->addWidget(title_caption, 0, 0);
  right->addWidget(title_, 1, 0);
  right->addWidget(registered_, 2, 0);
  auto* side = new QVBoxLayout;
  for (const char16_t* caption : {u"追加(&A)", u"変更(&C)", u"削除(&D)", u"上(&U)", u"下(&N)"}) {
    buttons_.push_back(new QPushButton(QString::fromUtf16(caption), this));
    side->addWidget(buttons_.back());
  }
  side->addStretch(1);
  right->addLayout(side, 0, 1, 3, 1);
  right->setRowStretch(2, 1);

  auto* halves = new QHBoxLayout;
  halves->addLayout(left, 1);
  halves->addLayout(right, 1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(halves, 1);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &PictureRegistrationDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(files_, &QListWidget::currentTextChanged, this, &PictureRegistrationDialog::ShowFile);
  connect(registered_, &QListWidget::currentRowChanged, this,
          [this](int row) { list_.Select(row); });
  connect(registered_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    list_.SetTransparent(registered_->row(item), item->checkState() == Qt::Checked);
  });
  connect(buttons_[0], &QPushButton::clicked, this, [this] {
    const QListWidgetItem* file = files_->currentItem();
    if (!file) return;
    if (list_.Add(PathToSjis(file->text().toStdString()), FromQt(title_->text()))) ShowList();
  });
  ConnectRegistrationEdits(this, buttons_[1], buttons_[2], buttons_[3], buttons_[4], list_,
                           &ask_title, [this] { ShowList(); });
  ShowList();
  resize(720, 480);
  CentreOver(*this, parent);
}

void PictureRegistrationDialog::ShowFile(const QString& name) {
  if (name.isEmpty()) return;
  ShowPictureFile(folder_ + name.toStdString(), previewer_, *path_, *preview_);
}

void PictureRegistrationDialog::ShowList() {
  const QSignalBlocker quiet(registered_);
  registered_->clear();
  for (const PictureRegistration& entry : list_.entries()) {
    auto* item =
        new QListWidgetItem(ToQt(entry.title) + QStringLiteral("  (") + ToQt(entry.file) + ')');
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(entry.transparent ? Qt::Checked : Qt::Unchecked);
    registered_->addItem(item);
  }
  registered_->setCurrentRow(list_.selected());
}

void PictureRegistrationDialog::accept() {
  if (FileResult written = WritePictureRegistrations(settings_, section_, list_.entries());
      !written) {
    prompter_.Error(SettingsWriteError(settings_, written));
    return;  // the list stays for another try
  }
  QDialog::accept();
}

bool RunPictureRegistrationDialog(Settings& settings, const std::string& section,
                                  const std::string& folder, ProcessRunner& runner,
                                  const std::string& hotspot_editor, Prompter& prompter,
                                  QWidget* parent) {
  PicturePreviewer previewer(runner, hotspot_editor);
  PictureRegistrationDialog dialog(settings, section, folder, previewer, prompter, parent);
  const bool written = dialog.exec() == QDialog::Accepted;
  previewer.RemoveConvertedPictures();
  return written;
}

}  // namespace qy::app
