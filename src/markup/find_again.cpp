#include "markup/find_again.h"

#include "core/codec.h"
#include "markup/find_text_match.h"

namespace qy {
namespace {

bool Ask(Prompter& prompter, const std::string& text, const char* question) {
  const std::string message =
      Sjis("「") + text + Sjis("」 は見つかりませんでした。") + "\r\n\r\n" + Sjis(question);
  return prompter.Ask(message, Buttons::kYesNo, Beep::kQuestion) == Answer::kYes;
}

// Searches the current page's editor text; selects the occurrence.
bool SearchEditor(FindDirection direction, const std::string& needle, bool case_sensitive,
                  Editor& editor) {
  std::string text = editor.Text();
  if (!case_sensitive) text = UpperCase(text);
  const auto start = static_cast<std::size_t>(editor.SelStart());
  const std::size_t at = direction == FindDirection::kNext
                             ? FindFirstMatch(text, needle, start + editor.SelText().size())
                             : FindLastMatchBefore(text, needle, start);
  if (at == std::string::npos) return false;
  editor.SetSelStart(static_cast<int>(at));
  editor.SetSelLength(static_cast<int>(needle.size()));
  return true;
}

void GoTo(FindDirection direction, int page, FindTarget& target) {
  target.navigator.SelectPage(page);
  if (direction == FindDirection::kPrevious) {
    target.editor.SetSelStart(static_cast<int>(target.editor.Text().size()));
  }
}

}  // namespace

bool FindAgain(FindDirection direction, const FindSession& session, FindTarget& target) {
  const std::string& text = session.last_find_text;
  if (text.empty()) return false;
  const bool case_sensitive = session.CaseSensitive();
  const std::string needle = case_sensitive ? text : UpperCase(text);
  const bool forward = direction == FindDirection::kNext;

  while (true) {
    const int count = target.project.PageCount();
    const int page = target.navigator.CurrentPage();
    if (!target.project.ValidPage(page)) return false;
    const bool at_end = forward ? page == count : page == 1;
    const int step = forward ? 1 : -1;

    if (!IsBook(target.project.Page(page).Attribute)) {
      if (SearchEditor(direction, needle, case_sensitive, target.editor)) return true;
    } else if (!at_end) {
      GoTo(direction, page + step, target);
      continue;
    }

    if (at_end) {
      if (!Ask(target.prompter, text,
               forward ? "先頭のページから検索しますか？" : "最後のページから検索しますか？")) {
        return false;
      }
      GoTo(direction, forward ? 1 : count, target);
      continue;
    }
    if (!session.auto_next &&
        !Ask(target.prompter, text,
             forward ? "次のページを検索しますか？" : "前のページを検索しますか？")) {
      return false;
    }
    GoTo(direction, page + step, target);
  }
}

}  // namespace qy
