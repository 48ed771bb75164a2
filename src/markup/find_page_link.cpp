#include "markup/find_page_link.h"

#include <algorithm>

#include "core/codec.h"
#include "markup/find_text_match.h"

namespace qy {
namespace {

const std::string& ValueOf(const PageRecord& page, PageLinkField field) {
  return field == PageLinkField::kContext ? page.Context : page.Title;
}

}  // namespace

PageLinkDialog::PageLinkDialog(const ProjectModel& project, std::string selected_text)
    : text(std::move(selected_text)), project_(project) {
  Fill();
}

void PageLinkDialog::SetField(PageLinkField field) {
  field_ = field;
  Fill();
}

void PageLinkDialog::Fill() {
  list_.clear();
  for (const PageRecord& page : project_.Pages()) list_.push_back(ValueOf(page, field_));
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(list_.size());
  for (std::string& value : list_) keyed.emplace_back(UpperCase(value), std::move(value));
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  list_.clear();
  selected_ = -1;
  const std::string wanted = UpperCase(text);
  for (auto& [upper, value] : keyed) {
    if (selected_ < 0 && upper == wanted) selected_ = static_cast<int>(list_.size());
    list_.push_back(std::move(value));
  }
}

int PageLinkDialog::FindPage() const {
  for (int p = 1; p <= project_.PageCount(); ++p) {
    if (ValueOf(project_.Page(p), field_) == text) return p;
  }
  return 0;
}

bool PageLinkDialog::Jump(PageNavigator& navigator, Editor& editor, Prompter& prompter) const {
  const int page = FindPage();
  if (page == 0) {
    prompter.Information("\r\n[" + text + Sjis("] は見つかりませんでした。"));
    return false;
  }
  navigator.SelectPage(page);
  editor.SetFocus();
  return true;
}

}  // namespace qy
