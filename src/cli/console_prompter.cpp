#include "cli/console_prompter.h"

#include "core/codec.h"

namespace qy::cli {

std::string ConsoleLines(const std::string& sjis) {
  std::string utf8 = Cp932ToUtf8(sjis);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      out += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

std::string ConsoleText(const std::string& sjis) {
  const std::string out = ConsoleLines(sjis);
  std::size_t start = out.find_first_not_of('\n');
  return start == std::string::npos ? std::string() : out.substr(start);
}

void ConsolePrompter::Print(const std::string& sjis) { out_ << ConsoleText(sjis) << '\n'; }

void ConsolePrompter::Information(const std::string& text) { Print(text); }

void ConsolePrompter::Warning(const std::string& text) {
  ++problems_;
  Print(text);
}

void ConsolePrompter::Error(const std::string& text) {
  ++problems_;
  Print(text);
}

Answer ConsolePrompter::Ask(const std::string& text, Buttons buttons, Beep, const std::string&) {
  Print(text);
  const bool ok_style = buttons == Buttons::kOk || buttons == Buttons::kOkCancel;
  if (assume_yes_) {
    out_ << "-> " << (ok_style ? "OK" : "Yes") << " (--yes)\n";
    return ok_style ? Answer::kOk : Answer::kYes;
  }
  declined_ = true;
  out_ << "-> " << (buttons == Buttons::kYesNo ? "No" : "Cancel")
       << " (answer with --yes to go on)\n";
  if (buttons == Buttons::kYesNo) return Answer::kNo;
  return Answer::kCancel;
}

Answer ConsolePrompter::AskWithOptOut(const std::string& caption, const std::string& text,
                                      bool* opt_out) {
  if (opt_out) *opt_out = false;
  return Ask(text, Buttons::kYesNo, Beep::kQuestion, caption);
}

}  // namespace qy::cli
