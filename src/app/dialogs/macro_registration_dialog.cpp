#include "app/dialogs/macro_registration_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/native_path.h"

namespace qy::app {

MacroRegistrationDialog::MacroRegistrationDialog(Settings& settings, Prompter& prompter,
                                                 std::function<void(const std::string&)> edit,
                                                 QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      prompter_(prompter),
      list_(ReadMacroRegistrations(settings)) {
  setWindowTitle(ToQt(Sjis("QYマクロの登録")));
  setObjectName("TfrmMenuSet");
  auto* layout = new QVBoxLayout(this);
  auto* halves = new QHBoxLayout;
  panel_ = new MacroFilePanel(MacroFolder(settings_), this);
  halves->addWidget(panel_, 1);
  auto* right = new QGridLayout;
  title_ = NewFieldEdit(this);
  auto* title_caption = new QLabel(ToQt(Sjis("QYマクロタイトル(&T) :")), this);
  title_caption->setBuddy(title_);
  registered_ = new QListWidget(this);
  right->addWidget(title_caption, 0, 0);
  right->addWidget(title_, 1, 0);
  right->addWidget(registered_, 2, 0);
  auto* side = new QVBoxLayout;
  for (const char* caption : {"追加(&A)", "変更(&C)", "削除(&D)", "上(&U)", "下(&N)", "編集(&E)"}) {
    buttons_.push_back(new QPushButton(ToQt(Sjis(caption)), this));
    side->addWidget(buttons_.back());
  }
  side->addStretch(1);
  right->addLayout(side, 0, 1, 3, 1);
  right->setRowStretch(2, 1);
  halves->addLayout(right, 1);
  layout->addLayout(halves, 1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(ToQt(Sjis("キャンセル")), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &MacroRegistrationDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  // A chosen file offers its title line as the entry's title.
  connect(panel_, &MacroFilePanel::selectionChanged, this, [this] {
    if (!panel_->SelectedTitle().empty()) title_->setText(ToQt(panel_->SelectedTitle()));
  });
  connect(registered_, &QListWidget::currentRowChanged, this,
          [this](int row) { list_.Select(row); });
  connect(buttons_[0], &QPushButton::clicked, this, [this] {
    if (list_.Add(PathToSjis(panel_->SelectedFile()), FromQt(title_->text()))) ShowList();
  });
  ConnectRegistrationEdits(this, buttons_[1], buttons_[2], buttons_[3], buttons_[4], list_,
                           &ask_title, [this] { ShowList(); });
  connect(buttons_[5], &QPushButton::clicked, this, [this, edit] {
    const std::string path = panel_->SelectedPath();
    if (!path.empty() && edit) edit(path);
  });
  ShowList();
  resize(720, 480);
  CentreOver(*this, parent);
}

void MacroRegistrationDialog::ShowList() {
  const QSignalBlocker quiet(registered_);
  registered_->clear();
  for (const MacroRegistration& entry : list_.entries()) {
    registered_->addItem(ToQt(entry.title) + QStringLiteral("  (") + ToQt(entry.file) + ')');
  }
  registered_->setCurrentRow(list_.selected());
}

void MacroRegistrationDialog::accept() {
  if (FileResult written = WriteMacroRegistrations(settings_, list_.entries()); !written) {
    prompter_.Error(SettingsWriteError(settings_, written));
    return;  // the list stays for another try
  }
  QDialog::accept();
}

}  // namespace qy::app
