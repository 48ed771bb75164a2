#include "app/qt_prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt_text.h"

namespace qy::app {

namespace {

const QString kTitle = QStringLiteral("Quillory");

void Sound(Beep beep) {
  if (beep != Beep::kNone) QApplication::beep();
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
    case Buttons::kOk: set = QMessageBox::Ok; break;
    case Buttons::kOkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::kYesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::kYesNoCancel:
      set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      break;
  }
  box.setStandardButtons(set);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::kYes;
    case QMessageBox::No: return Answer::kNo;
    case QMessageBox::Ok: return Answer::kOk;
    default: return Answer::kCancel;
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
