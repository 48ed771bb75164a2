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

void MacroRegistrationList::Select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
}

bool MacroRegistrationList::Add(const std::string& file, const std::string& title) {
  if (file.empty() || title.empty()) return false;
  if (static_cast<int>(entries_.size()) >= kMaxMacroRegistrations) return false;
  entries_.push_back({file, title});
  selected_ = static_cast<int>(entries_.size()) - 1;
  return true;
}

bool MacroRegistrationList::Rename(const std::string& title) {
  if (selected_ < 0 || title.empty()) return false;
  entries_[static_cast<std::size_t>(selected_)].title = title;
  return true;
}

bool MacroRegistrationList::DeleteSelected() {
  if (selected_ < 0) return false;
  entries_.erase(entries_.begin() + selected_);
  selected_ = std::min(selected_, static_cast<int>(entries_.size()) - 1);
  return true;
}

bool MacroRegistrationList::MoveUp() {
  if (selected_ <= 0) return false;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
  return true;
}

bool MacroRegistrationList::MoveDown() {
  if (selected_ < 0 || selected_ + 1 >= static_cast<int>(entries_.size())) return false;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
  return true;
}

}  // namespace qy
