// Splitting a Windows command line into a program and its arguments the way
// the Windows shell's CommandLineToArgvW does, so that a macro written for
// Windows starts the same program with the same arguments here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qy {

// The first item is the program: up to the next blank, or, when the line
// starts with a double quote, up to the next double quote whatever lies
// between. The arguments then follow the C run time's rules: blanks and tabs
// separate outside quotes, 2n backslashes before a quote give n backslashes
// and the quote opens or closes quoting, 2n+1 backslashes give n and a
// literal quote, other backslashes are literal, and a quote doubled right
// after a closing one is a literal quote. Empty text gives no items.
std::vector<std::string> SplitWindowsCommandLine(std::string_view line);

}  // namespace qy
