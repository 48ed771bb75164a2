#include "app/dialogs/new_page_wizard_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "core/codec.h"

namespace qy::app {

NewPageWizardDialog::NewPageWizardDialog(NewPageWizard& wizard, std::function<void(int)> show_help,
                                         QWidget* parent)
    : QDialog(parent), wizard_(wizard), show_help_(std::move(show_help)) {
  setWindowTitle(ToQt(Sjis("新規ページウィザード")));
  setObjectName("TfrmGrpWiz");
  auto* layout = new QVBoxLayout(this);
  prompt_ = new QLabel(this);
  prompt_->setWordWrap(true);
  prompt_->setMinimumHeight(40);
  layout->addWidget(prompt_);

  inputs_ = new QStackedWidget(this);
  // Text box.
  auto* text_page = new QWidget(inputs_);
  auto* text_layout = new QVBoxLayout(text_page);
  text_label_ = new QLabel(text_page);
  text_ = NewFieldEdit(text_page);
  text_->installEventFilter(this);
  text_label_->setBuddy(text_);
  text_layout->addWidget(text_label_);
  text_layout->addWidget(text_);
  text_layout->addStretch(1);
  inputs_->addWidget(text_page);
  // Choices.
  auto* choice_page = new QWidget(inputs_);
  auto* choice_layout = new QVBoxLayout(choice_page);
  auto* group = new QButtonGroup(this);
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    choices_[i] = new QRadioButton(choice_page);
    group->addButton(choices_[i], static_cast<int>(i));
    choice_layout->addWidget(choices_[i]);
  }
  choice_layout->addStretch(1);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) { wizard_.SetChoice(id); });
  inputs_->addWidget(choice_page);
  // Level slider.
  auto* level_page = new QWidget(inputs_);
  auto* level_layout = new QVBoxLayout(level_page);
  level_label_ = new QLabel(level_page);
  level_ = new QSlider(Qt::Horizontal, level_page);
  level_->setRange(1, kMaxBookLevel);
  level_->setPageStep(1);
  level_->setTickPosition(QSlider::TicksBelow);
  level_label_->setBuddy(level_);
  level_layout->addWidget(level_label_);
  level_layout->addWidget(level_);
  level_layout->addStretch(1);
  connect(level_, &QSlider::valueChanged, this, [this](int value) {
    if (showing_) return;
    wizard_.SetLevel(value);
    level_label_->setText(ToQt(wizard_.LevelLabel()));
    next_->setEnabled(wizard_.NextEnabled());
  });
  inputs_->addWidget(level_page);
  // Macro list.
  auto* macro_page = new QWidget(inputs_);
  auto* macro_layout = new QVBoxLayout(macro_page);
  macros_ = new QComboBox(macro_page);
  for (const std::string& title : wizard_.MacroList()) macros_->addItem(ToQt(title));
  macro_layout->addWidget(macros_);
  macro_layout->addStretch(1);
  connect(macros_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!showing_) wizard_.SetMacroSelection(index);
  });
  inputs_->addWidget(macro_page);
  inputs_->addWidget(new QWidget(inputs_));  // the finish screen has no input
  layout->addWidget(inputs_, 1);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  layout->addWidget(line);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  back_ = new QPushButton(ToQt(NewPageWizard::BackCaption()), this);
  next_ = new QPushButton(this);
  next_->setDefault(true);
  auto* cancel = new QPushButton(ToQt(Sjis("キャンセル")), this);
  auto* help = new QPushButton(ToQt(Sjis("ヘルプ(&H)")), this);
  for (QPushButton* button : {back_, next_, cancel, help}) buttons->addWidget(button);
  layout->addLayout(buttons);
  connect(back_, &QPushButton::clicked, this, [this] {
    wizard_.Back();
    ShowScreen();
  });
  connect(next_, &QPushButton::clicked, this, &NewPageWizardDialog::OnNext);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(kNewPageWizardHelpContext);
  });
  connect(text_, &QLineEdit::textEdited, this, [this](const QString& text) {
    // What the box does not take (a paste of letters into the ID box) goes.
    if (!wizard_.SetText(FromQt(text))) text_->setText(ToQt(wizard_.text()));
    next_->setEnabled(wizard_.NextEnabled());
  });

  resize(500, 260);
  ShowScreen();
  CentreOver(*this, parent);
}

void NewPageWizardDialog::OnNext() {
  if (wizard_.Input() == WizardInput::kTextBox) wizard_.SetText(FromQt(text_->text()));
  switch (wizard_.Next()) {
    case WizardStep::kFinished:
      accept();
      return;
    case WizardStep::kStayed:
      // The refused text stays for the user to correct.
      text_->setFocus();
      text_->selectAll();
      return;
    case WizardStep::kMoved:
      ShowScreen();
      return;
  }
}

void NewPageWizardDialog::ShowScreen() {
  showing_ = true;
  prompt_->setText(ToQt(wizard_.Prompt()));
  const WizardInput input = wizard_.Input();
  inputs_->setCurrentIndex(static_cast<int>(input));  // pages in WizardInput order
  switch (input) {
    case WizardInput::kTextBox:
      text_label_->setText(ToQt(wizard_.TextLabel()));
      text_->setMaxLength(wizard_.TextLimit() ? static_cast<int>(wizard_.TextLimit()) : 32767);
      text_->setText(ToQt(wizard_.text()));
      text_->setFocus();
      text_->selectAll();
      break;
    case WizardInput::kChoices: {
      const std::vector<std::string> texts = wizard_.Choices();
      for (std::size_t i = 0; i < choices_.size(); ++i) {
        choices_[i]->setVisible(i < texts.size());
        if (i < texts.size()) choices_[i]->setText(ToQt(texts[i]));
      }
      choices_[static_cast<std::size_t>(wizard_.choice())]->setChecked(true);
      choices_[static_cast<std::size_t>(wizard_.choice())]->setFocus();
      break;
    }
    case WizardInput::kLevelSlider:
      level_->setValue(wizard_.level());
      level_label_->setText(ToQt(wizard_.LevelLabel()));
      level_->setFocus();
      break;
    case WizardInput::kMacroList:
      macros_->setCurrentIndex(wizard_.macro_selection());
      macros_->setFocus();
      break;
    case WizardInput::kNone:
      next_->setFocus();
      break;
  }
  back_->setEnabled(wizard_.BackEnabled());
  next_->setText(ToQt(wizard_.NextCaption()));
  next_->setEnabled(wizard_.NextEnabled());
  showing_ = false;
}

bool NewPageWizardDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::KeyPress) {
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    const char16_t code = typed.isEmpty() ? 0 : typed.at(0).unicode();
    // Printable keys the box does not take (letters on the ID screen) beep.
    if (code >= 0x20 && code < 0x80 && !wizard_.KeyAllowed(static_cast<char>(code))) {
      QApplication::beep();
      return true;
    }
    if (code >= 0x80 && !wizard_.KeyAllowed('A')) {
      QApplication::beep();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qy::app
