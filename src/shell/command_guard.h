// The last line of defence of the window's commands: a command that fails in
// a way nobody planned for (memory ran out, a library threw) ends with an
// error box, and the window keeps running with its project and editor text
// as they were when the command failed.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "core/prompter.h"

namespace qy {

// The error box text for `e` (Shift-JIS); `e` null for a non-standard throw.
std::string UnexpectedCommandErrorMessage(const std::exception* e);

// Runs `command`; an exception it throws is reported through `prompter` and
// goes no further. False when the command failed that way.
bool RunCommandGuarded(const std::function<void()>& command, Prompter& prompter);

}  // namespace qy
