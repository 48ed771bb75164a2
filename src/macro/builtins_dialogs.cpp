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
constexpr std::uint32_t kDefaultMask = 0xF00;

std::vector<BoxButton> ButtonsOf(std::uint32_t type) {
  using B = BoxButton;
  switch (type) {
    case 1:
      return {B::kOk, B::kCancel};
    case 2:
      return {B::kAbort, B::kRetry, B::kIgnore};
    case 3:
      return {B::kYes, B::kNo, B::kCancel};
    case 4:
      return {B::kYes, B::kNo};
    case 5:
      return {B::kRetry, B::kCancel};
    case 6:
      return {B::kCancel, B::kTryAgain, B::kContinue};
    default:
      return {B::kOk};
  }
}

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

MessageBoxRequest MessageBoxRequestOf(const std::string& text, const std::string& caption,
                                      std::uint32_t flags) {
  MessageBoxRequest request;
  request.text = text;
  request.caption = caption;
  request.buttons = ButtonsOf(flags & kTypeMask);
  request.icon = BeepOf(flags & kIconMask);
  const std::size_t default_button = (flags & kDefaultMask) >> 8;
  request.default_button = default_button < request.buttons.size() ? default_button : 0;
  return request;
}

int DefaultButtonCode(std::uint32_t flags) {
  const MessageBoxRequest request = MessageBoxRequestOf("", "", flags);
  return static_cast<int>(request.buttons[request.default_button]);
}

int PrompterDialogs::MessageBox(const std::string& text, const std::string& caption,
                                std::uint32_t flags) {
  if (const std::optional<BoxButton> pressed =
          prompter_.ShowMessageBox(MessageBoxRequestOf(text, caption, flags))) {
    return static_cast<int>(*pressed);
  }
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
