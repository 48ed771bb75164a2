#include "app/dialogs/indent_spacing_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/qt_text.h"

namespace qy::app {

IndentSpacingDialog::IndentSpacingDialog(IndentDialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setWindowTitle(ToQt(model_.Caption()));
  const SliderSetup& setup = model_.slider();
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setRange(setup.minimum, setup.maximum);
  slider_->setSingleStep(setup.line_step);
  slider_->setPageStep(setup.page_step);
  slider_->setTickInterval(setup.tick);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setValue(model_.value());
  auto* label = new QLabel(ToQt(model_.SliderLabel()), this);
  label->setBuddy(slider_);
  auto* value = new QLabel(QString::number(model_.value()), this);
  description_ = new QLabel(ToQt(model_.Description()), this);
  description_->setWordWrap(true);
  connect(slider_, &QSlider::valueChanged, this, [this, value](int twips) {
    model_.SetValue(twips);
    value->setText(QString::number(model_.value()));
    description_->setText(ToQt(model_.Description()));
  });

  insert_ = new QPushButton(ToQt(model_.InsertButtonCaption()), this);
  insert_->setDefault(true);
  connect(insert_, &QPushButton::clicked, this, [this] {
    choice_ = Choice::kInsert;
    accept();
  });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(insert_);
  if (model_.HasRightIndentButton()) {
    right_ = new QPushButton(QStringLiteral("右インデント(&R)"), this);
    connect(right_, &QPushButton::clicked, this, [this] {
      choice_ = Choice::kRightIndent;
      accept();
    });
    buttons->addWidget(right_);
  }
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(cancel);
  buttons->addStretch();

  auto* slider_row = new QHBoxLayout;
  slider_row->addWidget(slider_, 1);
  slider_row->addWidget(value);
  auto* left = new QVBoxLayout;
  left->addWidget(label);
  left->addLayout(slider_row);
  left->addWidget(description_);
  left->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  resize(460, 160);
}

void RunIndentSpacingDialog(Editor& editor, IndentDialogMode mode, QWidget* parent) {
  IndentDialogModel model(mode);
  IndentSpacingDialog dialog(model, parent);
  dialog.exec();
  switch (dialog.choice()) {
    case IndentSpacingDialog::Choice::kInsert:
      model.Insert(editor);
      break;
    case IndentSpacingDialog::Choice::kRightIndent:
      model.InsertRightIndent(editor);
      break;
    case IndentSpacingDialog::Choice::kNone:
      break;
  }
}

}  // namespace qy::app
