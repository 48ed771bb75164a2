#include "project/project_model.h"

#include <stdexcept>

#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"

namespace qy {

namespace {

std::string* FieldSlot(PageRecord& p, PageField field) {
  switch (field) {
    case PageField::kContext:
      return &p.Context;
    case PageField::kTitle:
      return &p.Title;
    case PageField::kKeyword:
      return &p.Keyword;
    case PageField::kAKeyword:
      return &p.AKeyword;
    case PageField::kBKeyword:
      return &p.BKeyword;
    case PageField::kWindow:
      return &p.Window;
    case PageField::kMacro:
      return &p.Macro;
    case PageField::kTopic:
      return &p.Topic;
  }
  return nullptr;
}

}  // namespace

ProjectHeader ProjectHeader::Defaults() {
  ProjectHeader h;
  h.WindowsSection = kDefaultWindowsSection;
  h.ProjectOptions = kDefaultProjectOptions;
  h.BitmapSection = kDefaultBitmapSection;
  return h;
}

std::string NumberedContext(int n) {
  std::string digits = std::to_string(n);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  return "HLP000" + digits;
}

ProjectModel::ProjectModel() : header_(ProjectHeader::Defaults()) {}

const PageRecord& ProjectModel::Page(int page) const {
  if (!ValidPage(page)) throw std::out_of_range("page " + std::to_string(page));
  return pages_[static_cast<std::size_t>(page - 1)];
}

PageRecord& ProjectModel::MutablePage(int page) {
  if (!ValidPage(page)) throw std::out_of_range("page " + std::to_string(page));
  return pages_[static_cast<std::size_t>(page - 1)];
}

std::string ProjectModel::GetField(int page, PageField field) const {
  const PageRecord& p = Page(page);
  if (!FieldApplies(field, p.Attribute)) return "";
  return *FieldSlot(const_cast<PageRecord&>(p), field);
}

bool ProjectModel::SetField(int page, PageField field, std::string_view value) {
  PageRecord& p = MutablePage(page);
  if (!FieldApplies(field, p.Attribute)) return false;
  *FieldSlot(p, field) = field == PageField::kTopic ? std::string(value) : LimitField(value);
  return true;
}

void ProjectModel::SetAttribute(int page, PageAttribute attribute) {
  PageRecord& p = MutablePage(page);
  p.Attribute = attribute;
  for (PageField f : {PageField::kKeyword, PageField::kAKeyword, PageField::kBKeyword,
                      PageField::kWindow, PageField::kMacro, PageField::kTopic}) {
    if (!FieldApplies(f, attribute)) FieldSlot(p, f)->clear();
  }
}

bool ProjectModel::InsertPage(int position, PageRecord page) {
  if (IsFull() || position < 1 || position > PageCount() + 1) return false;
  pages_.insert(pages_.begin() + (position - 1), std::move(page));
  return true;
}

void ProjectModel::ReplacePages(std::vector<PageRecord> pages) {
  if (pages.size() > static_cast<std::size_t>(kMaxPages)) pages.resize(kMaxPages);
  pages_ = std::move(pages);
}

void ProjectModel::RemovePage(int page) {
  if (!ValidPage(page)) return;
  pages_.erase(pages_.begin() + (page - 1));
}

void ProjectModel::SwapPages(int a, int b) { std::swap(MutablePage(a), MutablePage(b)); }

std::string ProjectModel::NextFreeContext() const {
  int c = PageCount();
  if (c == 0) return NumberedContext(1);
  const std::vector<bool> used = UsedContextNumbers(c);
  for (int n = 1; n <= c; ++n) {
    if (!used[static_cast<std::size_t>(n)]) return NumberedContext(n);
  }
  return NumberedContext(c + 1);
}

std::int32_t ProjectModel::NextFreeContextID() const {
  int c = PageCount();
  std::vector<bool> used(static_cast<std::size_t>(c) + 1, false);
  for (const auto& p : pages_) {
    if (p.ContextID >= 1 && p.ContextID <= c) used[static_cast<std::size_t>(p.ContextID)] = true;
  }
  for (std::int32_t id = 1; id <= c; ++id) {
    if (!used[static_cast<std::size_t>(id)]) return id;
  }
  return c + 1;
}

std::string ProjectModel::SecondFreeContext() const {
  int c = PageCount();
  if (c == 0) return "HLP000";
  const std::vector<bool> used = UsedContextNumbers(c + 1);
  for (int n = 2; n <= c + 1; ++n) {
    if (!used[static_cast<std::size_t>(n)]) return NumberedContext(n);
  }
  return NumberedContext(c + 1);
}

// Help contexts are case-insensitive, so a page named "hlp000001" by hand
// already holds HLP000001.
std::vector<bool> ProjectModel::UsedContextNumbers(int limit) const {
  std::vector<bool> used(static_cast<std::size_t>(limit) + 1, false);
  for (const auto& p : pages_) {
    const std::string& ctx = p.Context;
    if (ctx.size() < 7 || !EqualsIgnoreAsciiCase(std::string_view(ctx).substr(0, 6), "HLP000")) {
      continue;
    }
    int n = 0;
    bool digits = true;
    for (std::size_t i = 6; i < ctx.size() && digits; ++i) {
      digits = ctx[i] >= '0' && ctx[i] <= '9';
      if (digits && n <= limit) n = n * 10 + (ctx[i] - '0');
    }
    if (digits && n >= 1 && n <= limit && EqualsIgnoreAsciiCase(ctx, NumberedContext(n))) {
      used[static_cast<std::size_t>(n)] = true;
    }
  }
  return used;
}

bool ProjectModel::ContextInUse(std::string_view context, int except_page) const {
  std::string upper = AsciiUpper(context);
  for (int i = 1; i <= PageCount(); ++i) {
    if (i != except_page && AsciiUpper(pages_[i - 1].Context) == upper) return true;
  }
  return false;
}

bool ProjectModel::ContextIDInUse(std::int32_t id, int except_page) const {
  for (int i = 1; i <= PageCount(); ++i) {
    if (i != except_page && pages_[i - 1].ContextID == id) return true;
  }
  return false;
}

int ProjectModel::FindContext(std::string_view context) const {
  std::string upper = AsciiUpper(context);
  for (int i = 1; i <= PageCount(); ++i) {
    if (AsciiUpper(pages_[i - 1].Context) == upper) return i;
  }
  return 0;
}

std::string ProjectModel::TreeLabel(int page) const {
  const PageRecord& p = Page(page);
  const std::string sep = " /";
  const std::string id = std::to_string(p.ContextID);
  const bool keyword = IsHelpTopic(p.Attribute);
  switch (tree_label_mode_) {
    case 0:
      return p.Title;
    case 2:
      return p.Context + sep + p.Title;
    case 4:
      return id + sep + p.Title;
    case 6:
      return p.Context + sep + id + sep + p.Title;
    case 8:
      return keyword ? p.Title + sep + p.Keyword : p.Title;
    case 10:
      return p.Context + sep + p.Title + (keyword ? sep + p.Keyword : "");
    // Mode 12 joins the keyword with a full-width colon (Shift-JIS 0x81 0x46).
    case 12:
      return id + sep + p.Title + (keyword ? "\x81\x46" + p.Keyword : "");
    case 14:
      return p.Context + sep + id + sep + p.Title + (keyword ? sep + p.Keyword : "");
    default:
      return "";
  }
}

namespace {

bool KnownTreeLabelMode(int mode) { return mode >= 0 && mode <= 14 && mode % 2 == 0; }

}  // namespace

bool ProjectModel::TreeLabelShows(int item) const {
  return KnownTreeLabelMode(tree_label_mode_) && (tree_label_mode_ & item) != 0;
}

int ProjectModel::TreeLabelModeToggled(int item) const {
  return (KnownTreeLabelMode(tree_label_mode_) ? tree_label_mode_ : 0) ^ item;
}

void ProjectModel::SetModified(bool modified) {
  modified_ = modified;
  if (on_modified_changed) on_modified_changed(modified);
}

void ProjectModel::UpdateBitmapSection() {
  const std::string& opts = header_.ProjectOptions;
  if (opts.size() >= 8 && opts[7] != '0') {
    header_.BitmapSection = AsciiLower(PathToSjis(FileNameOf(file_name_)));
  } else {
    header_.BitmapSection = kDefaultBitmapSection;
  }
}

void ProjectModel::ClearProject() {
  pages_.clear();
  header_ = ProjectHeader::Defaults();
  file_name_.clear();
  topics_left_out_ = false;
  current_page_ = 1;
  SetModified(false);
}

PageRecord ProjectModel::MakeNewPage() const {
  PageRecord p;
  p.Context = NextFreeContext();
  p.ContextID = NextFreeContextID();
  p.Title = p.Context;
  p.Attribute = kTopicPage;
  return p;
}

void ProjectModel::NewProject(const std::string& program_folder) {
  ClearProject();
  file_name_ = program_folder + kUntitledProjectName;
  pages_.push_back(MakeNewPage());
  current_page_ = 1;
}

}  // namespace qy
