// The macro folder as the run and registration dialogs show it, and the
// registration dialog's list of up to 20 menu macros.
#pragma once

#include <string>
#include <vector>

#include "core/registration_list.h"
#include "macro/macro_run_settings.h"

namespace qy {

inline constexpr int kMacroRunHelpContext = 42;
inline constexpr int kMaxMacroRegistrations = 20;

// The ".p2s" files of `native_folder` (names without folder, native),
// sorted; the extension compares without regard to case.
std::vector<std::string> MacroFiles(const std::string& native_folder);

// What a dialog shows for one macro file: its title line ("" without one)
// and its text (Shift-JIS).
struct MacroPreview {
  std::string title;
  std::string text;
};
MacroPreview ReadMacroPreview(const std::string& native_path);

using MacroRegistrationList = RegistrationList<MacroRegistration, kMaxMacroRegistrations>;

}  // namespace qy
