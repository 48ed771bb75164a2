// The look of an exported page: the project's default font and size and the
// colours of its main help window, as one style sheet.
#pragma once

#include <string>
#include <string_view>

#include "project/project_model.h"

namespace qy::help_export {

struct WindowColours {
  std::string topic = "#ffffe2";  // the scrolling region
  std::string non_scrolling = "#c0c0c0";
};

// The colours of window `name` in a [WINDOWS] section ("(r<decimal>)"
// groups, the number a Windows colour value: 0x00BBGGRR). A window that is
// not there, or a group that is not a colour, keeps the default.
WindowColours WindowColoursOf(std::string_view windows_section, std::string_view name);

// The site's style sheet (UTF-8).
std::string SiteStyleSheet(const ProjectModel& project);

}  // namespace qy::help_export
