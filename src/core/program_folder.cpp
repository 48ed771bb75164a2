#include "core/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "core/cp932.h"
#include "core/files.h"

namespace qy {

namespace {

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

// mkdir -p for an absolute path with a trailing '/'.
void MakeFolders(const std::string& path) {
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (path[i] != '/') continue;
    std::string part = path.substr(0, i);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return;
  }
}

bool SameDirectory(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && S_ISDIR(sa.st_mode) &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

std::string ExecutableFolder() {
  std::string buf(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buf.size()) return "";
  buf.resize(static_cast<std::size_t>(n));
  return FolderOf(buf);
}

std::string ProgramFolderFor(const std::string& exe_dir, bool writable, const char* xdg,
                             const char* home) {
  if (writable && !exe_dir.empty()) return WithSlash(exe_dir);
  if (xdg && xdg[0] == '/') return WithSlash(xdg) + "quillory/";
  if (home && home[0] != '\0') return WithSlash(home) + ".config/quillory/";
  // Nowhere better: reading still works from the executable's folder.
  return exe_dir.empty() ? "./" : WithSlash(exe_dir);
}

std::string ProgramFolder() {
  static const std::string folder = [] {
    std::string exe_dir = ExecutableFolder();
    bool writable = !exe_dir.empty() && ::access(exe_dir.c_str(), W_OK) == 0;
    std::string chosen =
        ProgramFolderFor(exe_dir, writable, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (!DirectoryExists(chosen) && chosen.front() == '/') MakeFolders(chosen);
    // A configuration folder that cannot be made is no place to look for
    // files; the executable's folder at least holds what was shipped with it.
    if (!DirectoryExists(chosen) && !exe_dir.empty()) {
      return ProgramFolderFor(exe_dir, true, nullptr, nullptr);
    }
    return chosen;
  }();
  return folder;
}

std::string SettingsFilePath() { return ProgramFolder() + kSettingsFileName; }
std::string KeyFilePath() { return ProgramFolder() + kKeyFileName; }
std::string ToolbarFilePath() { return ProgramFolder() + kToolbarFileName; }
std::string ProgramHelpFilePath() { return ProgramFolder() + kProgramHelpFileName; }

std::string LowerCaseFolder(const std::string& folder) {
  std::string lower = AsciiLower(folder);
  if (lower == folder || !DirectoryExists(folder) || SameDirectory(lower, folder)) return lower;
  return folder;
}

}  // namespace qy
