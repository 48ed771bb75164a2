// The modeless normal find dialog ("通常の検索"): one text with its history,
// the case, close-after-search and next-page boxes, and the find next and
// find previous buttons. Every rule is NormalFindDialog's
// (markup/find_dialog.h); at most one is open.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>

#include "core/editor.h"
#include "core/settings.h"
#include "markup/find_again.h"
#include "markup/find_dialog.h"
#include "markup/find_session.h"

namespace qy::app {

class NormalFindWindow : public QDialog {
  Q_OBJECT

 public:
  // Deletes itself when closed; the settings are stored then.
  NormalFindWindow(FindSession& session, Settings& settings, FindTarget target, QWidget* main);
  ~NormalFindWindow() override;

  NormalFindDialog& model() { return dialog_; }
  QComboBox* find_box() const { return find_box_; }
  QCheckBox* case_box() const { return case_box_; }
  QCheckBox* close_box() const { return close_box_; }
  QCheckBox* auto_box() const { return auto_box_; }
  QPushButton* next_button() const { return next_; }
  QPushButton* previous_button() const { return previous_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override { close(); }

 private:
  void Press(FindDirection direction);

  NormalFindDialog dialog_;
  FindTarget target_;
  QComboBox* find_box_ = nullptr;
  QCheckBox* case_box_ = nullptr;
  QCheckBox* close_box_ = nullptr;
  QCheckBox* auto_box_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* previous_ = nullptr;
  bool closed_ = false;
};

}  // namespace qy::app
