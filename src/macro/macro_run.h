// Starting macro runs from the main window: the macro folder check with its
// folder flow, the run dialog, the last macro, the registered macros and the
// clearing of the registrations. The window wires the hooks (its menus, its
// registration and run dialogs, its error display) and asks `running()` and
// `commands_enabled()` to enable its macro commands.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "macro/macro_run_settings.h"
#include "macro/poor_pascal.h"

namespace qy {

enum class MacroFolderCheck {
  kExists,     // "Fold" names an existing folder
  kChosen,     // it did not; the user chose a new folder, now in "Fold"
  kCancelled,  // it did not and no folder was set: the command ends
};

// One registered macro's menu item.
struct MacroMenuItem {
  int tag = 0;          // the registration number n, for RunRegistered
  std::string caption;  // the title
  std::string hint;
};

enum class MacroRunResult {
  kNotStarted,  // nothing ran (refused, cancelled, missing folder or file)
  kCompleted,
  kFailed,  // the interpreter ended the run with an error, shown already
};

class MacroRunner {
 public:
  MacroRunner(TPoorPascal& pascal, Settings& settings, Prompter& prompter, FileChooser& chooser);

  // ---- Commands ---------------------------------------------------------------
  // "QYマクロを指定して実行(&R)": folder check, run dialog, run.
  MacroRunResult RunChosen();
  // "直前に実行したQYマクロ(&L)": runs "LastMacro" from the folder, silently
  // nothing when it is unset or missing. Leaves the commands enabled.
  MacroRunResult RunLast();
  // A registered macro (n from 0; any other n runs nothing after the folder
  // check). `from_menu` disables the macro commands during the run; the new
  // page wizard passes false.
  MacroRunResult RunRegistered(int n, bool from_menu = true);
  // "QYマクロをメニューに登録(&G)...": folder check, then the registration
  // dialog.
  void Register();
  // Empties every registration (also called by the options dialog).
  void ClearRegistrations();
  // The options dialog set `native_folder` as the macro folder: when it
  // differs from "Fold" and the user agrees, "Fold" takes it and the
  // registrations are cleared. True when "Fold" was changed.
  bool ChangeFolder(const std::string& native_folder);

  // ---- Pieces -----------------------------------------------------------------
  MacroFolderCheck CheckFolder();
  // The items of the registered macros, for the window's menus.
  std::vector<MacroMenuItem> MenuItems() const;
  // Runs a macro file now: loads Source from it and executes. A second run
  // while one is going on is refused (kNotStarted).
  MacroRunResult RunFile(const std::string& native_path, bool disable_commands);

  // A run is going on (every other run is refused meanwhile).
  bool running() const { return running_; }
  // The macro menu's items are enabled: false during a run started from the
  // run dialog through an existing folder or from a registered item.
  bool commands_enabled() const { return commands_enabled_; }

  // ---- Hooks ------------------------------------------------------------------
  // The run dialog: lists the ".p2s" files of `native_folder` and returns the
  // chosen one's path, nullopt when cancelled. Defaults to the file chooser.
  std::function<std::optional<std::string>(const std::string& native_folder)> choose_macro;
  // Rebuilds the registered macros' menu items (from MenuItems()).
  std::function<void()> rebuild_menus;
  // Opens the registration dialog in macro mode.
  std::function<void()> open_registration_dialog;
  // Sets the hint of the three items that run the last macro.
  std::function<void(const std::string& hint)> set_last_macro_hint;
  // Told whenever running() or commands_enabled() changes.
  std::function<void()> on_state_changed;
  // Shows the error that ended a run (Shift-JIS); defaults to an error box.
  std::function<void(const std::string& message)> report_error;

 private:
  // The folder flow chose a new folder: registrations cleared, menus rebuilt.
  void ForgetRegistrations();
  void SetEnabled(bool enabled);
  void UpdateLastMacroHint();
  std::optional<std::string> DefaultChooseMacro(const std::string& native_folder);

  TPoorPascal& pascal_;
  Settings& settings_;
  Prompter& prompter_;
  FileChooser& chooser_;
  bool running_ = false;
  bool commands_enabled_ = true;
};

}  // namespace qy
