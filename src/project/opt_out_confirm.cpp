#include "project/opt_out_confirm.h"

namespace qy {

bool ConfirmWithOptOut(Prompter& prompter, Settings& settings, const SettingKey& key,
                       const std::string& caption, const std::string& text) {
  if (!settings.GetBool(key)) return true;
  bool opt_out = false;
  if (prompter.AskWithOptOut(caption, text, &opt_out) != Answer::kYes) return false;
  // A settings file that can not be written only means the question comes
  // back next time; the answer itself stands.
  if (opt_out) settings.SetBool(key, false);
  return true;
}

}  // namespace qy
