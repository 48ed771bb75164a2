#include "macro/macro_registration_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/cp932.h"
#include "core/files.h"

namespace qy {

std::vector<std::string> MacroFiles(const std::string& native_folder) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(native_folder, error);
  if (error) return names;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    if (AsciiLower(it->path().extension().string()) != ".p2s") continue;
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

MacroPreview ReadMacroPreview(const std::string& native_path) {
  MacroPreview preview;
  if (std::optional<std::string> text = ReadWholeFile(native_path)) {
    preview.title = MacroTitleLine(*text).value_or("");
    preview.text = std::move(*text);
  }
  return preview;
}

}  // namespace qy
