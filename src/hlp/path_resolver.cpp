#include "hlp/path_resolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>

#include "core/cp932.h"
#include "core/native_path.h"

namespace qy::hlp {

namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// The entry of `folder` whose name equals `name` without regard to ASCII
// case; an exact match wins. Empty when there is none.
std::string MatchEntry(const std::string& folder, const std::string& name) {
  if (Exists(folder + name)) return name;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return {};
  std::string found;
  while (dirent* entry = ::readdir(dir)) {
    if (EqualsIgnoreAsciiCase(entry->d_name, name)) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

// Where Wine keeps drive `letter`: $WINEPREFIX or ~/.wine.
std::string WineDrive(char letter) {
  std::string prefix;
  if (const char* p = std::getenv("WINEPREFIX"); p && *p) {
    prefix = p;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    prefix = std::string(home) + "/.wine";
  } else {
    return {};
  }
  if (prefix.back() != '/') prefix += '/';
  return prefix + "dosdevices/" + static_cast<char>(letter | 0x20) + ":/";
}

}  // namespace

std::string ResolveWindowsPath(const std::string& base_folder, std::string_view path) {
  // Converting first keeps a trail byte 0x5C of a Shift-JIS pair from being
  // taken for a separator.
  std::string native = PathFromSjis(path);
  if (native.empty()) return {};
  std::string current = base_folder;
  std::size_t pos = 0;
  if (native.size() >= 2 && native[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(native[0]))) {
    current = WineDrive(native[0]);
    if (current.empty()) return {};
    pos = 2;
  } else if (native[0] == '/' || native[0] == '\\') {
    current = "/";
  }
  if (!current.empty() && current.back() != '/') current += '/';
  while (pos <= native.size()) {
    std::size_t end = native.find_first_of("\\/", pos);
    if (end == std::string::npos) end = native.size();
    const std::string part = native.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      current += "../";
      continue;
    }
    const std::string match = MatchEntry(current, part);
    if (match.empty()) return {};
    current += match;
    if (pos <= native.size()) current += '/';
  }
  if (!current.empty() && current.back() == '/' && current.size() > 1) current.pop_back();
  return Exists(current) ? current : std::string();
}

std::string FindInFolders(const std::string& base_folder, const std::vector<std::string>& folders,
                          std::string_view name) {
  for (const std::string& folder : folders) {
    std::string resolved = ResolveWindowsPath(base_folder, folder);
    if (resolved.empty()) continue;
    if (resolved.back() != '/') resolved += '/';
    if (std::string found = ResolveWindowsPath(resolved, name); !found.empty()) return found;
  }
  return ResolveWindowsPath(base_folder, name);
}

}  // namespace qy::hlp
