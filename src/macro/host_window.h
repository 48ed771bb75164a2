// What a running macro needs from the main window besides the project model:
// the topic editor, the page switch, the page picker, the refresh of page
// labels and the new-page command. The desktop window implements it; the
// headless implementation serves command-line runs and tests.
#pragma once

#include <functional>
#include <vector>

#include "core/editor.h"
#include "core/memory_editor.h"
#include "project/page_commands.h"
#include "project/page_record.h"
#include "project/project_model.h"

namespace qy {

class MacroWindow {
 public:
  virtual ~MacroWindow() = default;

  // The topic editor, which shows the current page's topic text.
  virtual Editor& editor() = 0;
  // Selects `page` (from 1) in the page tree, which makes it the current
  // page and shows it in the editor; the editor then takes the focus.
  virtual void ShowPage(int page) = 0;
  // The page picker of the link dialogs: the chosen page (from 1), or 0 when
  // the user cancelled.
  virtual int SelectPage() = 0;
  // A macro changed `field` of `page` (from 1) in the model. The window
  // rebuilds the page's tree label for Title and Keyword and, when `page` is
  // the current page, refreshes the page bar's label of that field.
  virtual void PageFieldChanged(int page, PageField field) = 0;
  // Runs the new-page command exactly as the user's command does (it does
  // nothing while a page is out in the external editor) and applies its
  // result to the tree and the editor. True when a page was added.
  virtual bool AddPage() = 0;
  // The editor types over instead of inserting.
  virtual bool IsOverwrite() const = 0;
};

// A window without a screen: a memory editor on the model's current page,
// the page commands of the model, and a page picker that answers from
// `select_page_answer` (0: cancelled).
class HeadlessMacroWindow : public MacroWindow {
 public:
  HeadlessMacroWindow(ProjectModel& model, PageCommands& commands);

  Editor& editor() override { return editor_; }
  void ShowPage(int page) override;
  int SelectPage() override { return select_page_answer; }
  void PageFieldChanged(int page, PageField field) override {
    changed_fields.push_back({page, field});
  }
  bool AddPage() override;
  bool IsOverwrite() const override { return overwrite; }

  MemoryEditor& memory_editor() { return editor_; }

  int select_page_answer = 0;
  bool overwrite = false;
  std::vector<std::pair<int, PageField>> changed_fields;

 private:
  ProjectModel& model_;
  PageCommands& commands_;
  MemoryEditor editor_;
};

}  // namespace qy
