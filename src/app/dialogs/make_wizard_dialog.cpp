#include "app/dialogs/make_wizard_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/qt_text.h"
#include "core/codec.h"

namespace qy::app {

MakeWizardDialog::MakeWizardDialog(const MakeWizardChoices& opened,
                                   std::function<void(int)> show_help, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(ToQt(Sjis("ヘルプファイル作成ウィザード")));
  setObjectName("TfrmMakeWiz");
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(ToQt(Sjis("　オプションを選択して 「OK」 ボタンを押してください。"
                                    "ここで設定した内容はプロジェクト毎に保存されます。")),
                          this);
  note->setWordWrap(true);
  layout->addWidget(note);
  const char* const captions[] = {
      "CNTファイルを自動作成しない(&C)", "HPJファイルを自動作成しない(&P)",
      "HHファイルを自動作成しない(&F)", "コンパイル前にプロジェクトを自動保存する(&S)",
      "圧縮オプションを無視して必ず圧縮する(&M)"};
  const bool ticked[] = {opened.no_contents_file, opened.no_help_project, opened.no_map_header,
                         opened.save_first, opened.always_compress};
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    boxes_[i] = new QCheckBox(ToQt(Sjis(captions[i])), this);
    boxes_[i]->setChecked(ticked[i]);
    layout->addWidget(boxes_[i]);
  }
  layout->addStretch(1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(ToQt(Sjis("キャンセル")), QDialogButtonBox::RejectRole);
  QPushButton* help = buttons->addButton(ToQt(Sjis("ヘルプ(&H)")), QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [show_help] {
    if (show_help) show_help(kMakeWizardHelpContext);
  });
  layout->addWidget(buttons);
  resize(420, sizeHint().height());
  CentreOver(*this, parent);
}

MakeWizardChoices MakeWizardDialog::Chosen() const {
  MakeWizardChoices chosen;
  chosen.no_contents_file = boxes_[0]->isChecked();
  chosen.no_help_project = boxes_[1]->isChecked();
  chosen.no_map_header = boxes_[2]->isChecked();
  chosen.save_first = boxes_[3]->isChecked();
  chosen.always_compress = boxes_[4]->isChecked();
  return chosen;
}

}  // namespace qy::app
