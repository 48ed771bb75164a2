#include "app/dialogs/other_shortcuts_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qy::app {

namespace {

// A group box of radio buttons whose ids are their indexes; the first is
// checked.
QButtonGroup* RadioGroup(const QString& title, const QStringList& captions, QWidget* page,
                         QBoxLayout* into) {
  auto* box = new QGroupBox(title, page);
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(page);
  for (int i = 0; i < captions.size(); ++i) {
    auto* radio = new QRadioButton(captions[i], box);
    group->addButton(radio, i);
    layout->addWidget(radio);
  }
  group->button(0)->setChecked(true);
  into->addWidget(box);
  return group;
}

}  // namespace

OtherShortcutsDialog::OtherShortcutsDialog(OtherShortcutsTab tab, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("その他のショートカット"));
  tabs_ = new QTabWidget(this);
  auto* lines = new QWidget(tabs_);
  auto* lines_layout = new QHBoxLayout(lines);
  positions_ = RadioGroup(
      QStringLiteral("位置"),
      {QStringLiteral("上線(&T)"), QStringLiteral("下線(&B)"), QStringLiteral("右線(&R)"),
       QStringLiteral("左線(&L)"), QStringLiteral("ボックス(&X)")},
      lines, lines_layout);
  kinds_ = RadioGroup(QStringLiteral("種類"),
                      {QStringLiteral("普通線(&N)"), QStringLiteral("太い線(&O)"),
                       QStringLiteral("二重線(&D)"), QStringLiteral("影付き線(&S)")},
                      lines, lines_layout);
  auto* other = new QWidget(tabs_);
  auto* other_layout = new QHBoxLayout(other);
  others_ = RadioGroup(QStringLiteral("挿入する書式"),
                       {QStringLiteral("非スクロール領域(&N)"), QStringLiteral("折り返さない(&K)")},
                       other, other_layout);
  tabs_->addTab(lines, QStringLiteral("線を挿入"));
  tabs_->addTab(other, QStringLiteral("その他を挿入"));
  tabs_->setCurrentIndex(tab == OtherShortcutsTab::kLines ? 0 : 1);

  insert_ = new QPushButton(QStringLiteral("挿入(&I)"), this);
  insert_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  connect(insert_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(insert_);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
}

OtherShortcutsChoice OtherShortcutsDialog::Choice() const {
  OtherShortcutsChoice choice;
  choice.tab = tabs_->currentIndex() == 0 ? OtherShortcutsTab::kLines : OtherShortcutsTab::kOther;
  choice.position = static_cast<BorderPosition>(positions_->checkedId());
  choice.kind = static_cast<BorderKind>(kinds_->checkedId());
  choice.other = static_cast<OtherShortcut>(others_->checkedId());
  return choice;
}

void RunOtherShortcutsDialog(Editor& editor, OtherShortcutsTab tab, QWidget* parent) {
  OtherShortcutsDialog dialog(tab, parent);
  if (dialog.exec() == QDialog::Accepted) InsertOtherShortcut(editor, dialog.Choice());
}

}  // namespace qy::app
