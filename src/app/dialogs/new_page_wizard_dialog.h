// "新規ページウィザード": one question per screen, shown from NewPageWizard.
// The wizard decides the screens, their texts and which inputs it takes; the
// dialog shows the current screen's one input area and passes back what the
// user entered.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <array>
#include <functional>

#include "app/dialogs/dialog_support.h"
#include "project/new_page_wizard.h"

namespace qy::app {

class NewPageWizardDialog : public QDialog {
  Q_OBJECT

 public:
  NewPageWizardDialog(NewPageWizard& wizard, std::function<void(int)> show_help,
                      QWidget* parent = nullptr);

  // The controls, for tests and screenshots.
  QLabel* prompt() const { return prompt_; }
  QLineEdit* text_box() const { return text_; }
  QRadioButton* choice(int index) const { return choices_[static_cast<std::size_t>(index)]; }
  QSlider* level_slider() const { return level_; }
  QLabel* level_label() const { return level_label_; }
  QComboBox* macro_list() const { return macros_; }
  QPushButton* back_button() const { return back_; }
  QPushButton* next_button() const { return next_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnNext();
  void ShowScreen();

  NewPageWizard& wizard_;
  std::function<void(int)> show_help_;
  QLabel* prompt_ = nullptr;
  QStackedWidget* inputs_ = nullptr;
  QLabel* text_label_ = nullptr;
  QLineEdit* text_ = nullptr;
  std::array<QRadioButton*, 3> choices_{};
  QSlider* level_ = nullptr;
  QLabel* level_label_ = nullptr;
  QComboBox* macros_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* next_ = nullptr;
  bool showing_ = false;  // set while the dialog fills the controls itself
};

}  // namespace qy::app
