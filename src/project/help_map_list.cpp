#include "project/help_map_list.h"

#include <algorithm>

#include "core/cp932.h"
#include "core/native_path.h"

namespace qy {

namespace {

constexpr std::string_view kPathPrefix = "Path=";
// The entries start at line 4; lines 2 and 3 are markers that are not read.
constexpr std::size_t kFirstEntryLine = 3;  // from 0

}  // namespace

std::string HelpMapListFileName(const std::string& project_file) {
  if (project_file.empty()) return "";
  return ChangeExtension(project_file, ".qym");
}

bool IsHelpMapFileName(const std::string& path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  return dot != std::string::npos && AsciiLower(name.substr(dot)) == ".hm";
}

std::vector<std::string> ReadHelpMapList(const std::string& list_file) {
  std::vector<std::string> entries;
  if (!FileExists(list_file)) return entries;
  const std::optional<std::string> text = ReadWholeFile(list_file);
  if (!text) return entries;
  const std::vector<std::string> lines = SplitLines(*text);
  if (lines.empty() || lines[0] != kHelpMapListHeader) return entries;
  for (std::size_t i = kFirstEntryLine; i < lines.size(); ++i) {
    if (lines[i].starts_with(kPathPrefix)) {
      entries.push_back(PathFromSjis(std::string_view(lines[i]).substr(kPathPrefix.size())));
    }
  }
  return entries;
}

std::string HelpMapListText(const std::vector<std::string>& entries) {
  std::string text = std::string(kHelpMapListHeader) + "\r\n\r\n//HelpMap//\r\n";
  for (const std::string& entry : entries) {
    text += std::string(kPathPrefix) + PathToSjis(entry) + "\r\n";
  }
  text += "//End//\r\n";
  return text;
}

FileResult WriteHelpMapList(const std::string& list_file, const std::vector<std::string>& entries) {
  if (entries.empty()) {
    if (FileExists(list_file) && !RemoveFile(list_file)) {
      return FileResult::Fail("cannot remove " + list_file);
    }
    return FileResult::Ok();
  }
  return WriteFileAtomic(list_file, HelpMapListText(entries));
}

HelpMapList::HelpMapList(std::string list_file)
    : file_(std::move(list_file)), entries_(ReadHelpMapList(file_)) {}

HelpMapList::Update HelpMapList::Write() { return {true, WriteHelpMapList(file_, entries_)}; }

HelpMapList::Update HelpMapList::Add(const std::string& path) {
  if (path.empty() || !IsHelpMapFileName(path)) return {};
  entries_.push_back(path);
  return Write();
}

HelpMapList::Update HelpMapList::Drop(const std::vector<std::string>& paths) {
  Update update;
  for (const std::string& path : paths) {
    if (!IsHelpMapFileName(path)) continue;
    if (std::find(entries_.begin(), entries_.end(), path) != entries_.end()) continue;
    entries_.push_back(path);
    update = Write();
    if (!update.written) return update;
  }
  return update;
}

HelpMapList::Update HelpMapList::Remove(std::size_t index) {
  if (index >= entries_.size()) return {};
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  return Write();
}

}  // namespace qy
