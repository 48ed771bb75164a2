// The build's reading of the project's ProjectOptions text: eight flag
// characters, then the main window's name, then optionally "//" and the name
// of a contents file to include.
#pragma once

#include <string>
#include <string_view>

namespace qy {

// Flag character `n` (1..8) is "1"; a missing character is off.
bool ProjectOptionFlag(std::string_view options, int n);

// Flag character `n` (1..8) counts as on when it is present and not "0": how
// the dialogs read the flags they show as boxes.
bool ProjectOptionOn(std::string_view options, int n);

// From character 9 up to the first "//" (to the end when there is none).
std::string DefaultWindowName(std::string_view options);

// The text after the first "//" from character 9 on; empty when there is none.
std::string ContentsIncludeFile(std::string_view options);

// Character 7: the contents file starts with ":Include " + ContentsIncludeFile.
inline constexpr int kOptionContentsInclude = 7;

}  // namespace qy
