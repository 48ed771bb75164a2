#include "app/qt_prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "app/qt_text.h"

namespace qy::app {

namespace {

const QString kTitle = QStringLiteral("Quillory");

void Sound(Beep beep) {
  if (beep != Beep::kNone) QApplication::beep();
}

QMessageBox::Icon IconOf(Beep beep) {
  switch (beep) {
    case Beep::kHand:
      return QMessageBox::Critical;
    case Beep::kQuestion:
      return QMessageBox::Question;
    case Beep::kExclamation:
      return QMessageBox::Warning;
    case Beep::kAsterisk:
      return QMessageBox::Information;
    case Beep::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

// Qt's own buttons carry its translated captions; the two it lacks get ours.
QAbstractButton* AddButton(QMessageBox& box, BoxButton button) {
  switch (button) {
    case BoxButton::kOk:
      return box.addButton(QMessageBox::Ok);
    case BoxButton::kCancel:
      return box.addButton(QMessageBox::Cancel);
    case BoxButton::kAbort:
      return box.addButton(QMessageBox::Abort);
    case BoxButton::kRetry:
      return box.addButton(QMessageBox::Retry);
    case BoxButton::kIgnore:
      return box.addButton(QMessageBox::Ignore);
    case BoxButton::kYes:
      return box.addButton(QMessageBox::Yes);
    case BoxButton::kNo:
      return box.addButton(QMessageBox::No);
    case BoxButton::kTryAgain:
      return box.addButton(QStringLiteral("再試行(&T)"), QMessageBox::AcceptRole);
    case BoxButton::kContinue:
      return box.addButton(QStringLiteral("続行(&C)"), QMessageBox::AcceptRole);
  }
  return nullptr;
}

}  // namespace

void QtPrompter::Information(const std::string& text) {
  Sound(Beep::kAsterisk);
  QMessageBox::information(parent_, kTitle, ToQt(text));
}

void QtPrompter::Warning(const std::string& text) {
  Sound(Beep::kExclamation);
  QMessageBox::warning(parent_, kTitle, ToQt(text));
}

void QtPrompter::Error(const std::string& text) {
  Sound(Beep::kHand);
  QMessageBox::critical(parent_, kTitle, ToQt(text));
}

Answer QtPrompter::Ask(const std::string& text, Buttons buttons, Beep beep,
                       const std::string& caption) {
  Sound(beep);
  QMessageBox box(parent_);
  box.setWindowTitle(caption.empty() ? kTitle : ToQt(caption));
  box.setText(ToQt(text));
  box.setIcon(beep == Beep::kExclamation ? QMessageBox::Warning : QMessageBox::Question);
  QMessageBox::StandardButtons set;
  switch (buttons) {
    case Buttons::kOk:
      set = QMessageBox::Ok;
      break;
    case Buttons::kOkCancel:
      set = QMessageBox::Ok | QMessageBox::Cancel;
      break;
    case Buttons::kYesNo:
      set = QMessageBox::Yes | QMessageBox::No;
      break;
    case Buttons::kYesNoCancel:
      set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      break;
  }
  box.setStandardButtons(set);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    case QMessageBox::Ok:
      return Answer::kOk;
    default:
      return Answer::kCancel;
  }
}

Answer QtPrompter::AskWithOptOut(const std::string& caption, const std::string& text,
                                 bool* opt_out) {
  Sound(Beep::kQuestion);
  QMessageBox box(parent_);
  box.setWindowTitle(ToQt(caption));
  box.setText(ToQt(text));
  box.setIcon(QMessageBox::Question);
  QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
  box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
  auto* check = new QCheckBox(QStringLiteral("今後、このメッセージを表示しない(&I)"));
  box.setCheckBox(check);
  box.exec();
  if (opt_out) *opt_out = check->isChecked();
  return box.clickedButton() == yes ? Answer::kYes : Answer::kNo;
}

}  // namespace qy::app

namespace qy::app {

std::optional<BoxButton> QtPrompter::ShowMessageBox(const MessageBoxRequest& request) {
  Sound(request.icon);
  QMessageBox box(parent_);
  box.setWindowTitle(request.caption.empty() ? kTitle : ToQt(request.caption));
  box.setText(ToQt(request.text));
  box.setIcon(IconOf(request.icon));
  std::vector<std::pair<QAbstractButton*, BoxButton>> buttons;
  for (BoxButton button : request.buttons) buttons.emplace_back(AddButton(box, button), button);
  if (request.default_button < buttons.size()) {
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons[request.default_button].first));
  }
  box.exec();
  for (const auto& [widget, button] : buttons) {
    if (widget == box.clickedButton()) return button;
  }
  // Closed without a button (Esc with no cancel button): the system answers
  // with the only button or cancel.
  return request.buttons.size() == 1 ? request.buttons.front() : BoxButton::kCancel;
}

}  // namespace qy::app
