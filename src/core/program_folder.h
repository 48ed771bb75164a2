// Where the program keeps its own files: the settings file, the key file,
// the toolbar layout and its help files.
//
// That is the folder of the running executable when the program may write
// there (a portable copy unpacked somewhere), otherwise the user's
// configuration folder ($XDG_CONFIG_HOME/quillory or ~/.config/quillory), as
// an installed program's folder is read-only.
#pragma once

#include <string>

namespace qy {

// Fixed file names: the window and the command-line tool are different
// executables that share one set of settings.
inline constexpr char kSettingsFileName[] = "quillory.ini";
inline constexpr char kKeyFileName[] = "quillory.kst";
inline constexpr char kToolbarFileName[] = "quillory.bar";
inline constexpr char kProgramHelpFileName[] = "quillory.hlp";

// The rule behind ProgramFolder(), without touching the system. `exe_dir` is
// the executable's folder, `writable` whether files can be created in it,
// `xdg` and `home` the values of XDG_CONFIG_HOME and HOME (null when unset).
// The result ends with '/'. A relative XDG_CONFIG_HOME is ignored, as the
// base-directory rules demand.
std::string ProgramFolderFor(const std::string& exe_dir, bool writable, const char* xdg,
                             const char* home);

// The folder of the running executable, with a trailing '/' ("" when it can
// not be found).
std::string ExecutableFolder();

// The program's folder with a trailing '/', computed once per run. The
// configuration folder is created when it is the one chosen and missing.
std::string ProgramFolder();

std::string SettingsFilePath();     // ProgramFolder() + "quillory.ini"
std::string KeyFilePath();          // ProgramFolder() + "quillory.kst"
std::string ToolbarFilePath();      // ProgramFolder() + "quillory.bar"
std::string ProgramHelpFilePath();  // ProgramFolder() + "quillory.hlp"

// `folder` in ASCII lower case (double-byte characters untouched), the form
// in which folders are stored as defaults. On a file system that tells case
// apart the lower-case spelling may name another folder or none; then the
// folder is returned as it is, since a default that does not exist would
// send every use into the "folder missing" path.
std::string LowerCaseFolder(const std::string& folder);

}  // namespace qy
