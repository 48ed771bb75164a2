// "ヘルプファイル作成ウィザード": the five choices kept with the project.
// OK hands them back; the window stores them and builds.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <array>
#include <functional>

#include "build/make_wizard.h"

namespace qy::app {

inline constexpr int kMakeWizardHelpContext = 34;

class MakeWizardDialog : public QDialog {
  Q_OBJECT

 public:
  MakeWizardDialog(const MakeWizardChoices& opened, std::function<void(int)> show_help,
                   QWidget* parent = nullptr);

  MakeWizardChoices Chosen() const;
  // In the order of MakeWizardChoices' fields.
  QCheckBox* Box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }

 private:
  std::array<QCheckBox*, 5> boxes_{};
};

}  // namespace qy::app
