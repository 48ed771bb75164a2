#include "markup/find_window.h"

#include <algorithm>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/settings_keys.h"
#include "core/text_mapping.h"

namespace qy {
namespace {

std::string ListLabelBase() { return Sjis("検索結果リスト(&T) :"); }

// The editor takes the replaced page as one edit of the part that changed,
// so that one undo takes the whole replacement on this page back. Both
// ends of that part lie on character starts of the old and the new text.
void ReloadAsOneEdit(Editor& editor, const std::string& text) {
  const std::string old = editor.Text();
  if (old == text) return;
  if (editor.ReadOnly()) {
    editor.SetText(text);
    return;
  }
  std::size_t prefix = 0;
  const std::size_t shorter = std::min(old.size(), text.size());
  while (prefix < shorter && old[prefix] == text[prefix]) ++prefix;
  prefix = FloorCharBoundary(old, prefix);  // the same bytes before it in both
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix]) {
    ++suffix;
  }
  while (true) {
    suffix = old.size() - NextCharBoundary(old, prefix, old.size() - suffix);
    const std::size_t in_new = text.size() - NextCharBoundary(text, prefix, text.size() - suffix);
    if (in_new == suffix) break;
    suffix = in_new;
  }
  EditGroup group(editor);
  editor.SetSelStart(static_cast<int>(prefix));
  editor.SetSelLength(static_cast<int>(old.size() - suffix - prefix));
  editor.SetSelText(text.substr(prefix, text.size() - suffix - prefix));
  editor.SetSelStart(0);
}

}  // namespace

std::string HitCountLabel(int count) {
  return ListLabelBase() + " " + MapText(std::to_string(count), TextMapping::kFullWidth) +
         Sjis("個");
}

SearchReplaceWindow::SearchReplaceWindow(FindSession& session, Settings& settings,
                                         ProjectModel& project, Editor& editor,
                                         PageNavigator& navigator, Prompter& prompter,
                                         Progress& progress)
    : session_(session),
      settings_(settings),
      project_(project),
      editor_(editor),
      navigator_(navigator),
      prompter_(prompter),
      progress_(progress),
      find_history_(keys::FindTextFind),
      replace_history_(keys::RepTextRep),
      label_(ListLabelBase()) {}

void SearchReplaceWindow::Open() {
  if (!exists_) {
    if (session_.dialog_open && close_normal_find_dialog) close_normal_find_dialog();
    exists_ = true;
    find_text = editor_.SelLength() > 0 ? editor_.SelText() : session_.last_find_text;
    case_sensitive = session_.CaseSensitive();
    label_ = ListLabelBase();
  }
  find_history_.Load(settings_);
  replace_history_.Load(settings_);
  visible_ = true;
}

FileResult SearchReplaceWindow::SaveHistories() {
  FileResult r = find_history_.Save(settings_);
  if (r) r = replace_history_.Save(settings_);
  return r;
}

FileResult SearchReplaceWindow::Close(const FindWindowGeometry& geometry) {
  if (!exists_) return FileResult::Ok();
  FileResult r = SaveFindWindowGeometry(settings_, geometry);
  if (FileResult h = SaveHistories(); r && !h) r = h;
  if (session_.result_state == FindResultState::kHits) {
    visible_ = false;
  } else {
    session_.result_state = FindResultState::kNone;
    Destroy();
  }
  return r;
}

void SearchReplaceWindow::Destroy() {
  exists_ = false;
  visible_ = false;
  stale_ = false;
  hits_.clear();
  searched_text_.clear();
  label_ = ListLabelBase();
}

void SearchReplaceWindow::DropHits() {
  if (session_.result_state != FindResultState::kHits) return;
  session_.result_state = FindResultState::kNone;
  if (exists_) SaveHistories();
  Destroy();
}

bool SearchReplaceWindow::JumpEnabled() const {
  return session_.result_state == FindResultState::kHits && !hits_.empty();
}

bool SearchReplaceWindow::ReplaceEnabled() const { return JumpEnabled() && !replace_text.empty(); }

FindHitRow SearchReplaceWindow::Row(int row) const {
  if (row < 0 || row >= static_cast<int>(hits_.size())) return {};
  return MakeHitRow(project_, hits_[static_cast<std::size_t>(row)]);
}

