// The commands that change the page table as a whole: new page, delete, move
// up and down, copy, cut and paste through the clipboard, drag and drop in the
// page tree, and the change of a page's kind. Each works on the model's
// current page and says in its result what the page tree has to do, so that
// the tree always equals the tree build of the new page order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/platform.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "project/attribute_change.h"
#include "project/page_acceptance.h"
#include "project/page_record.h"
#include "project/page_tree.h"
#include "project/project_model.h"

namespace qy {

// What the window does to its page tree after a command.
enum class TreeChange {
  kNone,         // nothing (the command did not change the table)
  kRefreshNode,  // node `node_page` gets a new label and image
  kInsertNode,   // a node for `node_page` is added under `parent_page` at `child_index`
  kRemoveNode,   // the node of former page `node_page` goes; it had no children
  kMoveNode,     // the node of former page `from_page` (no children) moves to
                 // `node_page`, under `parent_page` at `child_index`
  kRebuild,      // the tree is shown anew from `tree`
};

struct PageCommandResult {
  // The page table changed (Modified is set and the context list refreshed).
  bool changed = false;
  TreeChange tree_change = TreeChange::kNone;
  int node_page = 0;
  int from_page = 0;
  int parent_page = 0;  // 0 = the root
  int child_index = 0;  // among the parent's children, from 0
  // The page to select in the tree and to show in the editor (from 1).
  int current_page = 0;
  // The editor must load the current page.
  bool show_page = false;
  bool focus_editor = false;
  // The page-properties dialog opens for the new page (Option/PageProp).
  bool open_properties = false;
  // The current page's topic was emptied by a kind change.
  bool topic_cleared = false;
  // The tree of the new page order, after any repair of book levels.
  PageTree tree;
};

inline constexpr char kDeleteConfirmCaption[] = "Quillory - ページ削除確認";

class PageCommands {
 public:
  PageCommands(ProjectModel& model, Prompter& prompter, Clipboard& clipboard, Settings& settings);

  // --- Commands on the current page ------------------------------------------
  // A new Topic page by the new-page rule, right after the current page.
  PageCommandResult NewPageCommand();
  // Puts a Topic page with the given context, title and ID (other fields
  // empty) right after the current page (page 1 of an empty table) and makes
  // it current. Refuses, changing nothing, when the table is full or the
  // context is empty. Sets Modified but leaves the context list to the
  // command. Without `update_tree` the result asks nothing of the tree.
  PageCommandResult InsertPage(const std::string& context, const std::string& title,
                               std::int32_t context_id, bool update_tree = true);
  PageCommandResult DeletePage();
  PageCommandResult MovePageUp();
  PageCommandResult MovePageDown();
  // Puts the current page on the clipboard; false when there is no page.
  bool CopyPage();
  PageCommandResult CutPage();
  PageCommandResult PastePage();
  // Moves the current page to right after page `target_page` (the page of
  // the node it was dropped on).
  PageCommandResult DropPage(int target_page);
  // The kind commands ("トピック属性(&T)" and the like).
  PageCommandResult ChangePageAttribute(PageAttribute new_kind);
  // Decides, asking when Option/AttrConfirm is on and the change loses
  // something, what changing the current page to `new_kind` means.
  AttributeChange ConfirmAttributeChange(PageAttribute new_kind);
  // The same decision for the page-properties dialog: false keeps it open.
  ConfirmKindChange KindChangeConfirmation();

  // --- Points where other features attach ----------------------------------
  // True while a page is out in the external editor: new, delete, cut and
  // paste then do nothing.
  std::function<bool()> page_out_in_editor;
  // Told about a page that the user deleted or cut (not a page moved by drag
  // and drop), before it leaves the table: the page history drops its entry.
  std::function<void(const PageRecord& deleted)> on_page_deleted;

  TreeBuilder& tree_builder() { return tree_builder_; }

 private:
  bool OutInEditor() const { return page_out_in_editor && page_out_in_editor(); }
  bool HasCurrentPage() const { return model_.ValidPage(model_.CurrentPage()); }
  // Warns that the table is full; true when it is.
  bool RefuseWhenFull();
  bool ConfirmDelete(const std::string& text);
  // Removes the current page without a question; the page before it becomes
  // current.
  PageCommandResult RemoveCurrentPage(bool notify_history);
  PageCommandResult MovePage(int from, int to);
  PageCommandResult Rebuild(PageCommandResult result);
  // Fills the tree and the node's place in it from the model.
  PageCommandResult Place(PageCommandResult result);
  // Sets Modified and rewrites the context list when it exists.
  void Finish(PageCommandResult& result);

  ProjectModel& model_;
  Prompter& prompter_;
  Clipboard& clipboard_;
  Settings& settings_;
  TreeBuilder tree_builder_;
};

// "ページが999個あります。" CR LF CR LF "これ以上ページを作成できません。"
std::string PageTableFullMessage();

}  // namespace qy
