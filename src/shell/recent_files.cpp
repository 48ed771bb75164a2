#include "shell/recent_files.h"

#include <algorithm>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"

namespace qy {

namespace {

// A native path as the settings file keeps it; nullopt when Shift-JIS can
// not hold it, since such an entry would never open again.
std::optional<std::string> StoredForm(const std::string& file) {
#ifdef _WIN32
  return file;
#else
  bool lossy = false;
  std::string sjis = Utf8ToCp932(file, &lossy);
  if (lossy || sjis.empty()) return std::nullopt;
  return sjis;
#endif
}

}  // namespace

std::string MissingRecentFileMessage(const std::string& sjis_path) {
  return "\r\n" + Sjis("プロジェクト ") + "\"" + sjis_path + "\"" + Sjis(" は存在しません。");
}

std::vector<std::string> RecentFiles::Entries() const {
  std::vector<std::string> entries;
  for (int i = 1; i <= keys::kRecentFileEntries; ++i) {
    std::string path = settings_.GetString(keys::RecentFile(i));
    if (path.empty()) break;
    entries.push_back(std::move(path));
  }
  return entries;
}

void RecentFiles::Store(const std::vector<std::string>& entries) {
  // A settings file that can not be written only costs the list; the
  // project itself is not affected, so nothing is reported.
  for (int i = 1; i <= keys::kRecentFileEntries; ++i) {
    const std::size_t k = static_cast<std::size_t>(i - 1);
    settings_.SetString(keys::RecentFile(i), k < entries.size() ? entries[k] : "");
  }
  if (on_changed) on_changed();
}

bool RecentFiles::RecentFileKnown(const std::string& file) {
  const std::optional<std::string> stored = StoredForm(file);
  if (!stored) return false;
  std::vector<std::string> entries = Entries();
  auto found = std::find_if(entries.begin(), entries.end(),
                            [&](const std::string& e) { return SamePath(e, *stored); });
  if (found == entries.end()) return false;
  std::rotate(entries.begin(), found, found + 1);
  Store(entries);
  return true;
}

void RecentFiles::AddRecentFile(const std::string& file) {
  const std::optional<std::string> stored = StoredForm(file);
  if (!stored) return;
  std::vector<std::string> entries = Entries();
  entries.insert(entries.begin(), *stored);
  if (entries.size() > static_cast<std::size_t>(keys::kRecentFileEntries)) {
    entries.resize(keys::kRecentFileEntries);
  }
  Store(entries);
}

void RecentFiles::RemoveRecentFile(int position) {
  std::vector<std::string> entries = Entries();
  if (position < 1 || position > static_cast<int>(entries.size())) return;
  entries.erase(entries.begin() + (position - 1));
  Store(entries);
}

void RecentFiles::ClearRecentFiles() { Store({}); }

void RecentFiles::NoteProjectFile(const std::string& file) {
  if (!RecentFileKnown(file)) AddRecentFile(file);
}

void RecentFiles::Attach(ProjectDocument& document) {
  document.add_recent_file = [this](const std::string& file) { NoteProjectFile(file); };
}

std::vector<RecentMenuItem> RecentFiles::MenuItems() const {
  const std::vector<std::string> entries = Entries();
  std::vector<RecentMenuItem> items(keys::kRecentFileEntries);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    items[k].visible = true;
    items[k].caption = "&" + std::to_string(k + 1) + " " + entries[k];
    items[k].hint = Sjis("プロジェクトファイル '") + entries[k] + Sjis("' を開きます。");
  }
  return items;
}

bool RecentFiles::OpenRecentFile(int position, ProjectDocument& document, Prompter& prompter,
                                 bool focus_editor) {
  const std::vector<std::string> entries = Entries();
  if (position < 1 || position > static_cast<int>(entries.size())) return false;
  const std::string& stored = entries[static_cast<std::size_t>(position - 1)];
  const std::string file = PathFromSjis(stored);
  if (!FileExists(file)) {
    prompter.Warning(MissingRecentFileMessage(stored));
    RemoveRecentFile(position);
    return false;
  }
  if (!document.ConfirmSaveChanges()) return false;
  return document.OpenProject(file, focus_editor);
}

}  // namespace qy
