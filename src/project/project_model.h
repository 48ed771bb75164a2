// The one in-memory help project: a header and an ordered table of at most
// 999 pages, numbered from 1. The page order is the document order of the
// help and the pre-order of the page tree.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "project/page_record.h"

namespace qy {

// Project-wide settings kept in the project file.
struct ProjectHeader {
  std::string HelpTitle;
  std::string HelpCopyright;
  int FontNameIndex = 0;
  int FontSizeIndex = 3;
  int CompressMode = 0;
  std::string Word;            // CR LF lines, at most 10
  std::string WindowsSection;  // CR LF lines
  std::string ConfigSection;   // CR LF lines
  std::string ProjectOptions;  // 8 flag characters, main window name, optional "//" + include file
  int ReservedNumber = 0;
  std::string BitmapSection;

  static ProjectHeader Defaults();
  bool operator==(const ProjectHeader&) const = default;
};

inline constexpr char kDefaultWindowsSection[] = "main=\"\",,27648,(r14876671),(r12632256)";
inline constexpr char kDefaultProjectOptions[] = "00000000main";
inline constexpr char kDefaultBitmapSection[] = "Etcetera";
inline constexpr char kUntitledProjectName[] = "Project1.qyp";

// The label modes are sums of what the page tree shows beside the title:
// 0, 2, 4, ... 14.
inline constexpr int kLabelContext = 2;
inline constexpr int kLabelContextId = 4;
inline constexpr int kLabelKeyword = 8;

class ProjectModel {
 public:
  ProjectModel();
  ProjectModel(const ProjectModel&) = delete;
  ProjectModel& operator=(const ProjectModel&) = delete;

  // --- Pages -------------------------------------------------------------
  int PageCount() const { return static_cast<int>(pages_.size()); }
  bool IsFull() const { return PageCount() >= kMaxPages; }
  bool ValidPage(int page) const { return page >= 1 && page <= PageCount(); }
  // Page 1..PageCount(); throws std::out_of_range outside.
  const PageRecord& Page(int page) const;
  // Raw access for the page operations and the file reader, which keep the
  // invariants themselves.
  PageRecord& MutablePage(int page);
  const std::vector<PageRecord>& Pages() const { return pages_; }

  // Field access with the model's rules: a getter returns "" for a field that
  // does not apply to the page's kind; a setter cuts to 255 bytes (Topic
  // excepted) at a character boundary and refuses (returns false) a field
  // that does not apply. Neither touches Modified.
  std::string GetField(int page, PageField field) const;
  bool SetField(int page, PageField field, std::string_view value);
  std::int32_t GetContextID(int page) const { return Page(page).ContextID; }
  void SetContextID(int page, std::int32_t id) { MutablePage(page).ContextID = id; }
  // Changes the kind and clears the fields that do not apply to the new kind.
  void SetAttribute(int page, PageAttribute attribute);

  // Inserts at position 1..PageCount()+1 (the pages from there move down).
  // Returns false, changing nothing, when the table is full.
  bool InsertPage(int position, PageRecord page);
  bool AppendPage(PageRecord page) { return InsertPage(PageCount() + 1, std::move(page)); }
  void RemovePage(int page);
  void SwapPages(int a, int b);
  void ClearPages() { pages_.clear(); }
  // The whole table at once, as the file reader builds it; pages beyond the
  // table's size are dropped.
  void ReplacePages(std::vector<PageRecord> pages);

  // --- Context and ID search ----------------------------------------------
  // The lowest free "HLP000nnn" from 1 (a context in another letter case
  // counts as used) and the lowest free ID from 1 (the new-page rule).
  std::string NextFreeContext() const;
  std::int32_t NextFreeContextID() const;
  // The second search: candidates 2..count+1, the last one when all are used;
  // "HLP000" with no page at all.
  std::string SecondFreeContext() const;
  // Comparisons leave out page `except_page` (0 = none); contexts compare
  // ignoring ASCII case.
  bool ContextInUse(std::string_view context, int except_page = 0) const;
  bool ContextIDInUse(std::int32_t id, int except_page = 0) const;
  // First page (1-based) whose context matches ignoring case, 0 when none.
  int FindContext(std::string_view context) const;

  // --- Labels ---------------------------------------------------------------
  std::string TreeLabel(int page) const;
  int TreeLabelMode() const { return tree_label_mode_; }
  void SetTreeLabelMode(int mode) { tree_label_mode_ = mode; }
  // Whether the label shows `item` (kLabelContext, kLabelContextId or
  // kLabelKeyword) beside the title; an unknown mode shows none.
  bool TreeLabelShows(int item) const;
  // The mode with `item` switched; from an unknown mode, `item` alone.
  int TreeLabelModeToggled(int item) const;

  // --- Header and state ---------------------------------------------------
  ProjectHeader& Header() { return header_; }
  const ProjectHeader& Header() const { return header_; }

  const std::string& ProjectFileName() const { return file_name_; }
  void SetProjectFileName(std::string name) { file_name_ = std::move(name); }

  bool Modified() const { return modified_; }
  // Stores the flag and tells the window (status bar panel 3 shows "変更").
  void SetModified(bool modified);
  std::function<void(bool)> on_modified_changed;

  // The pages were loaded without their topic texts (TopicLoad::kLeaveOut):
  // the model is a read-only outline and must never be written to a file.
  bool TopicsLeftOut() const { return topics_left_out_; }
  void SetTopicsLeftOut(bool left_out) { topics_left_out_ = left_out; }

  int CurrentPage() const { return current_page_; }
  void SetCurrentPage(int page) { current_page_ = page; }

  // `BitmapSection` from ProjectOptions character 8 and the file name.
  void UpdateBitmapSection();

  // Empties every page and resets the header and state (file name "",
  // current page 1, not modified). The window-side steps of clearing a
  // project (settings, context-list file, views) belong to the caller.
  void ClearProject();
  // ClearProject, then the untitled project: file `program_folder` +
  // "Project1.qyp" and page 1 made by the new-page rule.
  void NewProject(const std::string& program_folder);

  // A page made by the new-page rule: next free context and ID, title =
  // context, kind Topic.
  PageRecord MakeNewPage() const;

 private:
  // used[n] for n = 1..limit: some page holds NumberedContext(n), in any case.
  std::vector<bool> UsedContextNumbers(int limit) const;

  std::vector<PageRecord> pages_;
  ProjectHeader header_;
  std::string file_name_;
  bool modified_ = false;
  bool topics_left_out_ = false;
  int current_page_ = 1;
  int tree_label_mode_ = 0;
};

// "HLP000" + n in three digits (n = 1..999; larger n are written in full).
std::string NumberedContext(int n);

}  // namespace qy
