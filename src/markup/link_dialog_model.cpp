#include "markup/link_dialog_model.h"

#include <algorithm>
#include <array>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/settings_keys.h"
#include "project/page_tree.h"

namespace qy {

int LinkPageTree::NodeOfPage(int page) const {
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].page == page) return static_cast<int>(i);
  }
  return -1;
}

LinkPageTree BuildLinkPageTree(const ProjectModel& project) {
  LinkPageTree tree;
  // parent_at[d] is the node that pages at depth d hang under (-1: root).
  std::array<int, kMaxBookLevel + 1> parent_at;
  parent_at.fill(-1);
  int depth = 0;
  const int last = std::min(project.PageCount(), kMaxPages);
  for (int p = 1; p <= last; ++p) {
    const PageRecord& page = project.Page(p);
    if (page.Context.empty()) break;
    tree.page_count = p;
    LinkTreeNode node{p, -1, PageImage(page.Attribute), project.TreeLabel(p)};
    if (IsBook(page.Attribute)) {
      const int level = BookLevel(page.Attribute);
      if (level > kMaxBookLevel || level - 1 > depth) {
        tree.well_formed = false;
        continue;
      }
      node.parent = parent_at[static_cast<std::size_t>(level - 1)];
      tree.nodes.push_back(std::move(node));
      parent_at[static_cast<std::size_t>(level)] = static_cast<int>(tree.nodes.size()) - 1;
      depth = level;
    } else {
      node.parent = parent_at[static_cast<std::size_t>(depth)];
      tree.nodes.push_back(std::move(node));
    }
  }
  return tree;
}

int LinkNodeImage(const LinkTreeNode& node, bool expanded) {
  if (expanded && node.image == PageImage(BookAttribute(1))) return kOpenBookImage;
  return node.image;
}

int FindPageByTitle(const ProjectModel& project, std::string_view text, int first_page,
                    int last_page, bool exact) {
  last_page = std::min(last_page, project.PageCount());
  for (int p = std::max(first_page, 1); p <= last_page; ++p) {
    const PageRecord& page = project.Page(p);
    if (!IsHelpTopic(page.Attribute)) continue;
    if (exact ? page.Title == text : FindBytes(page.Title, text) != std::string::npos) return p;
  }
  return 0;
}

std::vector<std::string> WindowNames(std::string_view windows_section) {
  std::vector<std::string> names;
  for (const std::string& line : SplitLines(windows_section)) {
    std::size_t eq = line.find('=');
    if (eq != std::string::npos && eq >= 1) names.push_back(line.substr(0, eq));
  }
  return names;
}

std::string PageNotFoundMessage(std::string_view text) {
  return "\r\n" + Sjis("「") + std::string(text) + Sjis("」 は見つかりませんでした。");
}

DialogOrigin CenterOver(int main_left, int main_top, int main_width, int main_height,
                        int dialog_width, int dialog_height) {
  return {main_left + main_width / 2 - dialog_width / 2,
          main_top + main_height / 2 - dialog_height / 2};
}

struct LinkDialogModel::ColorKeys {
  SettingKey check;
  SettingKey underline;
  SettingKey position;
};

LinkDialogModel::LinkDialogModel(const ProjectModel& project, Settings& settings, LinkMode mode)
    : project_(project), settings_(settings), mode_(mode) {}

LinkDialogModel::ColorKeys LinkDialogModel::Keys() const {
  if (mode_ == LinkMode::kPopup) {
    return {keys::kWindowPopColorChk, keys::kWindowPopColorUdr, keys::kWindowPopColorPos};
  }
  return {keys::kWindowJmpColorChk, keys::kWindowJmpColorUdr, keys::kWindowJmpColorPos};
}

void LinkDialogModel::Prepare(std::string_view selected_text) {
  tree_ = BuildLinkPageTree(project_);
  target_page_ = 0;
  if (tree_.well_formed) {
    int found = 0;
    if (!selected_text.empty()) {
      find_text_ = std::string(selected_text);
      found = FindPageByTitle(project_, selected_text, 1, tree_.page_count, true);
      if (found == 0) found = FindPageByTitle(project_, selected_text, 1, tree_.page_count, false);
    }
    if (found != 0) {
      SelectPage(found);
    } else if (!tree_.nodes.empty()) {
      SelectPage(tree_.nodes.front().page);
    }
  }

  SetSize(settings_.GetInt(keys::kWindowLinkWidth), settings_.GetInt(keys::kWindowLinkHeight));
  const ColorKeys k = Keys();
  options_.color_change = settings_.GetBool(k.check);
  options_.underline = settings_.GetBool(k.underline);
  options_.color_index = std::clamp(settings_.GetInt(k.position), kMinColorIndex, kMaxColorIndex);

  windows_.clear();
  other_window_ = false;
  window_index_ = -1;
  if (mode_ == LinkMode::kJump) {
    windows_ = WindowNames(project_.Header().WindowsSection);
    if (!windows_.empty()) window_index_ = 0;
  }
}

