// Find next and find previous ("次を検索(&N)", "前を検索(&B)"): search the
// editor from the caret onward or backward and continue on the following
// or preceding pages, asking before each page switch unless FindAutoNext
// is set, and before starting over at the first or last page.
#pragma once

#include <functional>

#include "core/editor.h"
#include "core/prompter.h"
#include "markup/find_session.h"
#include "project/project_model.h"

namespace qy {

// What the find tools work on.
struct FindTarget {
  const ProjectModel& project;
  Editor& editor;
  PageNavigator& navigator;
  Prompter& prompter;
};

enum class FindDirection { kNext, kPrevious };

// Searches for session.last_find_text (case-blind unless FindFlags says
// otherwise). Found: the occurrence is selected and true is returned. Not
// found: the selection stays, except that pages passed on the way (by
// FindAutoNext or a "Yes") stay passed.
bool FindAgain(FindDirection direction, const FindSession& session, FindTarget& target);

}  // namespace qy
