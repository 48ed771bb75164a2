// Platform services other than message boxes: clipboard, processes, the help
// viewer and the file choosers. Each is a small interface so that logic can be
// tested against fakes and the desktop window can supply real ones.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qy {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Shift-JIS text; empty when the clipboard holds no text.
  virtual std::string GetText() = 0;
  virtual void SetText(const std::string& text) = 0;
};

struct ProcessResult {
  bool started = false;
  int exit_code = -1;
  std::string error;  // why it could not be started
};

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts `program` with `arguments` in `working_dir` ("" = current). With
  // `wait` the call returns when the program has ended; `pump` is called
  // regularly meanwhile so that the window stays responsive.
  virtual ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& working_dir, bool wait) = 0;
  // Opens a document or program the way the desktop's shell would.
  virtual bool ShellOpen(const std::string& target, const std::string& parameters = "") = 0;
};

// Whether some program still has a file. Windows refuses an exclusive open
// of a file an editor keeps open; editors elsewhere lock nothing, so whether
// the editor is done with the page has to be found out another way.
class FileHoldCheck {
 public:
  virtual ~FileHoldCheck() = default;
  virtual bool IsHeld(const std::string& file) = 0;
};

// WinHelp's services: a help file's contents, a context number or a keyword.
// A file name may carry ">window" to pick the window.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual bool ShowContents(const std::string& help_file) = 0;
  virtual bool ShowContext(const std::string& help_file, int context_number) = 0;
  virtual bool ShowKeyword(const std::string& help_file, const std::string& keyword) = 0;
  // The topic of context string `context`, which the file's [MAP] section
  // numbers `context_number`: a viewer uses whichever of the two it can.
  virtual bool ShowTopic(const std::string& help_file, const std::string& context,
                         int context_number) = 0;
};

struct FileDialogOptions {
  std::string title;
  std::string filter;             // "説明 (*.x)|*.x|..." as the window gives it
  std::string default_extension;  // without dot
  std::string initial_path;
  bool must_exist = false;         // open dialogs
  bool confirm_overwrite = false;  // save dialogs
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& initial) = 0;
};

}  // namespace qy
