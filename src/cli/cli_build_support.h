// What the build commands of quillory-cli share: a help viewer with no
// window to show in.
#pragma once

#include <string>

#include "core/platform.h"

namespace qy::cli {

// Help files can not be shown without a window; requests are ignored.
class NoHelpViewer : public HelpViewer {
 public:
  bool ShowContents(const std::string&) override { return false; }
  bool ShowContext(const std::string&, int) override { return false; }
  bool ShowKeyword(const std::string&, const std::string&) override { return false; }
  bool ShowTopic(const std::string&, const std::string&, int) override { return false; }
};

}  // namespace qy::cli
