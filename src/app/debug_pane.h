// The debug view: the help compiler's notes, warnings and errors, one row
// each with kind, code and message; double-click asks for help on the
// row's code, the context menu for Help Workshop's help on it.
#pragma once

#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "build/compiler_log.h"

namespace qy::app {

class DebugPane : public QTreeWidget, public DebugView {
  Q_OBJECT

 public:
  explicit DebugPane(QWidget* parent = nullptr);

  void SetEntries(const std::vector<DebugEntry>& entries) override;
  void ShowView(bool shown) override;

  // The code of the selected row, "" when none is selected.
  std::string SelectedCode() const;

  // Called when the pane is to be shown or hidden (the window keeps its
  // menu item in step).
  std::function<void(bool)> on_show_view;

 signals:
  void codeHelpRequested(const QString& code);
  // "HCWのヘルプ(&W)": Help Workshop's help, whatever the code list says.
  void workshopHelpRequested(const QString& code);
};

}  // namespace qy::app
