// The link dialog: the target page of a jump or popup picked from the page
// tree, with the page search, the hotspot options and, for jumps, another
// window. As the page picker of the macro function SelectPage it shows only
// the tree, the search and OK/Cancel. Every rule is LinkDialogModel's.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <optional>
#include <string_view>

#include "app/dialogs/hotspot_options_box.h"
#include "core/editor.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "markup/link_dialog_model.h"
#include "project/project_model.h"

namespace qy::app {

class LinkDialog : public QDialog {
  Q_OBJECT

 public:
  // `model` is prepared; `parent` is the main window the dialog is centred
  // over.
  LinkDialog(LinkDialogModel& model, Prompter& prompter, QWidget* parent);

  // The insert button that closed the dialog; nullopt for Cancel, Esc, the
  // close box and the page picker.
  std::optional<HotspotForm> chosen_form() const { return chosen_form_; }

  QTreeWidget* tree() const { return tree_; }
  QLineEdit* find_box() const { return find_box_; }
  QPushButton* find_top_button() const { return find_top_; }
  QPushButton* find_next_button() const { return find_next_; }
  QLabel* status_label() const { return status_; }
  HotspotOptionsBox* options_box() const { return options_box_; }
  QCheckBox* other_window_box() const { return other_window_; }
  QComboBox* window_list() const { return window_list_; }
  QPushButton* normal_button() const { return normal_; }
  QPushButton* button_button() const { return button_; }
  QPushButton* ok_button() const { return ok_; }

  void done(int result) override;

 private:
  void BuildTree();
  void ShowTarget();
  void Find(bool from_top);
  void Choose(HotspotForm form);

  LinkDialogModel& model_;
  Prompter& prompter_;
  std::optional<HotspotForm> chosen_form_;
  QTreeWidget* tree_ = nullptr;
  QLineEdit* find_box_ = nullptr;
  QPushButton* find_top_ = nullptr;
  QPushButton* find_next_ = nullptr;
  QLabel* status_ = nullptr;
  HotspotOptionsBox* options_box_ = nullptr;
  QCheckBox* other_window_ = nullptr;
  QLabel* window_label_ = nullptr;
  QComboBox* window_list_ = nullptr;
  QPushButton* normal_ = nullptr;
  QPushButton* button_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// The jump and popup commands: prepares the dialog from the editor's
// selection, shows it modally over `parent` and inserts the chosen markup
// into the editor as one edit. The settings are written however it closes.
void RunLinkDialog(const ProjectModel& project, Settings& settings, Prompter& prompter,
                   Editor& editor, LinkMode mode, QWidget* parent);

// SelectPage: the 0-based index of the page picked, -1 when cancelled,
// nothing was picked or the current page is no Topic or Popup page (then no
// dialog opens).
int PickPage(const ProjectModel& project, Settings& settings, Prompter& prompter,
             std::string_view selected_text, QWidget* parent);

}  // namespace qy::app
