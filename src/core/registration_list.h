// The editing a registration dialog does on its list of menu entries (a
// file and a title each, a limit on their number): one selected entry that
// can be renamed, deleted and moved. The macro and the picture menus share it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace qy {

template <typename Entry, int kMaxEntries>
class RegistrationList {
 public:
  // Entries past the limit are dropped: the menus have no slot for them.
  explicit RegistrationList(std::vector<Entry> entries) : entries_(std::move(entries)) {
    if (static_cast<int>(entries_.size()) > kMaxEntries) entries_.resize(kMaxEntries);
  }

  const std::vector<Entry>& entries() const { return entries_; }
  int selected() const { return selected_; }
  void Select(int index) { selected_ = InRange(index) ? index : -1; }

  // Needs a file and a title and room for one more; selects the new entry.
  bool Add(const std::string& file, const std::string& title) {
    if (file.empty() || title.empty()) return false;
    if (static_cast<int>(entries_.size()) >= kMaxEntries) return false;
    Entry entry{};
    entry.file = file;
    entry.title = title;
    entries_.push_back(std::move(entry));
    selected_ = static_cast<int>(entries_.size()) - 1;
    return true;
  }
  // A new title for the selected entry; an empty one changes nothing.
  bool Rename(const std::string& title) {
    if (selected_ < 0 || title.empty()) return false;
    entries_[static_cast<std::size_t>(selected_)].title = title;
    return true;
  }
  bool DeleteSelected() {
    if (selected_ < 0) return false;
    entries_.erase(entries_.begin() + selected_);
    selected_ = std::min(selected_, static_cast<int>(entries_.size()) - 1);
    return true;
  }
  bool MoveUp() {
    if (selected_ <= 0) return false;
    SwapWith(selected_ - 1);
    return true;
  }
  bool MoveDown() {
    if (selected_ < 0 || selected_ + 1 >= static_cast<int>(entries_.size())) return false;
    SwapWith(selected_ + 1);
    return true;
  }

 protected:
  bool InRange(int index) const { return index >= 0 && index < static_cast<int>(entries_.size()); }
  std::vector<Entry> entries_;
  int selected_ = -1;

 private:
  void SwapWith(int other) {
    std::swap(entries_[static_cast<std::size_t>(selected_)],
              entries_[static_cast<std::size_t>(other)]);
    selected_ = other;
  }
};

}  // namespace qy
