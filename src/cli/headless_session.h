// A project opened without a window: the document flows with a console
// prompter, no progress display and no file dialogs.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/console_prompter.h"
#include "core/platform.h"
#include "core/progress.h"
#include "project/project_document.h"
#include "project/project_model.h"

namespace qy::cli {

struct CliContext;

// File dialogs have nobody to ask: they are always cancelled.
class NoFileChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return {};
  }
};

class HeadlessSession {
 public:
  explicit HeadlessSession(CliContext& context);

  // Opens `file` as the window would; messages go to standard error.
  bool Open(const std::string& file);
  // The one way the commands write a project: the document's save to `file`
  // with its refusals and questions (answered by --yes). False, with the
  // reason printed, when nothing was written.
  bool Save(const std::string& file);

  ProjectModel& model() { return model_; }
  ProjectDocument& document() { return *document_; }
  ConsolePrompter& prompter() { return prompter_; }

 private:
  ProjectModel model_;
  NullDocumentView view_;
  ConsolePrompter prompter_;
  NullProgress progress_;
  NoFileChooser chooser_;
  std::unique_ptr<ProjectDocument> document_;
};

}  // namespace qy::cli
