// The Yes/No question the user may switch off for good.
#pragma once

#include <string>

#include "core/prompter.h"
#include "core/settings.h"

namespace qy {

// Asks `text` under `caption` when the setting `key` is on, and always goes
// ahead when it is off. A Yes with "今後、このメッセージを表示しない(&I)"
// ticked writes `key` off, so the question is not asked again. Returns
// whether the caller may go on.
bool ConfirmWithOptOut(Prompter& prompter, Settings& settings, const SettingKey& key,
                       const std::string& caption, const std::string& text);

}  // namespace qy
