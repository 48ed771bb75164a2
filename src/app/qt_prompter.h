// Message boxes with their beeps, for the logic's Prompter interface.
#pragma once

#include <QWidget>

#include "core/prompter.h"

namespace qy::app {

class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent) : parent_(parent) {}

  void Information(const std::string& text) override;
  void Warning(const std::string& text) override;
  void Error(const std::string& text) override;
  Answer Ask(const std::string& text, Buttons buttons, Beep beep,
             const std::string& caption) override;
  Answer AskWithOptOut(const std::string& caption, const std::string& text, bool* opt_out) override;
  std::optional<BoxButton> ShowMessageBox(const MessageBoxRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace qy::app
