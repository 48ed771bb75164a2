// Pieces every dialog of the window shares: the 255-byte limit of the page
// and header fields while typing, the placement over the main window, and a
// status bar that shows the hint of the control under the mouse.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QStatusBar>
#include <QString>
#include <QValidator>
#include <string>

namespace qy::app {

// Refuses an edit that would make the Shift-JIS text longer than `limit`
// bytes, so that what the user sees is what is stored.
class ByteLimitValidator : public QValidator {
 public:
  explicit ByteLimitValidator(std::size_t limit, QObject* parent = nullptr)
      : QValidator(parent), limit_(limit) {}
  State validate(QString& input, int& pos) const override;

 private:
  std::size_t limit_;
};

// A line edit that takes at most 255 bytes of Shift-JIS text.
QLineEdit* NewFieldEdit(QWidget* parent);

// Modal dialogs sit centred over the window that opened them.
void CentreOver(QDialog& dialog, const QWidget* owner);

// Sets a control's hint as its tool tip and status-bar text ("" clears both).
void SetHint(QWidget* widget, const std::string& sjis_hint);

// A dialog with a status bar at its foot for the hints of its controls.
class HintedDialog : public QDialog {
 public:
  explicit HintedDialog(QWidget* parent) : QDialog(parent) {}

 protected:
  bool event(QEvent* event) override;
  QStatusBar* status_bar_ = nullptr;
};

}  // namespace qy::app
