#include "shell/toolbar_layout.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "core/codec.h"
#include "core/ini_file.h"

namespace qy {

namespace {

constexpr ToolbarRow kRows[] = {
#include "shell/toolbar_table_data.inc"
};
static_assert(std::size(kRows) == kToolbarRowCount);

constexpr bool RowsInNumberOrder() {
  for (int i = 0; i < kToolbarRowCount; ++i) {
    if (kRows[i].number != i) return false;
  }
  return true;
}
static_assert(RowsInNumberOrder(), "toolbar rows must be numbered 0..65 in order");

constexpr ToolbarInfo kToolbars[] = {
    {ToolbarId::kFile, "FileBar", "tbrWinFile", kCmdFileBar, 1},
    {ToolbarId::kEdit, "EditBar", "tbrWinEdit", kCmdEditBar, 8},
    {ToolbarId::kProject, "ProjectBar", "tbrWinProp", kCmdPropBar, 22},
    {ToolbarId::kPage, "PageBar", "tbrPage", kCmdPageBar, 35},
    {ToolbarId::kShortCut, "ShortCutBar", "tbrWinShort", kCmdShortBar, 43},
};

// A layout file is a few kilobytes; anything this big is not one.
constexpr off_t kMaxLayoutFileSize = 1 << 20;

// Integer value as the profile functions read it: optional blanks and sign,
// then digits; anything else is not a number.
std::optional<bool> ParseFlag(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (text[i] != '0') return true;
  }
  return false;
}

}  // namespace

std::span<const ToolbarInfo> Toolbars() { return kToolbars; }

const ToolbarInfo* FindToolbar(ToolbarId id) {
  for (const ToolbarInfo& info : kToolbars) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

std::span<const ToolbarRow> ToolbarRows() { return kRows; }

const ToolbarRow* FindToolbarRow(int number) {
  if (number < 0 || number >= kToolbarRowCount) return nullptr;
  return &kRows[number];
}

const ToolbarRow* FindToolbarButton(std::string_view button) {
  if (button.empty()) return nullptr;
  for (const ToolbarRow& row : kRows) {
    if (button == row.button) return &row;
  }
  return nullptr;
}

std::span<const ToolbarRow> ToolbarItems(ToolbarId toolbar) {
  std::size_t begin = 0;
  while (begin < std::size(kRows) && kRows[begin].toolbar != toolbar) ++begin;
  std::size_t end = begin;
  while (end < std::size(kRows) && kRows[end].toolbar == toolbar) ++end;
  if (toolbar == ToolbarId::kNone) end = begin;
  return std::span<const ToolbarRow>(kRows).subspan(begin, end - begin);
}

std::string ToolbarCaption(const ToolbarRow& row) { return Sjis(row.caption); }

int ButtonImageIndex(int number) {
  const ToolbarRow* target = FindToolbarRow(number);
  if (target == nullptr || !target->HasKey() || target->IsSeparator()) return -1;
  int image = 0;
  for (int i = 0; i < number; ++i) {
    if (kRows[i].HasKey() && !kRows[i].IsSeparator()) ++image;
  }
  return image;
}

ToolbarLayout ToolbarLayout::FromFile(const std::optional<std::string>& data) {
  ToolbarLayout layout;
  if (!data) return layout;
  for (const ToolbarRow& row : kRows) {
    if (!row.HasKey()) continue;
    auto value = IniFile::ValueIn(*data, FindToolbar(row.toolbar)->layout_section, row.key);
    if (!value) continue;
    layout.shown_[row.number] = ParseFlag(*value).value_or(true);
  }
  return layout;
}

namespace {

// The file's bytes; nullopt when it is missing, or when it cannot be read
// (then `error` says why).
std::optional<std::string> LoadLayoutFile(const std::string& path, std::string* error) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) *error = std::strerror(errno);
    return std::nullopt;
  }
  if (st.st_size > kMaxLayoutFileSize) {
    *error = "file too large";
    return std::nullopt;
  }
  auto data = ReadWholeFile(path, error);
  if (!data && error->empty()) *error = "cannot read the file";
  return data;
}

}  // namespace

ToolbarLayout ToolbarLayout::Read(const std::string& path, std::string* error) {
  std::string why;
  auto data = LoadLayoutFile(path, &why);
  if (error) *error = why;
  return FromFile(data);
}

bool ToolbarLayout::Shown(int number) const {
  const ToolbarRow* row = FindToolbarRow(number);
  return row == nullptr || !row->HasKey() || shown_[number];
}

void ToolbarLayout::SetShown(int number, bool shown) {
  const ToolbarRow* row = FindToolbarRow(number);
  if (row != nullptr && row->HasKey()) shown_[number] = shown;
}

std::string ToolbarLayout::FileText(std::string_view existing) const {
  std::string data(existing);
  for (const ToolbarRow& row : kRows) {
    if (!row.HasKey()) continue;
    // The names are fixed and valid, so the edit cannot be refused.
    auto next = IniFile::WithValue(data, FindToolbar(row.toolbar)->layout_section, row.key,
                                   shown_[row.number] ? "1" : "0");
    if (next) data = std::move(*next);
  }
  return data;
}

FileResult ToolbarLayout::Write(const std::string& path) const {
  std::string error;
  auto existing = LoadLayoutFile(path, &error);
  if (!error.empty()) return FileResult::Fail(error);
  return WriteFileAtomic(path, FileText(existing.value_or("")));
}

std::vector<ToolbarItemState> ApplyToolbarLayout(const ToolbarLayout& layout) {
  std::vector<ToolbarItemState> items;
  int image = 0;
  for (const ToolbarRow& row : kRows) {
    if (!row.HasKey()) continue;
    items.push_back({&row, layout.Shown(row.number), row.IsSeparator() ? -1 : image++});
  }
  return items;
}

std::vector<ToolbarTreeNode> BuildToolbarTree(const ToolbarLayout& layout) {
  std::vector<ToolbarTreeNode> nodes;
  nodes.push_back({ToolbarTreeNode::Kind::kRoot, -1, ToolbarCaption(kRows[0]), 0, false});
  for (const ToolbarInfo& info : kToolbars) {
    int parent = static_cast<int>(nodes.size());
    nodes.push_back({ToolbarTreeNode::Kind::kToolbar, 0, ToolbarCaption(kRows[info.tree_number]),
                     info.tree_number, false});
    for (const ToolbarRow& row : ToolbarItems(info.id)) {
      nodes.push_back({ToolbarTreeNode::Kind::kItem, parent, ToolbarCaption(row), row.number,
                       layout.Shown(row.number)});
    }
  }
  return nodes;
}

}  // namespace qy
