// The new page wizard: a guided way to create one page, asking for its title,
// kind, book level, context, context ID, keywords, A keywords and a macro to
// run afterwards, one question per screen.
//
// The wizard is a state machine over thirteen screens. A front end (dialog or
// console) shows Prompt() with the input Input() asks for, passes what the
// user enters through the setters and presses Next() or Back(). Nothing in the
// project changes before the finish screen's Next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/prompter.h"
#include "core/settings.h"
#include "project/page_commands.h"
#include "project/project_model.h"

namespace qy {

// Screen numbers. They are the wizard's state values, so the numbering does
// not follow the order in which the screens are usually seen.
enum class WizardScreen : int {
  kTitle = 0,
  kKind = 1,
  kKeywordChoice = 2,
  kBookLevel = 3,
  kKeyword = 4,
  kMacro = 5,
  kFinish = 6,
  kAKeywordChoice = 7,
  kAKeyword = 8,
  kContextChoice = 9,
  kContext = 10,
  kIdChoice = 11,
  kId = 12,
};

// The one input area a screen shows.
enum class WizardInput { kTextBox, kChoices, kLevelSlider, kMacroList, kNone };

// What the user has chosen so far. Values stay when the user goes back, until
// Next on their screen overwrites them.
struct WizardValues {
  std::string title;
  int book_level = 0;  // 0: not a book
  bool popup = false;
  std::string context;           // "" = the automatic context
  std::int32_t context_id = -1;  // -1 = the automatic ID
  std::string keyword;
  std::string akeyword;
  int macro_choice = 0;  // 0 = "マクロを実行しない"
};

// What the window does once the wizard closed with OK.
struct NewPageWizardResult {
  // False when the page table was full (the wizard still closes with OK).
  bool page_created = false;
  // The tree update and the page to show, as for the page commands.
  PageCommandResult page;
  // Position in the macro menu of the macro to run now; -1 = none.
  int macro_index = -1;
};

enum class WizardStep {
  kMoved,     // another screen is shown
  kStayed,    // the input was refused; the screen stays
  kFinished,  // the page was made; the wizard closes with OK
};

inline constexpr int kNewPageWizardHelpContext = 37;
inline constexpr std::size_t kWizardIdDigits = 9;

class NewPageWizard {
 public:
  // `commands` inserts the page (it must work on `model`). The macro list is
  // read from `settings` now.
  NewPageWizard(ProjectModel& model, PageCommands& commands, Prompter& prompter,
                const Settings& settings);

  WizardScreen screen() const { return screen_; }
  WizardInput Input() const;
  // Texts of the current screen, Shift-JIS.
  std::string Prompt() const;
  std::string TextLabel() const;             // text-box screens
  std::vector<std::string> Choices() const;  // choice screens
  std::string LevelLabel() const;            // level screen
  const std::vector<std::string>& MacroList() const { return macro_list_; }
  std::string NextCaption() const;
  static std::string BackCaption();
  bool BackEnabled() const { return screen_ != WizardScreen::kTitle; }
  bool NextEnabled() const;
  // Longest text the box takes; 0 = no limit of its own.
  std::size_t TextLimit() const;

  // The inputs. SetText refuses (returns false, keeping the text) what the
  // box does not take: on the ID screen anything but up to 9 digits.
  const std::string& text() const { return text_; }
  bool SetText(const std::string& text);
  // Whether the box takes the key `c` (the ID screen takes digits and
  // backspace only); the front end beeps and drops any other.
  bool KeyAllowed(char c) const;
  int choice() const { return choice_; }
  void SetChoice(int choice);
  int level() const { return level_; }
  void SetLevel(int level) { level_ = level; }
  int macro_selection() const { return macro_selection_; }
  void SetMacroSelection(int index);

  WizardStep Next();
  void Back();

  const WizardValues& values() const { return values_; }
  // Valid after Next returned kFinished.
  const NewPageWizardResult& result() const { return result_; }

 private:
  bool LevelAllowed(int level) const;
  void Show(WizardScreen screen);
  WizardStep Go(WizardScreen screen) {
    Show(screen);
    return WizardStep::kMoved;
  }
  WizardStep NextFromChoice();
  WizardStep CreatePage();
  void CreateBook();
  void CreateTopic();
  // Brings the books that follow the new book at `page` under it.
  void Relevel(int page);

  ProjectModel& model_;
  PageCommands& commands_;
  Prompter& prompter_;
  std::vector<std::string> macro_list_;

  WizardScreen screen_ = WizardScreen::kTitle;
  bool returned_to_start_ = false;
  std::string text_;
  int choice_ = 0;
  int level_ = 1;
  int macro_selection_ = 0;
  WizardValues values_;
  NewPageWizardResult result_;
};

// The wizard does not start while a page is out in the external editor.
bool NewPageWizardAvailable(const PageCommands& commands);

// The titles of the registered macros (section Macro, Count and Menu00..),
// up to the first empty one, behind the fixed first entry "マクロを実行しない".
std::vector<std::string> WizardMacroList(const Settings& settings);

}  // namespace qy
