// A file chooser that answers the open dialog with `answer` and cancels the
// others.
#pragma once

#include <optional>
#include <string>

#include "core/platform.h"

namespace qy::testing {

class OpenChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override {
    asked = options;
    return answer;
  }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return {};
  }
  std::optional<std::string> answer;
  FileDialogOptions asked;
};

}  // namespace qy::testing
