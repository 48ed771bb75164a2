// The normal find dialog ("通常の検索") without its window. Modeless; the
// session's dialog_open flag is set while it exists.
#pragma once

#include <functional>
#include <string>

#include "core/editor.h"
#include "core/files.h"
#include "core/settings.h"
#include "markup/find_again.h"
#include "markup/find_history.h"
#include "markup/find_session.h"

namespace qy {

class NormalFindDialog {
 public:
  // Opening: the find box gets the editor's selection or, with nothing
  // selected, the last searched text; the check boxes come from FindFlags,
  // Option/FindItClose and FindAutoNext; the history is loaded.
  NormalFindDialog(FindSession& session, Settings& settings, const Editor& editor);
  NormalFindDialog(const NormalFindDialog&) = delete;
  NormalFindDialog& operator=(const NormalFindDialog&) = delete;
  // Closes the dialog if Close() was not called.
  ~NormalFindDialog();

  // The window's controls.
  std::string text;
  bool case_sensitive = false;
  bool close_after_search = false;
  bool auto_next() const { return session_.auto_next; }
  // "次のページを自動的に検索する(&A)" changes FindAutoNext at once.
  void SetAutoNext(bool on) { session_.auto_next = on; }
  const TextHistory& history() const { return history_; }

  // "次を検索(&N)" and "前を検索(&B)" are enabled while the box is not empty.
  bool ButtonsEnabled() const { return !text.empty(); }

  // Makes the box's text and case box the session's search.
  void TakeOver();

  // A button: takes the text over, enters it in the history and searches.
  // Returns true when the dialog is to close now (close-after-search).
  bool Press(FindDirection direction, FindTarget& target);

  // Stores FindItClose, FindItAuto and the history; the dialog is gone.
  FileResult Close();

 private:
  FindSession& session_;
  Settings& settings_;
  TextHistory history_;
  bool closed_ = false;
};

// The commands. When the normal find dialog is open its text and check
// boxes are taken over first (an empty box does nothing); otherwise, with
// no text searched yet, `open_dialog` is called instead of searching.
bool FindCommand(FindDirection direction, FindSession& session, NormalFindDialog* dialog,
                 const std::function<void()>& open_dialog, FindTarget& target);

}  // namespace qy
