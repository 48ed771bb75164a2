// The platform services of the logic backed by Qt and the desktop: the
// clipboard, the file dialogs and the help viewer.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "core/platform.h"
#include "core/prompter.h"

namespace qy::app {

// The clipboard as Shift-JIS text through the lossless codec.
class QtClipboard : public Clipboard {
 public:
  std::string GetText() override;
  void SetText(const std::string& text) override;
};

// "説明 (*.x)|*.x|説明 (*.*)|*.*" (Shift-JIS) as a Qt filter list:
// "説明 (*.x);;説明 (*.*)". Qt takes the patterns from the description's
// brackets, so a description without them gets the pattern part appended.
QString QtFileFilter(const std::string& sjis_filter);

class QtFileChooser : public FileChooser {
 public:
  explicit QtFileChooser(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial) override;

 private:
  QWidget* parent_;
};

// WinHelp on Linux: Wine's winhlp32 when Wine is installed. A missing help
// file or a missing viewer is reported, never passed over in silence.
class WineHelpViewer : public HelpViewer {
 public:
  WineHelpViewer(Prompter& prompter, ProcessRunner& runner) : prompter_(prompter), runner_(runner) {}
  bool ShowContents(const std::string& help_file) override;
  bool ShowContext(const std::string& help_file, int context_number) override;
  bool ShowKeyword(const std::string& help_file, const std::string& keyword) override;

  // The help file without a ">window" suffix.
  static std::string FileOf(const std::string& help_file);

 private:
  bool Run(const std::string& help_file, std::vector<std::string> options);

  Prompter& prompter_;
  ProcessRunner& runner_;
};

}  // namespace qy::app
