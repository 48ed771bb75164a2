#include "app/dialogs/page_link_window.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/qt_text.h"

namespace qy::app {

PageLinkWindow::PageLinkWindow(PageLinkDialog& model, PageNavigator& navigator, Editor& editor,
                               Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      model_(model),
      navigator_(navigator),
      editor_(editor),
      prompter_(prompter),
      context_(new QRadioButton(QStringLiteral("コンテキスト(&C)"), this)),
      title_(new QRadioButton(QStringLiteral("タイトル(&T)"), this)),
      box_(new QLineEdit(this)),
      list_(new QListWidget(this)),
      jump_(new QPushButton(QStringLiteral("ジャンプ"), this)) {
  setWindowTitle(QStringLiteral("ページリンク"));
  (model_.field() == PageLinkField::kTitle ? title_ : context_)->setChecked(true);
  box_->setText(ToQt(model_.text));
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  jump_->setDefault(true);

  auto* choices = new QHBoxLayout;
  choices->addWidget(context_);
  choices->addWidget(title_);
  choices->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(jump_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(box_);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  connect(box_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.text = FromQt(text); });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    model_.Select(row);
    if (row < 0 || row >= static_cast<int>(model_.list().size())) return;
    model_.text = model_.list()[static_cast<std::size_t>(row)];
    box_->setText(ToQt(model_.text));
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, &PageLinkWindow::Jump);
  connect(title_, &QRadioButton::toggled, this, [this](bool on) {
    model_.SetField(on ? PageLinkField::kTitle : PageLinkField::kContext);
    FillList();
  });
  connect(jump_, &QPushButton::clicked, this, &PageLinkWindow::Jump);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  FillList();
  box_->setFocus();
  resize(320, 360);
}

void PageLinkWindow::FillList() {
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (const std::string& value : model_.list()) list_->addItem(ToQt(value));
  list_->setCurrentRow(model_.selected());
  if (model_.selected() >= 0) list_->scrollToItem(list_->item(model_.selected()));
}

void PageLinkWindow::Jump() {
  if (model_.Jump(navigator_, editor_, prompter_)) accept();
}

void RunPageLinkDialog(const ProjectModel& project, PageNavigator& navigator, Editor& editor,
                       Prompter& prompter, QWidget* parent) {
  PageLinkDialog model(project, editor.SelText());
  PageLinkWindow dialog(model, navigator, editor, prompter, parent);
  CentreOver(dialog, parent);
  dialog.exec();
}

}  // namespace qy::app
