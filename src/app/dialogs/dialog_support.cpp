#include "app/dialogs/dialog_support.h"

#include <QStatusTipEvent>

#include "app/qt_text.h"
#include "core/cp932.h"

namespace qy::app {

QValidator::State ByteLimitValidator::validate(QString& input, int&) const {
  return FromQt(input).size() <= limit_ ? Acceptable : Invalid;
}

QLineEdit* NewFieldEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setValidator(new ByteLimitValidator(kFieldLimit, edit));
  return edit;
}

void CentreOver(QDialog& dialog, const QWidget* owner) {
  if (!owner) return;
  const QRect frame = owner->frameGeometry();
  dialog.move(frame.left() + frame.width() / 2 - dialog.width() / 2,
              frame.top() + frame.height() / 2 - dialog.height() / 2);
}

void SetHint(QWidget* widget, const std::string& sjis_hint) {
  const QString hint = ToQt(sjis_hint);
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

bool HintedDialog::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip && status_bar_) {
    status_bar_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QDialog::event(event);
}

}  // namespace qy::app
