#include "project/page_properties_model.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"
#include "project/context_list.h"
#include "project/free_context.h"
#include "project/page_tree.h"

namespace qy {

namespace {

constexpr std::size_t kIdDigits = 9;

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Names of the regular files in `folder` whose extension is `ext` (with dot,
// lower case) in any letter case, sorted.
std::vector<std::string> FilesWithExtension(const std::filesystem::path& folder,
                                            const std::string& ext) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return names;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    const std::filesystem::path& path = it->path();
    if (AsciiLower(path.extension().string()) != ext) continue;
    names.push_back(PathToSjis(path.filename().string()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::vector<std::string> PageWindowNames(const ProjectModel& model) {
  std::vector<std::string> names;
  for (const PageRecord& page : model.Pages()) {
    if (!IsHelpTopic(page.Attribute) || page.Window.empty()) continue;
    if (std::find(names.begin(), names.end(), page.Window) == names.end()) {
      names.push_back(page.Window);
    }
  }
  return names;
}

std::vector<std::string> IncludeFileNames(const std::string& folder) {
  if (folder.empty()) return {};
  std::vector<std::string> names = FilesWithExtension(folder, ".cnt");
  std::vector<std::string> tocs = FilesWithExtension(folder, ".toc");
  names.insert(names.end(), tocs.begin(), tocs.end());
  return names;
}

PagePropertiesModel::PagePropertiesModel(ProjectModel& model, Settings& settings,
                                         std::optional<PageAttribute> preset)
    : model_(model), settings_(settings), page_(model.CurrentPage()) {
  if (model_.ValidPage(page_)) {
    const PageRecord& page = model_.Page(page_);
    original_context_ = page.Context;
    input_.context = page.Context;
    input_.id_text = std::to_string(page.ContextID);
    // A negative ID (only a hand-edited file has one) can not be typed into
    // the digits-only box; the box starts empty and must be filled in.
    if (page.ContextID < 0) input_.id_text.clear();
    // An Include page's title is its file name; it also fills the title box
    // so that a change to another kind starts from it.
    input_.title = page.Title;
    if (page.Attribute == kIncludePage) input_.include_file = page.Title;
    input_.keyword = page.Keyword;
    input_.akeyword = page.AKeyword;
    input_.bkeyword = page.BKeyword;
    input_.window = page.Window;
    input_.macro = page.Macro;
    ChooseKind(page.Attribute);
  }
  if (preset) ChooseKind(*preset);

  window_list_ = PageWindowNames(model_);
  if (!model_.ProjectFileName().empty()) {
    include_list_ = IncludeFileNames(FolderOf(model_.ProjectFileName()));
  }
  tip_hints_ = settings_.GetBool(keys::kPagePropCipHint);
  proportional_font_ = settings_.GetBool(keys::kPagePropFont);
  width_ = settings_.GetInt(keys::kWindowPageWidth);
}

void PagePropertiesModel::ChooseKind(PageAttribute kind) {
  if (IsBook(kind)) {
    book_ = true;
    SetLevel(BookLevel(kind));
  } else if (kind >= kTopicPage && kind <= kIncludePage) {
    book_ = false;
    base_kind_ = kind;
  }
  input_.attribute = ChosenAttribute();
}

PageAttribute PagePropertiesModel::ChosenAttribute() const {
  return book_ ? BookAttribute(level_) : base_kind_;
}

void PagePropertiesModel::SetLevel(int level) {
  level_ = std::clamp(level, 1, kMaxBookLevel);
  input_.attribute = ChosenAttribute();
}

bool PagePropertiesModel::LevelAllowed() const { return level_ <= MaxBookLevelAt(model_, page_); }

std::string PagePropertiesModel::KindLabel() const {
  if (book_) {
    if (!LevelAllowed()) return Sjis("ブック属性 [レベル 不可]");
    return Sjis("ブック属性 [レベル ") + std::to_string(level_) + "]";
  }
  switch (base_kind_) {
    case kPopupPage:
      return Sjis("ポップアップ属性");
    case kContentPage:
      return Sjis("コンテント属性");
    case kIncludePage:
      return Sjis("インクルード属性");
    default:
      return Sjis("トピック属性");
  }
}

std::vector<PageRow> PagePropertiesModel::VisibleRows() const {
  using R = PageRow;
  if (book_) return {R::kContext, R::kContextId, R::kTitle, R::kLevel};
  switch (base_kind_) {
    case kContentPage:
      return {R::kContext, R::kContextId, R::kTitle};
    case kIncludePage:
      return {R::kContext, R::kContextId, R::kInclude};
    default:
      return {R::kContext,  R::kContextId, R::kTitle,  R::kTitleIsKeyword, R::kKeyword,
              R::kAKeyword, R::kBKeyword,  R::kWindow, R::kMacro};
  }
}

bool PagePropertiesModel::SetIdText(const std::string& text) {
  if (text.size() > kIdDigits || !AllDigits(text)) return false;
  input_.id_text = text;
  return true;
}

bool PagePropertiesModel::IdKeyAllowed(char c) { return (c >= '0' && c <= '9') || c == '\b'; }

void PagePropertiesModel::SetTitle(const std::string& text) {
  input_.title = text;
  if (title_is_keyword_) input_.keyword = text;
}

void PagePropertiesModel::SetKeyword(const std::string& text) {
  input_.keyword = text;
  if (text != input_.title) title_is_keyword_ = false;
}

void PagePropertiesModel::SetTitleIsKeyword(bool ticked) {
  title_is_keyword_ = ticked;
  if (ticked) input_.keyword = input_.title;
}

bool PagePropertiesModel::FindFreeContext() {
  if (!model_.ContextInUse(LimitField(input_.context), page_)) return false;
  input_.context = UnusedContextFromTwo(model_);
  return true;
}

bool PagePropertiesModel::FindFreeContextId() {
  const std::optional<std::int32_t> id = ParseContextIdText(input_.id_text);
  if (!id || !model_.ContextIDInUse(*id, page_)) return false;
  input_.id_text = std::to_string(model_.NextFreeContextID());
  return true;
}

std::string PagePropertiesModel::BoxFontName() const {
  return proportional_font_ ? "" : Sjis("ＭＳ ゴシック");
}

bool PagePropertiesModel::FlatKindButtons() const {
  return settings_.GetBool(keys::kOptionTooBarFlat);
}

std::string PagePropertiesModel::RowCaption(PageRow row) {
  switch (row) {
    case PageRow::kContext:
      return Sjis("コンテキスト(&C) :");
    case PageRow::kContextId:
      return Sjis("コンテキストＩＤ(&D) :");
    case PageRow::kTitle:
      return Sjis("タイトル(&T) :");
    case PageRow::kTitleIsKeyword:
      return Sjis("タイトル = キーワード(&Q)");
    case PageRow::kKeyword:
      return Sjis("Ｋキーワード(&K) :");
    case PageRow::kAKeyword:
      return Sjis("Ａキーワード(&A) :");
    case PageRow::kBKeyword:
      return Sjis("Ｂキーワード(&B) :");
    case PageRow::kWindow:
      return Sjis("ウインドウ(&W) :");
    case PageRow::kMacro:
      return Sjis("ページマクロ(&U) :");
    case PageRow::kInclude:
      return Sjis("インクルード(&I) :");
    case PageRow::kLevel:
      return Sjis("階層レベル(&L) :");
  }
  return "";
}

std::string PagePropertiesModel::RowHint(PageRow row) const {
  if (!tip_hints_) return "";
  switch (row) {
    case PageRow::kContext:
      return Sjis(
          "ページのコンテキスト（トピックＩＤ）を入力してください。"
          "（通常はデフォルトを変更しないでください。）");
    case PageRow::kTitle:
      return Sjis("ページのタイトルを入力してください。");
    case PageRow::kKeyword:
      return Sjis("セミコロンで区切って複数のキーワードを入力できます。");
    case PageRow::kAKeyword:
      return Sjis("セミコロンで区切って複数のＡキーワードを入力できます。");
    case PageRow::kBKeyword:
      return Sjis("セミコロンで区切って複数のＢキーワードを入力できます。");
    case PageRow::kWindow:
      return Sjis("このページで使用するウインドウスタイルを入力します。");
    case PageRow::kMacro:
      return Sjis("ページマクロ（！脚注）を入力します。");
    case PageRow::kInclude:
      return Sjis("インクルードするファイル名を入力してください。");
    default:
      return "";
  }
}

std::string PagePropertiesModel::KindLabelHint() const {
  return tip_hints_ ? Sjis("クリックでページ属性を変更メニューを表示します。") : "";
}

void PagePropertiesModel::SaveViewOptions() {
  // A settings file that can not be written only loses the view options.
  settings_.SetBool(keys::kPagePropCipHint, tip_hints_);
  settings_.SetBool(keys::kPagePropFont, proportional_font_);
  settings_.SetInt(keys::kWindowPageWidth, width_);
}

PageRow PagePropertiesModel::FocusRow(PageRow wanted) const {
  const std::vector<PageRow> rows = VisibleRows();
  if (std::find(rows.begin(), rows.end(), wanted) != rows.end()) return wanted;
  if (wanted == PageRow::kTitle && !book_ && base_kind_ == kIncludePage) return PageRow::kInclude;
  return PageRow::kContext;
}

std::optional<PagePropertiesOutcome> PagePropertiesModel::Accept(Prompter& prompter,
                                                                 const ConfirmKindChange& confirm) {
  refused_row_.reset();
  if (!OkEnabled()) return std::nullopt;
  input_.attribute = ChosenAttribute();
  if (std::optional<PageCheckFailure> failure = FirstFailedPageCheck(model_, page_, input_)) {
    static constexpr PageRow kRows[] = {PageRow::kContext, PageRow::kContextId, PageRow::kTitle,
                                        PageRow::kInclude};
    refused_row_ = kRows[static_cast<int>(failure->box)];
    prompter.Information(failure->message);
    return std::nullopt;
  }
  std::optional<PagePropertiesOutcome> outcome =
      ApplyPageProperties(model_, page_, input_, confirm);
  if (!outcome) return outcome;
  const FileResult written = RefreshContextList(model_);
  if (!written) prompter.Error(ContextListWriteError(ContextListFileName(model_), written.error));
  return outcome;
}

}  // namespace qy
