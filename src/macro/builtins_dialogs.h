// MacroDialogs on top of the application's Prompter: MessageBox maps the
// Windows style bits onto the prompter's buttons and beeps and the answer back
// onto the Windows button codes; InputBox asks a function of the host's (a
// prompter has no input box).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/prompter.h"
#include "macro/poor_pascal.h"

namespace qy {

// Windows button codes a message box answers with.
namespace message_box {
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
inline constexpr int kIdTryAgain = 10;
inline constexpr int kIdContinue = 11;
}  // namespace message_box

// The code of the default button of a box with the MB_* style `flags`
// (MB_DEFBUTTON2 picks the second button of its type, and so on); what a box
// answers when nobody is there to press a button.
int DefaultButtonCode(std::uint32_t flags);

using InputBoxFunction = std::function<std::optional<std::string>(
    const std::string& caption, const std::string& prompt, const std::string& default_value)>;

class PrompterDialogs : public MacroDialogs {
 public:
  // Without `input` every InputBox counts as cancelled.
  explicit PrompterDialogs(Prompter& prompter, InputBoxFunction input = {})
      : prompter_(prompter), input_(std::move(input)) {}

  // Boxes with three buttons of their own (abort/retry/ignore,
  // cancel/try again/continue) become yes/no/cancel questions, retry/cancel an
  // OK/cancel one; the answer is given back as the button it stands for.
  int MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& default_value) override;

 private:
  Prompter& prompter_;
  InputBoxFunction input_;
};

}  // namespace qy
