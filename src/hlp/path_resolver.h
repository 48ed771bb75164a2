// Finds the files a help project names. Projects are written for Windows:
// ".\Sample.rtf", "C:\Help\Bmp", any letter case. On a file system where case
// counts, each part of the path is matched without regard to ASCII case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qy::hlp {

// `path` (Shift-JIS, '\' or '/') taken from `base_folder` (native, ending in
// '/') unless it is absolute; a drive path "X:\..." is looked up in Wine's
// view of drive X. The existing native path, or empty when nothing matches.
std::string ResolveWindowsPath(const std::string& base_folder, std::string_view path);

// `name` in the first of `folders` (each resolved from `base_folder`) that
// holds it, then in `base_folder` itself. Empty when none does.
std::string FindInFolders(const std::string& base_folder, const std::vector<std::string>& folders,
                          std::string_view name);

}  // namespace qy::hlp
