// The other-shortcuts dialog: border lines and boxes on one tab, the
// non-scrolling region and no-wrap paragraphs on the other. "挿入(&I)"
// inserts what the open tab describes (markup/format_other_shortcuts.h).
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QPushButton>
#include <QTabWidget>

#include "core/editor.h"
#include "markup/format_other_shortcuts.h"

namespace qy::app {

class OtherShortcutsDialog : public QDialog {
  Q_OBJECT

 public:
  OtherShortcutsDialog(OtherShortcutsTab tab, QWidget* parent);

  // The choice of the open tab and its buttons.
  OtherShortcutsChoice Choice() const;

  QTabWidget* tabs() const { return tabs_; }
  QButtonGroup* positions() const { return positions_; }
  QButtonGroup* kinds() const { return kinds_; }
  QButtonGroup* others() const { return others_; }
  QPushButton* insert_button() const { return insert_; }

 private:
  QTabWidget* tabs_ = nullptr;
  QButtonGroup* positions_ = nullptr;
  QButtonGroup* kinds_ = nullptr;
  QButtonGroup* others_ = nullptr;
  QPushButton* insert_ = nullptr;
};

// The command: shows the dialog on `tab` and inserts on "挿入(&I)" as one
// edit.
void RunOtherShortcutsDialog(Editor& editor, OtherShortcutsTab tab, QWidget* parent);

}  // namespace qy::app