std::string LinkDialogModel::Caption() const {
  switch (mode_) {
    case LinkMode::kJump:
      return Sjis("リンク先の設定 [ジャンプ]");
    case LinkMode::kPopup:
      return Sjis("リンク先の設定 [ポップアップ]");
    case LinkMode::kPagePick:
      break;
  }
  return Sjis("ページを選択");
}

std::string LinkDialogModel::NormalButtonCaption() const {
  return Sjis(mode_ == LinkMode::kPopup ? "通常ポップアップ(&N)" : "通常ジャンプ(&N)");
}

std::string LinkDialogModel::ButtonButtonCaption() const {
  return Sjis(mode_ == LinkMode::kPopup ? "ボタンポップアップ(&B)" : "ボタンジャンプ(&B)");
}

void LinkDialogModel::SetSize(int width, int height) {
  width_ = std::max(width, kLinkDialogMinWidth);
  height_ = std::max(height, kLinkDialogMinHeight);
}

void LinkDialogModel::SelectPage(int page) {
  if (tree_.NodeOfPage(page) < 0) return;
  target_page_ = page;
}

std::string LinkDialogModel::StatusLine() const {
  if (target_page_ == 0) return "";
  const PageRecord& page = project_.Page(target_page_);
  std::string line = Sjis("コンテキスト名 : ") + page.Context;
  if (IsBook(page.Attribute)) return line + Sjis(" [ブック属性]");
  switch (page.Attribute) {
    case kPopupPage:
      return line + Sjis(" [ポップアップ属性]");
    case kContentPage:
      return line + Sjis(" [コンテント属性]");
    case kIncludePage:
      return line + Sjis(" [インクルード属性]");
    default:
      return line;
  }
}

bool LinkDialogModel::InsertEnabled() const {
  return target_page_ != 0 && IsHelpTopic(project_.Page(target_page_).Attribute);
}

bool LinkDialogModel::SelectFound(int page, Prompter& prompter) {
  if (page == 0) {
    prompter.Information(PageNotFoundMessage(find_text_));
    return false;
  }
  SelectPage(page);
  return true;
}

bool LinkDialogModel::FindFromTop(Prompter& prompter) {
  if (!FindEnabled()) return false;
  return SelectFound(FindPageByTitle(project_, find_text_, 1, tree_.page_count, false), prompter);
}

bool LinkDialogModel::FindNext(Prompter& prompter) {
  if (!FindEnabled()) return false;
  return SelectFound(
      FindPageByTitle(project_, find_text_, target_page_ + 1, tree_.page_count, false), prompter);
}

void LinkDialogModel::SetWindowIndex(int index) {
  if (index >= 0 && index < static_cast<int>(windows_.size())) window_index_ = index;
}

std::optional<std::string> LinkDialogModel::Markup(HotspotForm form,
                                                   std::string_view selected) const {
  if (!InsertEnabled()) return std::nullopt;
  LinkTarget target;
  target.context = project_.Page(target_page_).Context;
  if (mode_ == LinkMode::kJump && other_window_ && window_index_ >= 0) {
    target.other_window = true;
    target.help_file = HelpFileName(project_.ProjectFileName());
    target.window = windows_[static_cast<std::size_t>(window_index_)];
  }
  return LinkMarkup(mode_, form, selected, options_, target);
}

bool LinkDialogModel::Insert(HotspotForm form, Editor& editor) const {
  std::optional<std::string> text = Markup(form, editor.SelText());
  if (!text) return false;
  editor.SetSelText(*text);
  return true;
}

void LinkDialogModel::Close() {
  // A failed write loses only dialog preferences; the next write retries.
  const ColorKeys k = Keys();
  settings_.SetInt(keys::kWindowLinkHeight, height_);
  settings_.SetInt(keys::kWindowLinkWidth, width_);
  settings_.SetBool(k.check, options_.color_change);
  settings_.SetBool(k.underline, options_.underline);
  settings_.SetInt(k.position, options_.color_index);
}

int LinkDialogModel::PickResult(bool accepted) const {
  return accepted && target_page_ > 0 ? target_page_ - 1 : -1;
}

int SelectPageWithDialog(const ProjectModel& project, Settings& settings, int current_page,
                         std::string_view selected_text,
                         const std::function<bool(LinkDialogModel&)>& show) {
  if (!project.ValidPage(current_page) || !IsHelpTopic(project.Page(current_page).Attribute)) {
    return -1;
  }
  LinkDialogModel dialog(project, settings, LinkMode::kPagePick);
  dialog.Prepare(selected_text);
  const bool accepted = show(dialog);
  dialog.Close();
  return dialog.PickResult(accepted);
}

}  // namespace qy
