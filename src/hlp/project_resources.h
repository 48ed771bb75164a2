// The files a help project carries into the help file as they are: its icon
// (ICON=, shown by the viewer's windows) and the [BAGGAGE] files, which
// programs and macros read out of the help file by name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hlp/diagnostic.h"
#include "hlp/help_project.h"

namespace qy::hlp {

struct ProjectResources {
  std::string icon;                                          // the .ico file; empty for none
  std::vector<std::pair<std::string, std::string>> baggage;  // internal name, content
  std::vector<Diagnostic> diagnostics;
};

// Reads them from `folder` (native, ending in '/') and the project's ROOT
// folders. A missing baggage file is an error: the help file would lack what
// its program expects. An unusable icon is a warning: the viewer's own is used.
ProjectResources LoadProjectResources(const HelpProject& project, const std::string& folder);

// Why `ico` is no icon file the viewer can use, or nullopt when it is one.
std::optional<std::string> IconProblem(std::string_view ico);

// The name a baggage file has in the help file: the name without folders.
std::string BaggageName(std::string_view listed);

}  // namespace qy::hlp
