#include "markup/find_dialog.h"

#include "core/settings_keys.h"

namespace qy {

NormalFindDialog::NormalFindDialog(FindSession& session, Settings& settings, const Editor& editor)
    : session_(session), settings_(settings), history_(keys::FindTextFind) {
  text = editor.SelLength() > 0 ? editor.SelText() : session.last_find_text;
  case_sensitive = session.CaseSensitive();
  close_after_search = settings.GetBool(keys::kOptionFindItClose);
  history_.Load(settings);
  session_.dialog_open = true;
}

NormalFindDialog::~NormalFindDialog() {
  if (!closed_) Close();
}

void NormalFindDialog::TakeOver() {
  session_.last_find_text = text;
  session_.SetCaseSensitive(case_sensitive);
}

bool NormalFindDialog::Press(FindDirection direction, FindTarget& target) {
  if (!ButtonsEnabled()) return false;
  TakeOver();
  history_.Enter(text);
  FindAgain(direction, session_, target);
  return close_after_search;
}

FileResult NormalFindDialog::Close() {
  closed_ = true;
  session_.dialog_open = false;
  FileResult r = settings_.SetBool(keys::kOptionFindItClose, close_after_search);
  if (r) r = settings_.SetBool(keys::kOptionFindItAuto, session_.auto_next);
  if (r) r = history_.Save(settings_);
  return r;
}

bool FindCommand(FindDirection direction, FindSession& session, NormalFindDialog* dialog,
                 const std::function<void()>& open_dialog, FindTarget& target) {
  if (dialog != nullptr) {
    if (dialog->text.empty()) return false;
    dialog->TakeOver();
  } else if (session.last_find_text.empty()) {
    if (open_dialog) open_dialog();
    return false;
  }
  return FindAgain(direction, session, target);
}

}  // namespace qy
