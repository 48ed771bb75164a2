// The macro folder as the run and registration dialogs show it, and the
// registration dialog's list of up to 20 menu macros.
#pragma once

#include <string>
#include <vector>

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

class MacroRegistrationList {
 public:
  explicit MacroRegistrationList(std::vector<MacroRegistration> entries)
      : entries_(std::move(entries)) {}

  const std::vector<MacroRegistration>& entries() const { return entries_; }
  int selected() const { return selected_; }
  void Select(int index);

  // Needs a file and a title and room for one more; selects the new entry.
  bool Add(const std::string& file, const std::string& title);
  // A new title for the selected entry; an empty one changes nothing.
  bool Rename(const std::string& title);
  bool DeleteSelected();
  bool MoveUp();
  bool MoveDown();

 private:
  std::vector<MacroRegistration> entries_;
  int selected_ = -1;
};

}  // namespace qy
