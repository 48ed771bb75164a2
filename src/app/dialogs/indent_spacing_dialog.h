// The indent and line-spacing dialog: a slider in twips whose description
// follows it, and the buttons that put the selection into an indented or
// spaced paragraph. Every rule is IndentDialogModel's.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "core/editor.h"
#include "markup/format_indent_dialog.h"

namespace qy::app {

class IndentSpacingDialog : public QDialog {
  Q_OBJECT

 public:
  // What closed the dialog.
  enum class Choice { kNone, kInsert, kRightIndent };

  IndentSpacingDialog(IndentDialogModel& model, QWidget* parent);

  Choice choice() const { return choice_; }
  QSlider* slider() const { return slider_; }
  QLabel* description() const { return description_; }
  QPushButton* insert_button() const { return insert_; }
  QPushButton* right_indent_button() const { return right_; }

 private:
  IndentDialogModel& model_;
  Choice choice_ = Choice::kNone;
  QSlider* slider_ = nullptr;
  QLabel* description_ = nullptr;
  QPushButton* insert_ = nullptr;
  QPushButton* right_ = nullptr;
};

// The indent and line-spacing commands on a non-empty selection: shows the
// dialog over `parent` and replaces the selection as one edit.
void RunIndentSpacingDialog(Editor& editor, IndentDialogMode mode, QWidget* parent);

}  // namespace qy::app
