// The platform services of the logic backed by Qt: the clipboard and the
// file dialogs.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "core/platform.h"

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

}  // namespace qy::app
