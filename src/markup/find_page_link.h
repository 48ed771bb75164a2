// The page-link dialog ("ページリンク") without its window: jump to the page
// whose context string or title equals a typed text.
#pragma once

#include <string>
#include <vector>

#include "core/editor.h"
#include "core/prompter.h"
#include "markup/find_session.h"
#include "project/project_model.h"

namespace qy {

enum class PageLinkField { kContext, kTitle };

class PageLinkDialog {
 public:
  // Opening: the list holds the contexts, the box the editor's selection.
  PageLinkDialog(const ProjectModel& project, std::string selected_text);

  PageLinkField field() const { return field_; }
  // "コンテキスト(&C)" / "タイトル(&T)": refills the list and selects the
  // entry equal to the typed text apart from letter case.
  void SetField(PageLinkField field);

  std::string text;
  // The values of all pages, sorted without regard to letter case.
  const std::vector<std::string>& list() const { return list_; }
  // The selected list entry, -1 for none.
  int selected() const { return selected_; }
  void Select(int index) { selected_ = index; }

  // The first page, in page order, whose value equals the text exactly;
  // 0 when there is none.
  int FindPage() const;
  // "ジャンプ" (or Enter): selects that page and gives the editor the focus;
  // the dialog closes when true. Otherwise the user is told and the dialog
  // stays.
  bool Jump(PageNavigator& navigator, Editor& editor, Prompter& prompter) const;

 private:
  void Fill();

  const ProjectModel& project_;
  PageLinkField field_ = PageLinkField::kContext;
  std::vector<std::string> list_;
  int selected_ = -1;
};

}  // namespace qy
