#include "build/compiler_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "core/cp932.h"
#include "core/files.h"
#include "core/program_folder.h"

namespace qy {

namespace {

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool HasFolder(const std::string& program) { return program.find('/') != std::string::npos; }

}  // namespace

bool IsHelpCompiler(std::string_view compiler) {
  const std::string name = AsciiUpper(FileNameOf(std::string(compiler)));
  return name == "HCRTF.EXE" || name == AsciiUpper(kBuiltInCompilerName);
}

std::string FindBuiltInCompiler() {
  const std::string own = ExecutableFolder();
  if (!own.empty()) {
    for (const std::string& candidate :
         {own + kBuiltInCompilerName, own + "../hc/" + kBuiltInCompilerName}) {
      if (IsRegularFile(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
  }
  return FindProgram(kBuiltInCompilerName);
}

bool IsWindowsProgram(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[2] = {0, 0};
  return in.read(head, 2) && head[0] == 'M' && head[1] == 'Z';
}

std::string FindProgram(const std::string& program) {
  if (program.empty()) return {};
  if (HasFolder(program)) return IsRegularFile(program) ? program : std::string();
  auto executable = [&](const std::string& folder) {
    const std::string candidate = folder + (folder.back() == '/' ? "" : "/") + program;
    return IsRegularFile(candidate) && ::access(candidate.c_str(), X_OK) == 0 ? candidate
                                                                              : std::string();
  };
  // Only named folders: an empty PATH entry would stand for the current
  // folder, where whatever lies beside the project could be run.
  if (const char* path = std::getenv("PATH")) {
    std::string_view folders(path);
    while (true) {
      const std::size_t colon = folders.find(':');
      const std::string folder(folders.substr(0, colon));
      if (!folder.empty()) {
        if (std::string found = executable(folder); !found.empty()) return found;
      }
      if (colon == std::string_view::npos) break;
      folders.remove_prefix(colon + 1);
    }
  }
  const std::string own = ExecutableFolder();
  return own.empty() ? std::string() : executable(own);
}

std::vector<std::string> SplitCommandLine(std::string_view text) {
  std::vector<std::string> parts;
  std::string current;
  bool in_part = false;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      in_part = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_part) parts.push_back(std::move(current));
      current.clear();
      in_part = false;
    } else {
      current += c;
      in_part = true;
    }
  }
  if (in_part) parts.push_back(std::move(current));
  return parts;
}

ProgramCall CompilerCall(const std::string& compiler, std::string_view switches,
                         const std::string& help_project, const WindowsPathFn& windows_path) {
  std::vector<std::string> arguments = SplitCommandLine(switches);
  const std::string found = FindProgram(compiler);
  if (found.empty() && !HasFolder(compiler)) {
    if (std::string built_in = FindBuiltInCompiler(); !built_in.empty()) {
      return {std::move(built_in), {help_project}};
    }
  }
  if (!found.empty() && IsWindowsProgram(found)) {
    arguments.push_back(windows_path ? windows_path(help_project) : help_project);
    arguments.insert(arguments.begin(), found);
    return {kWineProgram, std::move(arguments)};
  }
  arguments.push_back(help_project);
  return {found.empty() ? compiler : found, std::move(arguments)};
}

ProgramCall ProgramCallFor(const std::string& program, std::vector<std::string> arguments) {
  const std::string found = FindProgram(program);
  if (!found.empty() && IsWindowsProgram(found)) {
    arguments.insert(arguments.begin(), found);
    return {kWineProgram, std::move(arguments)};
  }
  return {found.empty() ? program : found, std::move(arguments)};
}

}  // namespace qy
