// The jump and popup targets that topic markup names, and the check of a
// whole project's links: targets that name no topic page, and popup pages
// that no link leads to.
//
// Targets are read from the forms the link commands write and from their
// common hand-written variants:
//   - hidden text "{\v CONTEXT}", "{\v %CONTEXT}", "{\v *CONTEXT}", with an
//     optional window ">win" and help file "@file";
//   - the macros JumpID and PopupID, and their short forms JI and PI,
//     anywhere in the text ("{\v% !JumpID(..)}",
//     "\{Button text,PopupID(..)\}" ...), with one argument (the context) or
//     two (help file, optionally with ">win", and context), quoted or not.
// A target in another help file is not checked. Hidden text that starts with
// "!" is a macro list and names no context itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "project/project_model.h"

namespace qy {

struct LinkReference {
  std::size_t offset = 0;  // where the form starts in the text
  int line = 1;            // 1-based line of `offset`
  std::string context;
};

// The in-project targets of `text` in text order. `help_file` is the
// project's own help file name (HelpFileName); a file part naming it, in
// any letter case, stays in the project.
std::vector<LinkReference> FindLinkReferences(std::string_view text, std::string_view help_file);

// Only the JumpID and PopupID macros (page macros and contents-entry
// macros carry no hidden text).
std::vector<LinkReference> FindMacroLinkReferences(std::string_view text,
                                                   std::string_view help_file);

enum class LinkProblemKind {
  kMissingContext,  // no page has the context
  kNotATopic,       // the page is a book, contents entry or include
  kUnreachedPopup,  // no link on another page leads to this popup
};

struct LinkProblem {
  int page = 0;  // the page the problem belongs to
  LinkProblemKind kind = LinkProblemKind::kMissingContext;
  int line = 0;                 // line of the reference in the page's text; 0 for kUnreachedPopup
  bool in_macro_field = false;  // the reference is in the page macro
  std::string context;          // the target named (kMissingContext, kNotATopic)
  int target = 0;               // the page `context` names (kNotATopic)
};

struct LinkCheckResult {
  // In page order; within a page in text order, the page macro last.
  std::vector<LinkProblem> problems;
  // Topic pages other than page 1 that no link on another page leads to.
  // Not a fault: every topic is an entry of the contents file.
  std::vector<int> unlinked_topics;
};

// Scans the topic text and page macro of Topic and Popup pages and the macro
// text of Content pages.
LinkCheckResult CheckLinks(const ProjectModel& project);

}  // namespace qy
