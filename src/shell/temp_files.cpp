#include "shell/temp_files.h"

#include <algorithm>

#include "core/files.h"

namespace qy {

void TempFileRegistry::Add(const std::string& file) {
  if (file.empty() || std::find(names_.begin(), names_.end(), file) != names_.end()) return;
  names_.push_back(file);
}

void TempFileRegistry::AddWithHelpFiles(const std::string& file) {
  if (file.empty()) return;
  Add(file);
  std::string stem = FolderOf(file) + BaseNameOf(file);
  Add(stem + ".hlp");
  Add(stem + ".gid");
}

std::string TempFileRegistry::Text() const {
  std::string text;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += names_[i];
  }
  return text;
}

int TempFileRegistry::DeleteAll() {
  int deleted = 0;
  for (const std::string& name : names_) {
    if (FileExists(name) && RemoveFile(name)) ++deleted;
  }
  names_.clear();
  return deleted;
}

}  // namespace qy
