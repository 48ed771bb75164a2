#include "app/dialogs/help_map_dialog.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/native_path.h"

namespace qy::app {

HelpMapDialog::HelpMapDialog(HelpMapList& list, Prompter& prompter, FileChooser* chooser,
                             QWidget* parent)
    : QDialog(parent), list_(list), prompter_(prompter), chooser_(chooser) {
  setWindowTitle(ToQt(Sjis("ヘルプマップファイルを参照")));
  setObjectName("TfrmMap");
  setAcceptDrops(true);
  auto* grid = new QGridLayout(this);
  file_ = new QLineEdit(this);
  auto* file_caption = new QLabel(ToQt(Sjis("ヘルプマップファイル(&H) :")), this);
  file_caption->setBuddy(file_);
  auto* browse = new QPushButton(QStringLiteral("..."), this);
  browse->setMaximumWidth(32);
  entries_ = new QListWidget(this);
  auto* list_caption = new QLabel(ToQt(Sjis("ヘルプマップファイルリスト(&L) :")), this);
  list_caption->setBuddy(entries_);
  grid->addWidget(file_caption, 0, 0, 1, 2);
  grid->addWidget(file_, 1, 0);
  grid->addWidget(browse, 1, 1);
  grid->addWidget(list_caption, 2, 0, 1, 2);
  grid->addWidget(entries_, 3, 0, 1, 2);
  auto* side = new QVBoxLayout;
  const char* const captions[] = {"このファイルを参照(&T)", "追加(&A)", "削除(&D)", "参照(&B)"};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new QPushButton(ToQt(Sjis(captions[i])), this);
    side->addWidget(buttons_[i]);
  }
  auto* cancel = new QPushButton(ToQt(Sjis("キャンセル")), this);
  side->addStretch(1);
  side->addWidget(cancel);
  grid->addLayout(side, 1, 2, 3, 1);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(3, 1);

  connect(browse, &QPushButton::clicked, this, [this] {
    if (!chooser_) return;
    FileDialogOptions options;
    options.title = Sjis("ヘルプマップファイルを参照");
    options.filter = Sjis("ヘルプマップファイル (*.hm)|*.hm|すべてのファイル (*.*)|*.*");
    options.default_extension = "hm";
    options.must_exist = true;
    if (auto file = chooser_->ChooseOpenFile(options)) file_->setText(ToQt(PathToSjis(*file)));
  });
  connect(buttons_[0], &QPushButton::clicked, this, [this] {
    const std::string path = PathFromSjis(FromQt(file_->text()));
    if (!IsHelpMapFileName(path)) {
      QApplication::beep();
      file_->setFocus();
      return;
    }
    files_ = {path};
    accept();
  });
  connect(buttons_[1], &QPushButton::clicked, this,
          [this] { Report(list_.Add(PathFromSjis(FromQt(file_->text())))); });
  connect(buttons_[2], &QPushButton::clicked, this, [this] {
    const int row = entries_->currentRow();
    if (row >= 0) Report(list_.Remove(static_cast<std::size_t>(row)));
  });
  connect(buttons_[3], &QPushButton::clicked, this, [this] {
    if (list_.Entries().empty()) return;
    files_ = list_.Entries();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  ShowList();
  resize(520, 340);
  CentreOver(*this, parent);
}

void HelpMapDialog::ShowList() {
  entries_->clear();
  for (const std::string& entry : list_.Entries()) entries_->addItem(ToQt(PathToSjis(entry)));
}

void HelpMapDialog::Report(const HelpMapList::Update& update) {
  if (!update.written) {
    prompter_.Error("\r\n" + Sjis("ヘルプマップリストファイルに書き込めませんでした。") +
                    "\r\n\r\n" + Sjis("理由 : ") + update.written.error);
  }
  if (update.changed) ShowList();
}

void HelpMapDialog::DropFiles(const std::vector<std::string>& paths) { Report(list_.Drop(paths)); }

void HelpMapDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void HelpMapDialog::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  DropFiles(paths);
  event->acceptProposedAction();
}

}  // namespace qy::app
