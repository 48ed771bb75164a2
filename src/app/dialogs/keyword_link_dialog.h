// The keyword-link dialog: K-links and A-links to a keyword of the project
// and hyperlinks that run a file, picked from the list below the text box
// (the project's keywords, or the hyperlink history). Every rule is
// KeywordLinkModel's.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <optional>

#include "app/dialogs/hotspot_options_box.h"
#include "core/editor.h"
#include "core/settings.h"
#include "markup/keyword_link_model.h"
#include "project/project_model.h"

namespace qy::app {

class KeywordLinkDialog : public QDialog {
  Q_OBJECT

 public:
  // `model` is prepared; the dialog is centred over `parent`.
  KeywordLinkDialog(KeywordLinkModel& model, QWidget* parent);

  // The insert button that closed the dialog; nullopt for Cancel and Esc.
  std::optional<HotspotForm> chosen_form() const { return chosen_form_; }

  QLineEdit* keyword_box() const { return keyword_; }
  QListWidget* list() const { return list_; }
  QLabel* list_label() const { return list_label_; }
  HotspotOptionsBox* options_box() const { return options_box_; }
  QPushButton* normal_button() const { return normal_; }
  QPushButton* button_button() const { return button_; }

 private:
  void Choose(HotspotForm form);

  KeywordLinkModel& model_;
  std::optional<HotspotForm> chosen_form_;
  QLineEdit* keyword_ = nullptr;
  QListWidget* list_ = nullptr;
  QLabel* list_label_ = nullptr;
  HotspotOptionsBox* options_box_ = nullptr;
  QPushButton* normal_ = nullptr;
  QPushButton* button_ = nullptr;
};

// The K-link, A-link and hyperlink commands: shows the dialog modally over
// `parent` and inserts the chosen markup into the editor as one edit.
void RunKeywordLinkDialog(const ProjectModel& project, Settings& settings, Editor& editor,
                          KeywordLinkMode mode, QWidget* parent);

}  // namespace qy::app
