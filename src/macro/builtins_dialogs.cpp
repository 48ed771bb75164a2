#include "macro/builtins_dialogs.h"

#include <array>
#include <vector>

namespace qy {

namespace {

// Windows MB_* style bits.
constexpr std::uint32_t kTypeMask = 0x0F;
constexpr std::uint32_t kIconMask = 0xF0;
constexpr std::uint32_t kIconHand = 0x10;
constexpr std::uint32_t kIconQuestion = 0x20;
constexpr std::uint32_t kIconExclamation = 0x30;
constexpr std::uint32_t kIconAsterisk = 0x40;

struct BoxKind {
  Buttons buttons;
  // Codes for the prompter's answers OK, Cancel, Yes and No.
  std::array<int, 4> codes;
};

BoxKind KindOf(std::uint32_t type) {
  using namespace message_box;
  switch (type) {
    case 1:  // MB_OKCANCEL
      return {Buttons::kOkCancel, {kIdOk, kIdCancel, kIdOk, kIdCancel}};
    case 2:  // MB_ABORTRETRYIGNORE
      return {Buttons::kYesNoCancel, {kIdRetry, kIdAbort, kIdRetry, kIdIgnore}};
    case 3:  // MB_YESNOCANCEL
      return {Buttons::kYesNoCancel, {kIdYes, kIdCancel, kIdYes, kIdNo}};
    case 4:  // MB_YESNO
      return {Buttons::kYesNo, {kIdYes, kIdNo, kIdYes, kIdNo}};
    case 5:  // MB_RETRYCANCEL
      return {Buttons::kOkCancel, {kIdRetry, kIdCancel, kIdRetry, kIdCancel}};
    case 6:  // MB_CANCELTRYCONTINUE
      return {Buttons::kYesNoCancel, {kIdTryAgain, kIdCancel, kIdTryAgain, kIdContinue}};
    default:  // MB_OK and unknown types
      return {Buttons::kOk, {kIdOk, kIdOk, kIdOk, kIdOk}};
  }
}

Beep BeepOf(std::uint32_t icon) {
  switch (icon) {
    case kIconHand:
      return Beep::kHand;
    case kIconQuestion:
      return Beep::kQuestion;
    case kIconExclamation:
      return Beep::kExclamation;
    case kIconAsterisk:
      return Beep::kAsterisk;
    default:
      return Beep::kNone;
  }
}

}  // namespace

int DefaultButtonCode(std::uint32_t flags) {
  using namespace message_box;
  // The buttons of each box type, MB_OK to MB_CANCELTRYCONTINUE, in their
  // order on the box.
  static const std::vector<std::vector<int>> kButtons = {{kIdOk},
                                                         {kIdOk, kIdCancel},
                                                         {kIdAbort, kIdRetry, kIdIgnore},
                                                         {kIdYes, kIdNo, kIdCancel},
                                                         {kIdYes, kIdNo},
                                                         {kIdRetry, kIdCancel},
                                                         {kIdCancel, kIdTryAgain, kIdContinue}};
  const std::uint32_t type = flags & kTypeMask;
  if (type >= kButtons.size()) return kIdOk;
  const std::vector<int>& buttons = kButtons[type];
  const std::uint32_t default_button = (flags >> 8) & 0xF;
  return default_button < buttons.size() ? buttons[default_button] : buttons[0];
}

int PrompterDialogs::MessageBox(const std::string& text, const std::string& caption,
                                std::uint32_t flags) {
  const BoxKind kind = KindOf(flags & kTypeMask);
  const Answer answer = prompter_.Ask(text, kind.buttons, BeepOf(flags & kIconMask), caption);
  switch (answer) {
    case Answer::kOk:
      return kind.codes[0];
    case Answer::kCancel:
      return kind.codes[1];
    case Answer::kYes:
      return kind.codes[2];
    case Answer::kNo:
      return kind.codes[3];
  }
  return 0;
}

std::optional<std::string> PrompterDialogs::InputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& default_value) {
  if (!input_) return std::nullopt;
  return input_(caption, prompt, default_value);
}

}  // namespace qy
