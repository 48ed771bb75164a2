// The page properties dialog ("ページのプロパティ") without its widgets: the
// values in its boxes, the kind and book level chosen, which rows show for
// that kind, the lists it offers, its searches for a free context and ID and
// its view options. Nothing reaches the page before Accept.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/prompter.h"
#include "core/settings.h"
#include "project/page_acceptance.h"
#include "project/page_record.h"
#include "project/project_model.h"

namespace qy {

// The rows of the dialog, top to bottom.
enum class PageRow {
  kContext,
  kContextId,
  kTitle,
  kTitleIsKeyword,  // the check box "タイトル = キーワード(&Q)"
  kKeyword,
  kAKeyword,
  kBKeyword,
  kWindow,
  kMacro,
  kInclude,
  kLevel,
};

inline constexpr int kPagePropertiesHelpContext = 38;

class PagePropertiesModel {
 public:
  // Loads the current page of `model`. `preset` chooses another kind at once
  // (the commands that make a page an Include page or a book open the dialog
  // that way); a book attribute brings its level.
  PagePropertiesModel(ProjectModel& model, Settings& settings,
                      std::optional<PageAttribute> preset = std::nullopt);

  int page() const { return page_; }
  // The context the page had when the dialog opened.
  const std::string& original_context() const { return original_context_; }

  // --- Kind and book level ---------------------------------------------------
  // kTopicPage .. kIncludePage, or any book attribute (its level is taken).
  void ChooseKind(PageAttribute kind);
  // The kind chosen: 0..3, or 10 + level for a book.
  PageAttribute ChosenAttribute() const;
  bool BookChosen() const { return book_; }
  int level() const { return level_; }
  void SetLevel(int level);
  // Whether the slider's level fits under the nearest book before the page.
  bool LevelAllowed() const;
  bool OkEnabled() const { return !book_ || LevelAllowed(); }
  // "トピック属性" ... "ブック属性 [レベル n]" / "ブック属性 [レベル 不可]".
  std::string KindLabel() const;
  std::vector<PageRow> VisibleRows() const;

  // --- Boxes -----------------------------------------------------------------
  // The boxes as typed; `attribute` follows the kind chosen.
  const PagePropertiesInput& input() const { return input_; }
  void SetContext(const std::string& text) { input_.context = text; }
  // Takes only digits, at most 9 of them (or an empty box); anything else is
  // undone: returns false and keeps the old text.
  bool SetIdText(const std::string& text);
  // The ID box takes digit keys and backspace only.
  static bool IdKeyAllowed(char c);
  void SetTitle(const std::string& text);
  void SetKeyword(const std::string& text);
  void SetAKeyword(const std::string& text) { input_.akeyword = text; }
  void SetBKeyword(const std::string& text) { input_.bkeyword = text; }
  void SetWindow(const std::string& text) { input_.window = text; }
  void SetMacro(const std::string& text) { input_.macro = text; }
  void SetIncludeFile(const std::string& text) { input_.include_file = text; }
  bool title_is_keyword() const { return title_is_keyword_; }
  void SetTitleIsKeyword(bool ticked);

  // --- Lists and searches ----------------------------------------------------
  const std::vector<std::string>& WindowList() const { return window_list_; }
  const std::vector<std::string>& IncludeList() const { return include_list_; }
  // "空いているコンテキストを探す(&C)": when another page uses the context in
  // the box, puts in a free one. Returns whether the box changed.
  bool FindFreeContext();
  // "空いているコンテキストＩＤを探す(&D)": likewise for the ID box.
  bool FindFreeContextId();

  // --- View options (section PageProp) --------------------------------------
  bool tip_hints() const { return tip_hints_; }
  void SetTipHints(bool on) { tip_hints_ = on; }
  bool proportional_font() const { return proportional_font_; }
  void SetProportionalFont(bool on) { proportional_font_ = on; }
  // The font of the boxes: "" for the dialog's own proportional font.
  std::string BoxFontName() const;
  int width() const { return width_; }  // 0: as designed
  void SetWidth(int width) { width_ = width; }
  bool FlatKindButtons() const;
  // Captions and hints (Shift-JIS); hints are "" while tip hints are off.
  static std::string RowCaption(PageRow row);
  std::string RowHint(PageRow row) const;
  std::string KindLabelHint() const;
  // Writes the view options and the width; called when the dialog closes,
  // whether by OK or Cancel.
  void SaveViewOptions();

  // --- OK --------------------------------------------------------------------
  // Runs the acceptance checks and stores the page; `confirm` is asked when
  // the kind changes. A failed check is shown and nothing is returned (the
  // dialog stays open). On success the context list is refreshed; the window
  // refreshes the tree node (rebuilds the tree when the outcome says so) and
  // tells the page history.
  std::optional<PagePropertiesOutcome> Accept(Prompter& prompter, const ConfirmKindChange& confirm);
  // The row whose box the last refused Accept was about (its focus goes
  // there); nothing when the kind change was refused or OK was disabled.
  std::optional<PageRow> refused_row() const { return refused_row_; }

  // The row that takes the focus when the dialog opens asking for `wanted`
  // (a click on a keyword-bar field): `wanted` when it shows for the kind
  // chosen, the include box for an Include page's title, else the context.
  PageRow FocusRow(PageRow wanted) const;

 private:
  ProjectModel& model_;
  Settings& settings_;
  int page_ = 0;
  std::string original_context_;
  PagePropertiesInput input_;
  PageAttribute base_kind_ = kTopicPage;  // 0..3 when not a book
  bool book_ = false;
  int level_ = 1;
  bool title_is_keyword_ = false;
  std::vector<std::string> window_list_;
  std::vector<std::string> include_list_;
  bool tip_hints_ = true;
  bool proportional_font_ = true;
  int width_ = 0;
  std::optional<PageRow> refused_row_;
};

// The distinct non-empty window names of the Topic and Popup pages, in page
// order.
std::vector<std::string> PageWindowNames(const ProjectModel& model);

// Names (without folder, Shift-JIS) of the ".cnt" files in `folder`, then of
// the ".toc" files, each group sorted by name. The extension compares without
// regard to case, as on the file system the files come from. An unreadable
// or missing folder gives no names.
std::vector<std::string> IncludeFileNames(const std::string& folder);

}  // namespace qy
