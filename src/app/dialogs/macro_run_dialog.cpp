#include "app/dialogs/macro_run_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "macro/macro_registration_list.h"

namespace qy::app {

MacroRunDialog::MacroRunDialog(const std::string& native_folder,
                               std::function<void(const std::string&)> edit,
                               std::function<void(int)> show_help, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(ToQt(Sjis("QYマクロを指定して実行")));
  setObjectName("TfrmMacRun");
  auto* layout = new QVBoxLayout(this);
  panel_ = new MacroFilePanel(native_folder, this);
  layout->addWidget(panel_, 1);
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok_->setDefault(true);
  buttons->addButton(ToQt(Sjis("キャンセル")), QDialogButtonBox::RejectRole);
  QPushButton* edit_button =
      buttons->addButton(ToQt(Sjis("編集(&E)")), QDialogButtonBox::ActionRole);
  QPushButton* help = buttons->addButton(ToQt(Sjis("ヘルプ(&H)")), QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &MacroRunDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(panel_, &MacroFilePanel::fileActivated, this, &MacroRunDialog::accept);
  connect(edit_button, &QPushButton::clicked, this, [this, edit] {
    const std::string path = panel_->SelectedPath();
    if (!path.empty() && edit) edit(path);
  });
  connect(help, &QPushButton::clicked, this, [show_help] {
    if (show_help) show_help(kMacroRunHelpContext);
  });
  layout->addWidget(buttons);
  resize(520, 480);
  CentreOver(*this, parent);
}

void MacroRunDialog::accept() {
  chosen_ = panel_->SelectedPath();
  if (chosen_.empty()) return;  // OK needs a file
  QDialog::accept();
}

}  // namespace qy::app
