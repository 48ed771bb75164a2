#include "app/dialogs/keyword_link_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt_text.h"
#include "markup/link_dialog_model.h"

namespace qy::app {

KeywordLinkDialog::KeywordLinkDialog(KeywordLinkModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setWindowTitle(ToQt(model_.Caption()));
  keyword_ = new QLineEdit(this);
  list_ = new QListWidget(this);
  list_label_ = new QLabel(ToQt(model_.ListLabel()), this);
  list_label_->setBuddy(keyword_);

  QStringList entries;
  for (const std::string& entry : model_.list()) entries << ToQt(entry);
  if (model_.ListSorted()) {
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
      return QString::localeAwareCompare(a, b) < 0;
    });
  }
  list_->addItems(entries);
  // A click or the arrow keys copy an entry into the box; the current item
  // the list makes for itself on getting the focus does not overwrite what
  // the user typed.
  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { keyword_->setText(item->text()); });
  connect(list_, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* item, QListWidgetItem* previous) {
            if (item && previous) keyword_->setText(item->text());
          });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Choose(HotspotForm::kNormal); });
  connect(keyword_, &QLineEdit::textChanged, this,
          [this](const QString& text) { model_.SetKeyword(FromQt(text)); });

  options_box_ = new HotspotOptionsBox(model_.options(), this);
  normal_ = new QPushButton(ToQt(model_.NormalButtonCaption()), this);
  button_ = new QPushButton(ToQt(model_.ButtonButtonCaption()), this);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  // Enter in the keyword box inserts the normal form, Esc cancels.
  normal_->setDefault(true);
  button_->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(normal_, &QPushButton::clicked, this, [this] { Choose(HotspotForm::kNormal); });
  connect(button_, &QPushButton::clicked, this, [this] { Choose(HotspotForm::kButton); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(list_label_);
  left->addWidget(keyword_);
  left->addWidget(list_, 1);
  left->addWidget(options_box_);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(normal_);
  buttons->addWidget(button_);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);

  resize(420, 300);
  setFixedSize(size().expandedTo(sizeHint()));
  if (parent) {
    const QRect main = parent->frameGeometry();
    const DialogOrigin at =
        CenterOver(main.left(), main.top(), main.width(), main.height(), width(), height());
    move(at.left, at.top);
  }
  keyword_->setFocus();
}

void KeywordLinkDialog::Choose(HotspotForm form) {
  chosen_form_ = form;
  accept();
}

void RunKeywordLinkDialog(const ProjectModel& project, Settings& settings, Editor& editor,
                          KeywordLinkMode mode, QWidget* parent) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  KeywordLinkModel model(project, settings, mode);
  model.Prepare();
  KeywordLinkDialog dialog(model, parent);
  QApplication::restoreOverrideCursor();
  dialog.exec();
  model.Close();
  if (dialog.chosen_form()) model.Insert(*dialog.chosen_form(), editor);
}

}  // namespace qy::app
