// The page-link dialog ("ページリンク"): jumps to the page whose context
// string or title is the typed text. Every rule is PageLinkDialog's
// (markup/find_page_link.h).
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/editor.h"
#include "core/prompter.h"
#include "markup/find_page_link.h"

namespace qy::app {

class PageLinkWindow : public QDialog {
  Q_OBJECT

 public:
  PageLinkWindow(PageLinkDialog& model, PageNavigator& navigator, Editor& editor,
                 Prompter& prompter, QWidget* parent);

  QRadioButton* context_choice() const { return context_; }
  QRadioButton* title_choice() const { return title_; }
  QLineEdit* text_box() const { return box_; }
  QListWidget* list() const { return list_; }
  QPushButton* jump_button() const { return jump_; }

 private:
  void FillList();
  void Jump();

  PageLinkDialog& model_;
  PageNavigator& navigator_;
  Editor& editor_;
  Prompter& prompter_;
  QRadioButton* context_ = nullptr;
  QRadioButton* title_ = nullptr;
  QLineEdit* box_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* jump_ = nullptr;
};

// The command: opens the dialog over `parent` with the editor's selection.
void RunPageLinkDialog(const ProjectModel& project, PageNavigator& navigator, Editor& editor,
                       Prompter& prompter, QWidget* parent);

}  // namespace qy::app