void SearchReplaceWindow::Search(bool announce_not_found) {
  if (!SearchEnabled()) return;
  session_.last_find_text = find_text;
  find_history_.Enter(find_text);

  label_ = ListLabelBase() + Sjis(" 検索中...");
  progress_.Show();
  hits_.clear();
  PageSearch search;
  search.text = find_text;
  search.case_sensitive = case_sensitive;
  search.scope = scope;
  search.current_page = navigator_.CurrentPage();
  hits_ = SearchPages(project_, search, &progress_);
  progress_.Hide();
  searched_text_ = find_text;
  stale_ = false;

  if (!hits_.empty()) {
    label_ = HitCountLabel(static_cast<int>(hits_.size()));
    session_.result_state = FindResultState::kHits;
    return;
  }
  label_ = ListLabelBase();
  session_.result_state = FindResultState::kDone;
  if (announce_not_found) {
    prompter_.Information("\r\n" + find_text + Sjis(" は見つかりませんでした。"));
  }
}

int SearchReplaceWindow::Replace(const std::vector<bool>& chosen) {
  if (!ReplaceEnabled()) return 0;
  label_ = ListLabelBase() + Sjis(" 置換中...");
  progress_.Show();
  replace_history_.Enter(replace_text);
  const int replaced = ReplaceHits(project_, hits_, chosen, find_text, replace_text, &progress_);
  progress_.Hide();
  label_ = ListLabelBase();
  session_.result_state = FindResultState::kDone;
  if (replaced > 0) project_.SetModified(true);

  const int current = navigator_.CurrentPage();
  if (project_.ValidPage(current) && HasTopicText(project_.Page(current).Attribute)) {
    ReloadAsOneEdit(editor_, project_.Page(current).Topic);
  }
  const std::string message = "\r\n" + std::to_string(replaced) + Sjis("個の置換を行いました。");
  Search(false);
  prompter_.Information(message);
  return replaced;
}

int SearchReplaceWindow::ReplaceAll() { return Replace({}); }

int SearchReplaceWindow::ReplaceSelected(const std::vector<int>& rows) {
  std::vector<bool> chosen(hits_.size(), false);
  bool any = false;
  for (int row : rows) {
    if (row >= 0 && row < static_cast<int>(chosen.size())) {
      chosen[static_cast<std::size_t>(row)] = true;
      any = true;
    }
  }
  if (!any) return 0;
  return Replace(chosen);
}

void SearchReplaceWindow::SelectHit(const FindHit& hit) {
  if (navigator_.CurrentPage() != hit.page) navigator_.SelectPage(hit.page);
  editor_.SetSelStart(hit.position - 1);
  editor_.SetSelLength(static_cast<int>(searched_text_.size()));
}

void SearchReplaceWindow::HideAfterJump() {
  // The next opening reloads the histories from the settings: what was
  // entered since the last close must be there.
  SaveHistories();
  visible_ = false;
}

bool SearchReplaceWindow::JumpToRow(int row, bool by_button) {
  if (row < 0 || row >= static_cast<int>(hits_.size())) return false;
  const FindHit& hit = hits_[static_cast<std::size_t>(row)];
  if (!project_.ValidPage(hit.page)) return false;
  SelectHit(hit);
  if (by_button) HideAfterJump();
  return true;
}

bool SearchReplaceWindow::JumpToNextHit() {
  const int current = navigator_.CurrentPage();
  const int caret = editor_.SelStart();
  for (const FindHit& hit : hits_) {
    const bool later_here = hit.page == current && hit.position - 1 > caret;
    if ((later_here || hit.page > current) && project_.ValidPage(hit.page)) {
      SelectHit(hit);
      HideAfterJump();
      return true;
    }
  }
  return false;
}

void SearchReplaceWindow::TopicEdited() {
  if (session_.result_state == FindResultState::kHits) stale_ = true;
}

SearchReplaceWindow::ListPosition SearchReplaceWindow::Activated(ListPosition before) {
  if (!stale_) return before;
  Search(true);
  stale_ = false;
  const auto still = [&](std::optional<int> row) -> std::optional<int> {
    if (row && *row >= 0 && *row < static_cast<int>(hits_.size())) return row;
    return std::nullopt;
  };
  return {still(before.selected_row), still(before.top_row)};
}

}  // namespace qy
