// Message boxes for a headless run: messages go to an output stream as UTF-8,
// questions are answered by the command line (--yes) instead of waiting on
// standard input.
#pragma once

#include <ostream>
#include <string>

#include "core/prompter.h"

namespace qy::cli {

class ConsolePrompter : public Prompter {
 public:
  ConsolePrompter(std::ostream& out, bool assume_yes) : out_(out), assume_yes_(assume_yes) {}

  void Information(const std::string& text) override;
  void Warning(const std::string& text) override;
  void Error(const std::string& text) override;
  Answer Ask(const std::string& text, Buttons buttons, Beep beep,
             const std::string& caption) override;
  Answer AskWithOptOut(const std::string& caption, const std::string& text, bool* opt_out) override;

  // Number of warnings and errors shown; a command that showed one failed.
  int problems() const { return problems_; }
  // True when a question was declined because --yes was not given.
  bool declined() const { return declined_; }

 private:
  void Print(const std::string& sjis);

  std::ostream& out_;
  bool assume_yes_;
  int problems_ = 0;
  bool declined_ = false;
};

// A Shift-JIS message as console lines: UTF-8, CR LF (or a lone CR) as LF.
std::string ConsoleLines(const std::string& sjis);
// The same without the leading blank line that message boxes use.
std::string ConsoleText(const std::string& sjis);

}  // namespace qy::cli
