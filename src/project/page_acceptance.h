// Accepting the page-properties dialog: the checks that keep contexts and
// context IDs usable, and storing the dialog's values into the page.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/prompter.h"
#include "project/page_record.h"
#include "project/project_model.h"

namespace qy {

// The dialog's boxes as typed (Shift-JIS) and the chosen kind.
struct PagePropertiesInput {
  std::string context;
  std::string id_text;
  std::string title;
  std::string include_file;  // the title of an Include page
  std::string keyword;
  std::string akeyword;
  std::string bkeyword;
  std::string window;
  std::string macro;
  PageAttribute attribute = kTopicPage;
};

// Asked when the chosen kind differs from the page's kind; false keeps the
// dialog open and changes nothing. The page-operations code supplies its
// confirmation of a kind change (which may ask the user); without one the
// change goes ahead.
using ConfirmKindChange = std::function<bool(PageAttribute new_kind)>;

// What the window has to do after the page was stored.
struct PagePropertiesOutcome {
  // The tree node's label, data (context ID) and image change with the page;
  // the window refreshes them always.
  bool kind_changed = false;
  // The old or the new kind is a book: the tree must be rebuilt.
  bool rebuild_tree = false;
  // The page's topic was emptied; the editor must show the empty text.
  bool topic_cleared = false;
  // The context to put first into the page history.
  std::string history_context;
};

// The context ID typed into the dialog: digits only, at most 9 of them.
// Anything else (the box refuses it, but pasted text gets through) is no ID.
std::optional<std::int32_t> ParseContextIdText(const std::string& id_text);

// The box a failed check is about: the dialog puts the focus there.
enum class CheckedBox { kContext, kContextId, kTitle, kIncludeFile };

struct PageCheckFailure {
  std::string message;
  CheckedBox box = CheckedBox::kContext;
};

// The checks in the dialog's order: the first that fails, with its message
// (Shift-JIS, starting with CR LF) and the box it is about.
std::optional<PageCheckFailure> FirstFailedPageCheck(const ProjectModel& model, int current_page,
                                                     const PagePropertiesInput& input);

// Runs the checks in the dialog's order and returns the message of the first
// that fails (Shift-JIS, starting with CR LF), or nothing when all pass. An ID
// text that is not a number of at most 9 digits fails like an empty one.
// Contexts and titles are judged as they would be stored, i.e. cut to 255
// bytes.
std::optional<std::string> CheckPageProperties(const ProjectModel& model, int current_page,
                                               const PagePropertiesInput& input);

// Stores the dialog's values into page `current_page` and marks the project
// modified. Asks `confirm` first when the kind changes. Returns nothing, and
// changes nothing, when the checks fail, the page does not exist or the kind
// change is refused.
std::optional<PagePropertiesOutcome> ApplyPageProperties(ProjectModel& model, int current_page,
                                                         const PagePropertiesInput& input,
                                                         const ConfirmKindChange& confirm = {});

// The dialog's OK: a failed check is shown as an information message and
// keeps the dialog open (nothing returned); otherwise as ApplyPageProperties.
std::optional<PagePropertiesOutcome> AcceptPageProperties(ProjectModel& model, int current_page,
                                                          const PagePropertiesInput& input,
                                                          Prompter& prompter,
                                                          const ConfirmKindChange& confirm = {});

}  // namespace qy
