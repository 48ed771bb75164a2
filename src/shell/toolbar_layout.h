// The five layout toolbars, their buttons and separators, and the toolbar
// layout file (".bar", the settings-file format): one section per toolbar,
// one Boolean per button or separator ("1" shown, "0" hidden, missing
// shown). The options dialog's toolbar page edits a ToolbarLayout.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "shell/command_list.h"

namespace qy {

enum class ToolbarId { kNone, kFile, kEdit, kProject, kPage, kShortCut };

struct ToolbarInfo {
  ToolbarId id;
  const char* layout_section;    // section of the layout file
  const char* settings_section;  // section of its Visible key in the settings file
  CommandId view_command;        // its View-menu item
  int tree_number;               // its node in the toolbar table
};

// The five toolbars in layout order.
std::span<const ToolbarInfo> Toolbars();
// Null for ToolbarId::kNone.
const ToolbarInfo* FindToolbar(ToolbarId id);
// The keyword bar is a toolbar of the window with a Visible key, but it has
// no buttons to lay out.
inline constexpr char kKeywordBarSettingsSection[] = "tbrKeyWord";

// One row of the toolbar table: the root (0), a toolbar node (no toolbar,
// no key) or a button or separator of a toolbar.
struct ToolbarRow {
  int number;
  ToolbarId toolbar;
  const char* key;      // layout-file key, "" for the root and toolbar nodes
  const char* button;   // control name; separators start with "tbr"
  const char* caption;  // UTF-8, as the layout tree shows it
  CommandId command;    // the command the button runs, kCmdNone for none

  bool HasKey() const { return key[0] != '\0'; }
  bool IsSeparator() const { return button[0] == 't' && button[1] == 'b' && button[2] == 'r'; }
};

inline constexpr int kToolbarRowCount = 66;

std::span<const ToolbarRow> ToolbarRows();
const ToolbarRow* FindToolbarRow(int number);
const ToolbarRow* FindToolbarButton(std::string_view button);
// The buttons and separators of one toolbar in their order.
std::span<const ToolbarRow> ToolbarItems(ToolbarId toolbar);
// The caption in the layout tree, Shift-JIS.
std::string ToolbarCaption(const ToolbarRow& row);
// Buttons are numbered 0, 1, 2, ... in table order for their images;
// separators, the root and the toolbar nodes give -1. The number does not
// depend on which buttons are shown.
int ButtonImageIndex(int number);

// Which buttons and separators are shown; by default all of them.
class ToolbarLayout {
 public:
  ToolbarLayout() { shown_.fill(true); }

  // The layout in a layout file's bytes; nullopt (no file) gives the
  // default. Values are integers, non-zero meaning shown; a missing key or
  // a value that is not a number means shown.
  static ToolbarLayout FromFile(const std::optional<std::string>& data);
  // Reads the layout file. A missing file is the default; a file that
  // cannot be read is the default too, with `error` telling why.
  static ToolbarLayout Read(const std::string& path, std::string* error = nullptr);

  // Rows without a key are always shown.
  bool Shown(int number) const;
  // Ignored for rows without a key.
  void SetShown(int number, bool shown);

  // The layout file's bytes with every button's and separator's state
  // written; other lines of `existing` stay.
  std::string FileText(std::string_view existing) const;
  // Writes the layout file atomically. A file that exists but cannot be
  // read is left alone.
  FileResult Write(const std::string& path) const;

  bool operator==(const ToolbarLayout&) const = default;

 private:
  std::array<bool, kToolbarRowCount> shown_;
};

// What start-up applies to one button or separator.
struct ToolbarItemState {
  const ToolbarRow* row;
  bool shown;
  int image;  // ButtonImageIndex, -1 for separators
};
// Every button and separator (rows 2..65 with a key) in table order.
std::vector<ToolbarItemState> ApplyToolbarLayout(const ToolbarLayout& layout);

// One node of the toolbar page's tree, in pre-order: the root "Quillory",
// one node per toolbar, one tick-box node per button or separator.
struct ToolbarTreeNode {
  enum class Kind { kRoot, kToolbar, kItem };
  Kind kind;
  int parent;           // index of the parent node, -1 for the root
  std::string caption;  // Shift-JIS
  int number;           // row of the toolbar table
  bool checked;         // items only: shown
};
std::vector<ToolbarTreeNode> BuildToolbarTree(const ToolbarLayout& layout);

}  // namespace qy
