// Message boxes and questions. Core logic talks only to this interface; the
// desktop window implements it with real dialogs, tests with a scripted fake.
// Every text is Shift-JIS.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qy {

// The beep that precedes a box.
enum class Beep { kNone, kAsterisk, kExclamation, kQuestion, kHand };

enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };

enum class Answer { kOk, kCancel, kYes, kNo };

// The buttons of a system message box; each value is the code the box
// answers with when it is pressed.
enum class BoxButton {
  kOk = 1,
  kCancel = 2,
  kAbort = 3,
  kRetry = 4,
  kIgnore = 5,
  kYes = 6,
  kNo = 7,
  kTryAgain = 10,
  kContinue = 11,
};

// A message box with any buttons of the system's sets, as a macro asks for
// one. `icon` is given as the beep that belongs to it.
struct MessageBoxRequest {
  std::string text;
  std::string caption;
  std::vector<BoxButton> buttons;
  Beep icon = Beep::kNone;
  std::size_t default_button = 0;  // index into `buttons`
};

class Prompter {
 public:
  virtual ~Prompter() = default;

  // Information box (asterisk beep, OK).
  virtual void Information(const std::string& text) = 0;
  // Warning box (exclamation beep, OK).
  virtual void Warning(const std::string& text) = 0;
  // Error box (hand beep, OK): unexpected failures such as a file that can not
  // be written.
  virtual void Error(const std::string& text) = 0;
  // A question with the given buttons and beep; `caption` empty means the
  // application's title.
  virtual Answer Ask(const std::string& text, Buttons buttons, Beep beep = Beep::kQuestion,
                     const std::string& caption = "") = 0;
  // Yes/No question with the check box "今後、このメッセージを表示しない(&I)".
  // Returns kYes or kNo; *opt_out receives the check box state.
  virtual Answer AskWithOptOut(const std::string& caption, const std::string& text,
                               bool* opt_out) = 0;
  // Shows `request` with exactly its buttons and returns the one pressed.
  // nullopt: this prompter has no such box, and the caller falls back on
  // Ask.
  virtual std::optional<BoxButton> ShowMessageBox(const MessageBoxRequest& request) {
    (void)request;
    return std::nullopt;
  }
};

// Shows nothing and answers OK/Yes: for benchmarks and fuzzing, where no one
// is there to answer.
class SilentPrompter : public Prompter {
 public:
  void Information(const std::string&) override {}
  void Warning(const std::string&) override {}
  void Error(const std::string&) override {}
  Answer Ask(const std::string&, Buttons buttons, Beep, const std::string&) override {
    return buttons == Buttons::kOk || buttons == Buttons::kOkCancel ? Answer::kOk : Answer::kYes;
  }
  Answer AskWithOptOut(const std::string&, const std::string&, bool* opt_out) override {
    if (opt_out) *opt_out = false;
    return Answer::kYes;
  }
};

}  // namespace qy
