// The link dialog without its window: the page tree it shows, the page
// search, the status line and button states, the window list and the
// hotspot options with their settings. Serves the jump and popup commands
// and, as a page picker, the macro function SelectPage.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "markup/hotspot_markup.h"
#include "project/page_tree.h"
#include "project/project_model.h"

namespace qy {

// The dialog's smallest and default size.
inline constexpr int kLinkDialogMinWidth = 440;
inline constexpr int kLinkDialogMinHeight = 287;

struct LinkTreeNode {
  int page = 0;     // 1-based page index
  int parent = -1;  // index of the parent node in LinkPageTree::nodes, -1 = root
  int image = 0;
  std::string label;
};

struct LinkPageTree {
  std::vector<LinkTreeNode> nodes;  // in page order
  // Pages 1..page_count were walked (the first page without a context ends
  // the walk).
  int page_count = 0;
  // False when a book skipped levels; such a book has no node.
  bool well_formed = true;

  // Index of the page's node, -1 when it has none.
  int NodeOfPage(int page) const;
};

// Builds the tree fresh from the project: Topic, Popup, Content and Include
// pages hang under the book of the current depth; a book of level L hangs
// under the book of level L-1 and opens level L. A book deeper than one
// below the current depth is left out and marks the tree as not well formed.
LinkPageTree BuildLinkPageTree(const ProjectModel& project);

// Image of a node: books show the open book when expanded.
int LinkNodeImage(const LinkTreeNode& node, bool expanded);

// Searches among the Topic and Popup pages first_page..last_page for a page
// whose Title equals (`exact`) or contains `text`. Both compare bytes, case
// sensitive; a partial match never begins on the trail byte of a
// double-byte character. Returns the page index, 0 when none.
int FindPageByTitle(const ProjectModel& project, std::string_view text, int first_page,
                    int last_page, bool exact);

// Window names of a [WINDOWS] text: per line, the text before the first "="
// when that "=" is not the line's first character.
std::vector<std::string> WindowNames(std::string_view windows_section);

// "\r\n「text」 は見つかりませんでした。"
std::string PageNotFoundMessage(std::string_view text);

// Top-left corner of a dialog centred over the main window.
struct DialogOrigin {
  int left = 0;
  int top = 0;
};
DialogOrigin CenterOver(int main_left, int main_top, int main_width, int main_height,
                        int dialog_width, int dialog_height);

class LinkDialogModel {
 public:
  LinkDialogModel(const ProjectModel& project, Settings& settings, LinkMode mode);

  // Builds the tree, makes the initial selection from the editor's selected
  // text, reads the size and colour settings and fills the window list.
  void Prepare(std::string_view selected_text);

  LinkMode mode() const { return mode_; }
  const LinkPageTree& tree() const { return tree_; }

  std::string Caption() const;
  std::string NormalButtonCaption() const;
  std::string ButtonButtonCaption() const;
  bool ShowsWindowRow() const { return mode_ == LinkMode::kJump; }
  bool ShowsHotspotOptions() const { return mode_ != LinkMode::kPagePick; }

  int width() const { return width_; }
  int height() const { return height_; }
  // Resizing; the dialog never gets smaller than its minimum.
  void SetSize(int width, int height);

  // --- Target page --------------------------------------------------------
  int target_page() const { return target_page_; }
  // A node was selected; pages without a node are ignored.
  void SelectPage(int page);
  // "コンテキスト名 : " + context + kind suffix; empty before a selection.
  std::string StatusLine() const;
  // The insert buttons need a Topic or Popup target.
  bool InsertEnabled() const;

  // --- Page search --------------------------------------------------------
  void SetFindText(std::string text) { find_text_ = std::move(text); }
  const std::string& find_text() const { return find_text_; }
  bool FindEnabled() const { return !find_text_.empty(); }
  // "先頭から検索" and "次を検索": select the found page, or tell the user and
  // keep the selection. Return whether a page was found.
  bool FindFromTop(Prompter& prompter);
  bool FindNext(Prompter& prompter);

  // --- Hotspot options ----------------------------------------------------
  HotspotOptions& options() { return options_; }
  const HotspotOptions& options() const { return options_; }
  // Underline box, slider and swatches follow the colour-change box.
  bool ColorControlsEnabled() const { return options_.color_change; }

  // --- Other window (Jump mode) -------------------------------------------
  const std::vector<std::string>& windows() const { return windows_; }
  bool OtherWindowBoxEnabled() const { return !windows_.empty(); }
  bool other_window() const { return other_window_; }
  void SetOtherWindow(bool on) { other_window_ = on && OtherWindowBoxEnabled(); }
  bool WindowListEnabled() const { return other_window_; }
  int window_index() const { return window_index_; }
  void SetWindowIndex(int index);

  // --- Results ------------------------------------------------------------
  // Text of an insert button for the current target and options; nullopt
  // when no Topic or Popup page is targeted or in PagePick mode.
  std::optional<std::string> Markup(HotspotForm form, std::string_view selected) const;
  // Replaces the editor's selection with Markup; false inserts nothing.
  bool Insert(HotspotForm form, Editor& editor) const;
  // Writes the size and the colour keys of the mode's family; every way of
  // closing the dialog does this.
  void Close();
  // SelectPage's value: the 0-based index of the picked page, -1 when
  // cancelled or nothing was picked.
  int PickResult(bool accepted) const;

 private:
  struct ColorKeys;
  ColorKeys Keys() const;
  bool SelectFound(int page, Prompter& prompter);

  const ProjectModel& project_;
  Settings& settings_;
  LinkMode mode_;
  LinkPageTree tree_;
  int target_page_ = 0;
  std::string find_text_;
  HotspotOptions options_;
  std::vector<std::string> windows_;
  bool other_window_ = false;
  int window_index_ = -1;
  int width_ = kLinkDialogMinWidth;
  int height_ = kLinkDialogMinHeight;
};

// The macro function SelectPage: -1 without a dialog when `current_page` is
// not a Topic or Popup page; otherwise prepares the dialog in PagePick mode,
// lets `show` run it (true = OK) and returns the picked page's 0-based index
// or -1.
int SelectPageWithDialog(const ProjectModel& project, Settings& settings, int current_page,
                         std::string_view selected_text,
                         const std::function<bool(LinkDialogModel&)>& show);

}  // namespace qy
