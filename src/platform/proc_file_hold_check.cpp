#include "platform/proc_file_hold_check.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "core/files.h"

namespace qy {

namespace {

bool AllDigits(const char* name) {
  if (*name == '\0') return false;
  for (; *name; ++name) {
    if (*name < '0' || *name > '9') return false;
  }
  return true;
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// The file's absolute name as the kernel reports it, so that a name given
// through a relative or linked temporary folder still matches.
std::string CanonicalName(const std::string& file) {
  char* resolved = ::realpath(file.c_str(), nullptr);
  if (!resolved) return file;
  std::string name = resolved;
  std::free(resolved);
  return name;
}

bool CommandLineNames(const std::string& cmdline_file, const std::string& name,
                      const std::string& canonical) {
  std::optional<std::string> args = ReadWholeFile(cmdline_file);
  if (!args || args->empty()) return false;
  // Arguments are separated by NUL bytes; an argument may carry the name
  // inside an option ("--file=...").
  return args->find(name) != std::string::npos ||
         (canonical != name && args->find(canonical) != std::string::npos);
}

bool HasFileOpen(const std::string& fd_folder, const struct stat& target) {
  DirHandle fds(::opendir(fd_folder.c_str()));
  if (!fds) return false;  // another user's process, or one that just ended
  while (const dirent* entry = ::readdir(fds.get())) {
    if (!AllDigits(entry->d_name)) continue;
    struct stat st;
    if (::stat((fd_folder + "/" + entry->d_name).c_str(), &st) == 0 && st.st_dev == target.st_dev &&
        st.st_ino == target.st_ino) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool ProcFileHoldCheck::IsHeld(const std::string& file) {
  const std::string canonical = CanonicalName(file);
  struct stat target;
  const bool exists = ::stat(file.c_str(), &target) == 0;
  DirHandle proc(::opendir(proc_root_.c_str()));
  if (!proc) return false;
  while (const dirent* entry = ::readdir(proc.get())) {
    if (!AllDigits(entry->d_name)) continue;
    const std::string process = proc_root_ + "/" + entry->d_name;
    if (CommandLineNames(process + "/cmdline", file, canonical)) return true;
    if (exists && HasFileOpen(process + "/fd", target)) return true;
  }
  return false;
}

}  // namespace qy
