#include "shell/page_history.h"

#include <algorithm>

namespace qy {

std::vector<std::string> PageHistory::Contexts() const {
  std::vector<std::string> contexts;
  for (const PageHistoryEntry& e : entries_) {
    if (!e.context.empty()) contexts.push_back(e.context);
  }
  return contexts;
}

void PageHistory::RemoveAt(std::size_t k) {
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(k));
  entries_.emplace_back();
}

void PageHistory::RecordPageVisit(const std::string& context) {
  if (context.empty() || entries_[0].context == context) return;
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const PageHistoryEntry& e) { return e.context == context; });
  // Entry 9 would fall out anyway when everything moves down.
  if (found != entries_.end()) RemoveAt(static_cast<std::size_t>(found - entries_.begin()));
  entries_.pop_back();
  entries_.insert(entries_.begin(), PageHistoryEntry{context, 0});
}

void PageHistory::StoreCaret(const std::string& context, int caret) {
  if (!context.empty() && entries_[0].context == context) entries_[0].caret = caret;
}

void PageHistory::ClearPageHistory() {
  for (std::size_t k = 1; k < entries_.size(); ++k) entries_[k] = {};
}

void PageHistory::Reset() { entries_.assign(kPageHistoryEntries, {}); }

void PageHistory::OnPageDeleted(const std::string& context) {
  // The deleted page is normally entry 0, since it was current; looking it
  // up keeps the other entries right when visits were not being recorded.
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const PageHistoryEntry& e) { return e.context == context; });
  if (!context.empty() && found != entries_.end()) {
    RemoveAt(static_cast<std::size_t>(found - entries_.begin()));
  }
}

void PageHistory::OnPagePropertiesAccepted(const std::string& old_context,
                                           const std::string& new_context) {
  if (new_context.empty()) return;
  if (entries_[0].context.empty()) {
    entries_[0] = {new_context, 0};
    return;
  }
  for (PageHistoryEntry& e : entries_) {
    if (!old_context.empty() && e.context == old_context) {
      e.context = new_context;
      return;
    }
  }
}

std::vector<PageHistoryMenuItem> PageHistory::MenuItems(const ProjectModel& model) const {
  std::vector<PageHistoryMenuItem> items(entries_.size());
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    if (entries_[k].context.empty()) continue;
    items[k].visible = true;
    const int page = model.FindContext(entries_[k].context);
    const std::string title = page > 0 ? model.Page(page).Title : "";
    items[k].caption = "&" + std::to_string((k + 1) % 10) + " " + title;
  }
  return items;
}

std::optional<PageHistory::Target> PageHistory::TargetOf(int k, const ProjectModel& model) const {
  if (k < 0 || k >= kPageHistoryEntries) return std::nullopt;
  const PageHistoryEntry& entry = entries_[static_cast<std::size_t>(k)];
  if (entry.context.empty()) return std::nullopt;
  const int page = model.FindContext(entry.context);
  if (page == 0) return std::nullopt;
  return Target{page, entry.caret};
}

void PageSwitch::ShowPage(int page) {
  if (!model_.ValidPage(page)) return;
  // The page being left is the one in the editor, which after a delete is no
  // longer the model's current page.
  history_.StoreCaret(shown_context_, editor_.SelStart());
  model_.SetCurrentPage(page);

  const bool modified = model_.Modified();
  const PageRecord& record = model_.Page(page);
  editor_.SetReadOnly(false);
  editor_.SetText(record.Topic);
  editor_.ClearUndo();
  editor_.SetReadOnly(record.Attribute == kIncludePage || IsBook(record.Attribute));
  if (model_.Modified() != modified) model_.SetModified(modified);

  shown_context_ = record.Context;
  if (!tree_visible || tree_visible()) history_.RecordPageVisit(record.Context);
  if (on_shown) on_shown(page);
}

bool PageSwitch::GoToHistoryEntry(int k) {
  // The position is taken before the switch, which reorders the entries.
  const std::optional<PageHistory::Target> target = history_.TargetOf(k, model_);
  if (!target) return false;
  if (target->page != model_.CurrentPage()) ShowPage(target->page);
  const int length = static_cast<int>(editor_.Text().size());
  editor_.SetSelStart(std::clamp(target->caret, 0, length));
  editor_.SetFocus();
  return true;
}

void PageSwitch::PageDeleted(const std::string& context) {
  history_.OnPageDeleted(context);
  if (shown_context_ == context) shown_context_.clear();
}

void PageSwitch::PagePropertiesAccepted(const std::string& old_context,
                                        const std::string& new_context) {
  history_.OnPagePropertiesAccepted(old_context, new_context);
  if (shown_context_ == old_context) shown_context_ = new_context;
}

}  // namespace qy
