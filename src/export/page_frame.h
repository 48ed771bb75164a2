// The frame every exported page shares: head, style sheet, scripts and, in
// the site, the navigation pane with the contents tree.
#pragma once

#include <string>

namespace qy::help_export {

enum class Flavor { kSite, kChm };

// A whole HTML document around `body` (UTF-8), with `start_script` run at
// the end of the page.
std::string FramePage(const std::string& title_utf8, const std::string& body, Flavor flavor,
                      const std::string& start_script);

}  // namespace qy::help_export
