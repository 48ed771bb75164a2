// Which program starts the help compiler and with which arguments. The
// compiler is a Windows program: a configured hcrtf.exe that is a Windows
// executable runs through wine, with the help project named by its Windows
// path; one that runs as it is (a native build or a stand-in) is started
// directly with the path unchanged.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qy {

// The built-in help compiler, a program of this system.
inline constexpr char kBuiltInCompilerName[] = "quillory-hc";

// The file-name part of `compiler`, in upper case, is "HCRTF.EXE" or the
// built-in compiler's name: no other compiler is run.
bool IsHelpCompiler(std::string_view compiler);

// Where the built-in compiler lies: beside this program, in the build tree's
// "hc" folder next to this program's folder, or on PATH. Empty when absent.
std::string FindBuiltInCompiler();

// The file starts with "MZ", the mark of a DOS or Windows executable.
bool IsWindowsProgram(const std::string& path);

// The file a program name stands for: a name with a folder is taken as it
// is, a bare name is looked up in the folders of PATH and then in this
// program's own folder (executables only), never in the current folder.
// Empty when there is no such file.
std::string FindProgram(const std::string& program);

// The switches of the Compile/Command setting as separate arguments: split at
// blanks, a double-quoted part kept together without its quotes.
std::vector<std::string> SplitCommandLine(std::string_view text);

// Turns a file path into the path a Windows program run by wine sees.
using WindowsPathFn = std::function<std::string(const std::string& path)>;

struct ProgramCall {
  std::string program;
  std::vector<std::string> arguments;
  bool operator==(const ProgramCall&) const = default;
};

inline constexpr char kWineProgram[] = "wine";

// `compiler` (a native path) with `switches` and the help project's path.
// A bare name found nowhere (the "hcrtf.exe" of a machine without the
// Windows compiler) is replaced by the built-in compiler, which takes the
// help project alone: the switches are the Windows compiler's.
ProgramCall CompilerCall(const std::string& compiler, std::string_view switches,
                         const std::string& help_project, const WindowsPathFn& windows_path);

// The same choice for any outside program: a Windows program goes through
// wine, anything else is started as it is.
ProgramCall ProgramCallFor(const std::string& program, std::vector<std::string> arguments);

}  // namespace qy
