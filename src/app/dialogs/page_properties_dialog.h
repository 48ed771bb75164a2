// "ページのプロパティ": the widgets over PagePropertiesModel. The model decides
// which rows show, what the ID box takes, the kind label and whether OK is
// possible; the dialog only mirrors it.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <array>
#include <functional>
#include <map>
#include <optional>

#include "app/dialogs/dialog_support.h"
#include "core/prompter.h"
#include "project/page_properties_model.h"

namespace qy::app {

// The kind buttons, left to right.
inline constexpr int kPageKindCount = 5;

class PagePropertiesDialog : public HintedDialog {
  Q_OBJECT

 public:
  // `show_help` shows the program's help at a context number.
  PagePropertiesDialog(PagePropertiesModel& model, Prompter& prompter, ConfirmKindChange confirm,
                       std::function<void(int)> show_help, QWidget* parent = nullptr);

  // Puts the focus into the box of `row` (or the nearest one the kind shows).
  void FocusRow(PageRow row);
  // What OK stored; nothing after Cancel.
  const std::optional<PagePropertiesOutcome>& outcome() const { return outcome_; }

  // The controls, for tests and screenshots.
  QWidget* Box(PageRow row) const { return boxes_.at(row); }
  QToolButton* KindButton(int index) const {
    return kind_buttons_[static_cast<std::size_t>(index)];
  }
  QLabel* kind_label() const { return kind_label_; }
  QPushButton* ok_button() const { return ok_; }
  QAction* find_free_context() const { return find_context_; }
  QAction* find_free_id() const { return find_id_; }

 public slots:
  void accept() override;
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildBoxes();
  void LoadBoxes();
  void ChooseKind(int index);
  void ShowKind();
  void ApplyViewOptions();
  QLineEdit* Edit(PageRow row) const { return static_cast<QLineEdit*>(boxes_.at(row)); }

  PagePropertiesModel& model_;
  Prompter& prompter_;
  ConfirmKindChange confirm_;
  std::function<void(int)> show_help_;
  std::optional<PagePropertiesOutcome> outcome_;

  std::map<PageRow, QWidget*> boxes_;
  std::map<PageRow, QLabel*> captions_;
  std::array<QToolButton*, kPageKindCount> kind_buttons_{};
  std::array<QAction*, kPageKindCount> kind_items_{};
  QLabel* kind_label_ = nullptr;
  QMenu* kind_popup_ = nullptr;
  QSlider* level_ = nullptr;
  QPushButton* ok_ = nullptr;
  QAction* find_context_ = nullptr;
  QAction* find_id_ = nullptr;
  QAction* tip_hints_ = nullptr;
  QAction* proportional_ = nullptr;
  QMenuBar* menu_bar_ = nullptr;
  bool filling_ = false;  // set while the dialog itself fills the boxes
};

}  // namespace qy::app
